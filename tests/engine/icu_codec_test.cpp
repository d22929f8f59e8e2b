// The table-driven path must give exactly what the converter and the page's
// supplement give,
// wherever it stops and hands over: random byte strings and texts full of
// the awkward cases (invalid and cut-short sequences, unassigned pairs,
// characters the page lacks, surrogates) are converted both ways and
// compared.
#include "engine/codepage/icu_codec.h"

#include <gtest/gtest.h>
#include <unicode/utf16.h>

#include <random>
#include <string>

#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/icu_converter.h"
#include "tests/id_output.h"

namespace tekvo {
namespace {

Text PlainIcuDecode(UConverter* cnv, const ByteString& bytes) {
  Text out(bytes.size() * 2 + 16, u'\0');
  UErrorCode err = U_ZERO_ERROR;
  int32_t n =
      ucnv_toUChars(cnv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                    bytes.data(), static_cast<int32_t>(bytes.size()), &err);
  EXPECT_TRUE(U_SUCCESS(err));
  out.resize(n);
  return out;
}

ByteString PlainIcuEncode(UConverter* cnv, const Text& text) {
  ByteString out(text.size() * 4 + 16, '\0');
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(cnv, out.data(), static_cast<int32_t>(out.size()),
                              reinterpret_cast<const UChar*>(text.data()),
                              static_cast<int32_t>(text.size()), &err);
  EXPECT_TRUE(U_SUCCESS(err));
  out.resize(n);
  return out;
}

// The converter with the page's supplement laid over it, one character at a
// time (the pages here keep no state between characters): the supplement's
// bytes where it has them, the converter's otherwise.
ByteString ReferenceEncode(UConverter* cnv, CodePageId cp, const Text& text) {
  const CodePageSupplement* sup = FindSupplement(cp);
  ByteString out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = i + 1 < text.size() && U16_IS_LEAD(text[i]) && U16_IS_TRAIL(text[i + 1]);
    char bytes[2];
    const std::size_t n = sup != nullptr && !pair ? SupplementEncodeOf(*sup, text[i], bytes) : 0;
    if (n != 0) {
      out.append(bytes, n);
    } else {
      out += PlainIcuEncode(cnv, text.substr(i, pair ? 2 : 1));
    }
    if (pair) ++i;
  }
  return out;
}

// Bytes drawn mostly from the ranges double-byte pages use, with some of
// everything else.
ByteString RandomBytes(std::mt19937& rng, std::size_t n) {
  std::uniform_int_distribution<int> kind(0, 9), any(0, 255), ascii(0x20, 0x7E), high(0x81, 0xFE);
  ByteString b(n, '\0');
  for (auto& c : b) {
    int k = kind(rng);
    c = static_cast<char>(k < 2 ? ascii(rng) : k < 8 ? high(rng) : any(rng));
  }
  return b;
}

Text RandomText(std::mt19937& rng, std::size_t n) {
  std::uniform_int_distribution<int> kind(0, 19), cjk(0x4E00, 0x9FA5), any(0x80, 0xFFFF),
      ascii(0x20, 0x7E), surrogate(0xD800, 0xDFFF);
  Text t(n, u'\0');
  for (auto& u : t) {
    int k = kind(rng);
    u = static_cast<char16_t>(k < 4    ? ascii(rng)
                              : k < 16 ? cjk(rng)
                              : k < 19 ? any(rng)
                                       : surrogate(rng));
  }
  return t;
}

TEST(IcuCodec, TablePathMatchesConverter) {
  const CodePageId pages[] = {
      CodePageId{936},  CodePageId{950},  CodePageId{949},  CodePageId{932},   CodePageId{874},
      CodePageId{1252}, CodePageId{1253}, CodePageId{1255}, CodePageId{20866}, CodePageId{28591}};
  std::mt19937 rng(20240601);
  for (CodePageId cp : pages) {
    const CodePageEntry* entry = FindCodePage(cp);
    ASSERT_NE(entry, nullptr) << cp;
    UConverter* reference = OpenConfiguredConverter(*entry);
    ASSERT_NE(reference, nullptr) << cp;
    UConverter* cnv = ThreadConverter(*entry);
    for (int round = 0; round < 60; ++round) {
      // Long inputs take the converter for the rest after many hand-overs;
      // short ones hand over and come back.
      std::size_t n = round % 3 == 0 ? 3000 : round % 3 == 1 ? 40 : 1;
      ByteString bytes = RandomBytes(rng, n);
      ASSERT_EQ(IcuDecode(*entry, cnv, bytes), PlainIcuDecode(reference, bytes))
          << "code page " << cp << " round " << round;
      Text text = RandomText(rng, n);
      ASSERT_EQ(IcuEncode(*entry, cnv, text), ReferenceEncode(reference, cp, text))
          << "code page " << cp << " round " << round;
    }
    ucnv_close(reference);
  }
}

struct HandOverCase {
  const char* name;
  CodePageId cp;
  ByteString bytes;
};

TEST(IcuCodec, HandOverAtTheAwkwardPlaces) {
  const HandOverCase cases[] = {
      {"lead-then-ascii", CodePageId{936}, "\xC0?\xD6\xD0"},
      {"lead-at-end", CodePageId{936}, "\xD6\xD0\xC0"},
      {"unassigned-pair", CodePageId{950}, "\xA4\xA4\xF9\xFE\xA4\xA4"},
      {"invalid-single", CodePageId{932}, "\x82\xA0\xA0\x82\xA0"},
      {"single-byte-katakana", CodePageId{932}, "\xB1\xB2\x82\xA0"},
      {"lead-then-lead", CodePageId{949}, "\xB0\xB0\xA1\xB0\xA1"},
  };
  for (const auto& c : cases) {
    const CodePageEntry* entry = FindCodePage(c.cp);
    UConverter* reference = OpenConfiguredConverter(*entry);
    EXPECT_EQ(IcuDecode(*entry, ThreadConverter(*entry), c.bytes),
              PlainIcuDecode(reference, c.bytes))
        << c.name;
    ucnv_close(reference);
  }
}

}  // namespace
}  // namespace tekvo
