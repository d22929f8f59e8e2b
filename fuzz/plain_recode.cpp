// The table-driven stretches of a piecewise repair against the repair of the
// whole text: any bytes read as UTF-8, cut where the tables stop and again
// after the next character a piece may end with, must repair to exactly the
// bytes the whole-text repair gives.
//
// The first byte picks the pair; the rest is the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string_view>

#include "engine/codepage/codepage.h"
#include "engine/repair/reinterpret.h"

namespace {

struct Pair {
  bool locale;
  std::int32_t a;
  std::int32_t b;
};

// The fixed repairs between two code pages, and page pairs that meet
// single-byte pages, Shift-JIS's controls and a remapped unit.
constexpr Pair kPairs[] = {
    {true, 2052, 1028}, {true, 2052, 1041}, {true, 2052, 1042}, {true, 2052, 1049},
    {true, 1028, 2052}, {true, 1028, 1042}, {true, 1041, 2052}, {true, 1042, 2052},
    {true, 1049, 2052}, {true, 1033, 2052}, {true, 1033, 1028}, {false, 1252, 1253},
    {false, 932, 949},  {false, 874, 1258}, {false, 437, 1251}, {false, 950, 936},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Pair& pair = kPairs[data[0] % std::size(kPairs)];
  const std::optional<tekvo::PiecewiseRepair> repair =
      pair.locale
          ? tekvo::PiecewiseRepair::ForLocales(tekvo::LocaleId{pair.a}, tekvo::LocaleId{pair.b})
          : tekvo::PiecewiseRepair::ForCodePages(tekvo::CodePageId{pair.a},
                                                 tekvo::CodePageId{pair.b});
  if (!repair || !repair->HasPlainTables()) std::abort();
  const tekvo::ByteString utf8(reinterpret_cast<const char*>(data + 1), size - 1);
  const tekvo::ByteString whole =
      tekvo::TextToUtf8Bytes(repair->Piece(tekvo::Utf8BytesToText(utf8), true));

  tekvo::ByteString joined;
  std::size_t p = 0;
  while (p < utf8.size()) {
    p += repair->PlainUtf8(std::string_view(utf8).substr(p), joined);
    std::size_t cut = p;
    while (cut < utf8.size() &&
           !tekvo::PiecewiseRepair::EndsPiece(static_cast<unsigned char>(utf8[cut]))) {
      ++cut;
    }
    cut = cut < utf8.size() ? cut + 1 : cut;
    joined += tekvo::TextToUtf8Bytes(
        repair->Piece(tekvo::Utf8BytesToText(utf8.substr(p, cut - p)), p == 0));
    p = cut;
  }
  if (joined != whole) std::abort();
  return 0;
}
