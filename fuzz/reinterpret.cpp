// Both reinterpretations on arbitrary text and identifier pairs: they never
// fail, keep to the length limit, hand back their input when they refuse,
// and, where a pair can be repaired piecewise, the pieces give the same as
// the whole.
#include "engine/repair/reinterpret.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "engine/codepage/codepage.h"

namespace {

// Identifiers worth mixing: the pages and languages the program offers, the
// special values, and some that are no conversion at all.
constexpr int32_t kIds[] = {2052,  1028,  1041,  1042,  1049,  1033,  1054, 1066,  1032,
                            1025,  1037,  -1,    -2,    -3,    0,     -4,   12345, 936,
                            950,   932,   949,   54936, 20932, 20000, 1361, 874,   1252,
                            28591, 20866, 65001, 65000, 50221, 50225, 50227};

void Check(const tekvo::Text& text, const tekvo::Converted& r, std::size_t max_len) {
  if (r.too_long && r.text != text) std::abort();
  // A changed text is a real result: within the limit, never empty, no
  // U+0000. (An unchanged one may be anything the caller passed.)
  if (r.text != text) {
    if (r.text.size() > max_len) std::abort();
    if (r.text.empty() || r.text.find(u'\0') != tekvo::Text::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t a = kIds[data[0] % std::size(kIds)];
  const int32_t b = kIds[data[1] % std::size(kIds)];
  const std::size_t max_len = data[2] % 2 == 0 ? tekvo::kMaxTextLen : 64;
  tekvo::ByteString rest(reinterpret_cast<const char*>(data + 3), size - 3);
  // Half the inputs as UTF-16 units, half as UTF-8, to get both random
  // surrogates and realistic text.
  tekvo::Text text =
      data[2] % 4 < 2 ? tekvo::Utf16LeBytesToText(rest) : tekvo::Utf8BytesToText(rest);

  Check(text, tekvo::ReinterpretByLocale(text, tekvo::LocaleId{a}, tekvo::LocaleId{b}, max_len),
        max_len);
  Check(text,
        tekvo::ReinterpretByCodePage(text, tekvo::CodePageId{a}, tekvo::CodePageId{b}, max_len),
        max_len);

  for (bool locale : {true, false}) {
    auto piecewise =
        locale ? tekvo::PiecewiseRepair::ForLocales(tekvo::LocaleId{a}, tekvo::LocaleId{b})
               : tekvo::PiecewiseRepair::ForCodePages(tekvo::CodePageId{a}, tekvo::CodePageId{b});
    if (!piecewise) continue;
    std::size_t lf = text.find(u'\n');
    if (lf == tekvo::Text::npos || lf + 1 == text.size()) continue;
    tekvo::Text joined = piecewise->Piece(text.substr(0, lf + 1));
    joined += piecewise->Piece(text.substr(lf + 1));
    tekvo::Converted whole =
        locale ? tekvo::ReinterpretByLocale(text, tekvo::LocaleId{a}, tekvo::LocaleId{b},
                                            tekvo::kNoLengthLimit)
               : tekvo::ReinterpretByCodePage(text, tekvo::CodePageId{a}, tekvo::CodePageId{b},
                                              tekvo::kNoLengthLimit);
    if (joined != whole.text) std::abort();
  }
  return 0;
}
