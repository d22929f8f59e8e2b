// Agreement of the code page bridge with Microsoft's published best-fit
// tables, which say byte for byte what the Windows conversion calls do. The
// tables live outside the project; without them the test skips itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/codepage.h"

namespace tekvo {
namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
  if (const char* env = std::getenv("TEKVO_SHARED_DATA"); env != nullptr && *env != '\0') {
    return fs::path(env) / "windows-bestfit";
  }
  return fs::path(TEKVO_SOURCE_DIR) / ".." / "shared" / "data" / "windows-bestfit";
}

struct BestFitTable {
  std::map<std::string, char16_t> decode;  // bytes (1 or 2) -> unit
  std::map<char16_t, std::string> encode;  // unit -> bytes
};

unsigned long ParseNumber(const std::string& s) { return std::stoul(s, nullptr, 0); }

// The format: tagged sections (MBTABLE, DBCSRANGE, DBCSTABLE, WCTABLE) of
// "0x.. 0x.." records; ";" starts a comment.
BestFitTable Parse(const fs::path& path) {
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

struct Counts {
  int decoded = 0, decode_diffs = 0;
  int round_trips = 0, round_trip_diffs = 0;
  int best_fits = 0, best_fit_diffs = 0;
  std::string examples;  // the first few exact-mapping differences
};

std::string HexBytes(const std::string& bytes) {
  std::string out;
  char buf[8];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    out += buf;
  }
  return out;
}

std::string HexUnits(const Text& text) {
  std::string out;
  char buf[8];
  for (char16_t u : text) {
    std::snprintf(buf, sizeof buf, "%s%04X", out.empty() ? "" : ",", static_cast<unsigned>(u));
    out += buf;
  }
  return out;
}

void NoteExample(Counts& c, const std::string& what) {
  if (c.decode_diffs + c.round_trip_diffs <= 6) c.examples += " " + what;
}

Counts Compare(const BestFitTable& table, CodePageId cp) {
  Counts c;
  for (const auto& [bytes, unit] : table.decode) {
    ++c.decoded;
    Text got = CodePageBytesToText(bytes, cp);
    if (got != Text(1, unit)) {
      ++c.decode_diffs;
      NoteExample(
          c, HexBytes(bytes) + "->" + HexUnits(got) + "(table " + HexUnits(Text(1, unit)) + ")");
    }
  }
  for (const auto& [unit, bytes] : table.encode) {
    // Surrogate code points cannot be converted alone; the tables list none
    // that matter, but a lone surrogate is never a round trip.
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    auto back = table.decode.find(bytes);
    bool round_trip = back != table.decode.end() && back->second == unit;
    ByteString got = TextToCodePageBytes(Text(1, unit), cp);
    bool same = got == bytes;
    if (round_trip) {
      ++c.round_trips;
      if (!same) {
        ++c.round_trip_diffs;
        NoteExample(c, "U+" + HexUnits(Text(1, unit)) + "->" + HexBytes(got) + "(table " +
                           HexBytes(bytes) + ")");
      }
    } else {
      ++c.best_fits;
      if (!same) ++c.best_fit_diffs;
    }
  }
  return c;
}

struct PageCase {
  CodePageId cp;
  // Differences measured when the tables were chosen; more means a converter
  // changed, fewer is welcome.
  int max_decode_diffs;
  int max_round_trip_diffs;
};

TEST(BestFitFidelity, AgreesWithPublishedTables) {
  fs::path dir = DataDir();
  if (!fs::exists(dir)) GTEST_SKIP() << "no best-fit tables at " << dir;
  const PageCase cases[] = {
      // Exact for the three Chinese and Korean pages the fixed repairs use.
      {936, 0, 0},
      {949, 0, 0},
      {950, 0, 0},
      // ICU's 932 decodes unassigned pairs as U+FFFD where Windows gives
      // U+30FB, and lacks a few NEC and IBM extension round trips.
      {932, 10, 5},
      {874, 0, 0},
      {1250, 0, 0},
      {1251, 0, 0},
      {1252, 0, 0},
      // Windows gives the undefined bytes of 1253, 1255 and 1257 private-use
      // characters; ICU leaves them undefined.
      {1253, 3, 3},
      {1254, 0, 0},
      {1255, 11, 11},
      {1256, 0, 0},
      {1257, 2, 2},
      {1258, 0, 0},
      // glibc's Johab maps the jamo-only codes to compatibility jamo where
      // Windows uses conjoining jamo, and has no user-defined area.
      {1361, 313, 313},
  };
  for (const auto& pc : cases) {
    fs::path file = dir / ("bestfit" + std::to_string(pc.cp) + ".txt");
    if (!fs::exists(file)) continue;
    Counts c = Compare(Parse(file), pc.cp);
    std::printf(
        "code page %5d: decode %d/%d differ, round trip %d/%d differ, best fit %d/%d differ\n",
        pc.cp, c.decode_diffs, c.decoded, c.round_trip_diffs, c.round_trips, c.best_fit_diffs,
        c.best_fits);
    if (!c.examples.empty()) std::printf("  e.g.%s\n", c.examples.c_str());
    EXPECT_GT(c.decoded, 0) << pc.cp;
    EXPECT_LE(c.decode_diffs, pc.max_decode_diffs) << pc.cp;
    EXPECT_LE(c.round_trip_diffs, pc.max_round_trip_diffs) << pc.cp;
  }
}

}  // namespace
}  // namespace tekvo
