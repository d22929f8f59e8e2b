#include "tests/engine/bestfit_table.h"

#include <fstream>
#include <sstream>

namespace tekvo {
namespace {

unsigned long ParseNumber(const std::string& s) { return std::stoul(s, nullptr, 0); }

}  // namespace

BestFitTable ParseBestFitTable(const std::filesystem::path& path) {
  BestFitTable table;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  enum class Section { kNone, kMb, kRange, kDbcs, kWc } section = Section::kNone;
  unsigned lead = 0;
  unsigned long trails_left = 0;  // records left in the current DBCSTABLE
  bool wc_double_byte = false;
  while (std::getline(in, line)) {
    if (auto semi = line.find(';'); semi != std::string::npos) line.erase(semi);
    std::istringstream fields(line);
    std::string f1, f2;
    if (!(fields >> f1)) continue;
    fields >> f2;
    if (f1 == "CPINFO") {
      wc_double_byte = f2 == "2";
    } else if (f1 == "MBTABLE") {
      section = Section::kMb;
    } else if (f1 == "DBCSRANGE") {
      section = Section::kRange;
    } else if (f1 == "DBCSTABLE") {
      if (section == Section::kDbcs) ++lead;
      section = Section::kDbcs;
      trails_left = ParseNumber(f2);
    } else if (f1 == "WCTABLE") {
      section = Section::kWc;
    } else if (f1 == "ENDCODEPAGE") {
      break;
    } else if (f1.rfind("0x", 0) == 0 && !f2.empty()) {
      unsigned long a = ParseNumber(f1), b = ParseNumber(f2);
      switch (section) {
        case Section::kMb:
          table.decode[std::string(1, static_cast<char>(a))] = static_cast<char16_t>(b);
          break;
        case Section::kRange:
          lead = static_cast<unsigned>(a);
          section = Section::kNone;  // the DBCSTABLE that follows starts at this lead
          break;
        case Section::kDbcs: {
          if (trails_left == 0) {  // the next lead byte range
            lead = static_cast<unsigned>(a);
            section = Section::kNone;
            break;
          }
          --trails_left;
          std::string bytes{static_cast<char>(lead), static_cast<char>(a)};
          table.decode[bytes] = static_cast<char16_t>(b);
          break;
        }
        case Section::kWc: {
          std::string bytes;
          if (wc_double_byte && b > 0xFF) bytes += static_cast<char>(b >> 8);
          bytes += static_cast<char>(b & 0xFF);
          table.encode[static_cast<char16_t>(a)] = bytes;
          break;
        }
        case Section::kNone:
          break;
      }
    }
  }
  return table;
}

}  // namespace tekvo
