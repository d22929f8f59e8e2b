#include <gtest/gtest.h>
#include <unicode/utf16.h>

#include <random>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "tests/engine/test_output.h"

namespace tekvo {
namespace {

using test_output::Hex;
using test_output::Units;

struct EncodeCase {
  const char* name;
  Text text;
  const char* hex;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name << " " << Units(c.text); }

class Utf8Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Utf8Encode, GivesTheBytes) {
  EXPECT_EQ(Hex(TextToUtf8Bytes(GetParam().text)), GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Encode,
                         testing::ValuesIn(std::vector<EncodeCase>{
                             {"ascii", u"abc", "61 62 63"},
                             {"two-byte", u"\u00E9", "C3 A9"},
                             {"three-byte", u"\u4E2D", "E4 B8 AD"},
                             {"pair-is-four-bytes", u"\U0001F600", "F0 9F 98 80"},
                             {"last-plane-pair", u"\U0010FFFF", "F4 8F BF BF"},
                             {"lone-high-three-bytes",
                              u"\xD83D"
                              "a",
                              "ED A0 BD 61"},
                             {"lone-low-three-bytes", u"\xDE00", "ED B8 80"},
                             {"low-then-high-not-a-pair", u"\xDE00\xD83D", "ED B8 80 ED A0 BD"},
                             {"nul", Text(1, u'\0'), "00"},
                             {"empty", u"", ""},
                         }),
                         CaseName<EncodeCase>);

struct DecodeCase {
  const char* name;
  ByteString bytes;
  Text text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name << " " << Hex(c.bytes); }

class Utf8Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8Decode, DecodesLeniently) {
  EXPECT_EQ(Units(Utf8BytesToText(GetParam().bytes)), Units(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Decode,
    testing::ValuesIn(std::vector<DecodeCase>{
        {"overlong-nul-dropped", "\xC0\x80", u""},
        {"overlong-32-is-the-first-kept", "\xC0\xA0\xC0\x9F", u" "},
        {"cut-short-32-is-the-first-kept",
         "\xE0\xA0"
         "A\xE0\x9F"
         "B",
         u" AB"},
        {"crlf", "\r\n", u"\r\n"},
        {"cut-short-written-on-next-ascii",
         "\xE4\xB8"
         "A",
         u"\u0138A"},
        {"stray-continuations-combine", "\xA1\xA1", u"\u0861"},
        {"stray-pair-of-32-is-the-first-kept", "\x80\xA0\x80\x9F", u" "},
        {"four-byte-is-pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"four-byte-then-ascii", "\xF0\x9F\x98\x80x", u"\U0001F600x"},
        {"four-byte-cut-short",
         "\xF0\x9F\x98"
         "A",
         u"\u07D8A"},
        {"four-byte-above-max-not-a-pair", "\xF4\x90\x80\x80", u"\u4400"},
        {"four-byte-overlong-not-a-pair", "\xF0\x8F\xBF\xBF", u"\u03FF"},
        {"pending-then-four-byte", "\xE4\xB8\xF0\x9F\x98\x80", u"\u0138\U0001F600"},
        {"cut-short-at-end-dropped", "\xE4\xB8", u""},
        {"surrogate-triples-rejoin", "\xED\xA0\xBD\xED\xB8\x80", u"\U0001F600"},
        {"lead-alone-dropped",
         "\xC3"
         "a",
         u"a"},
        {"empty", "", u""},
    }),
    CaseName<DecodeCase>);

TEST(Utf8Coder, EveryTextSurvivesARoundTrip) {
  const Text cases[] = {
      u"中文 English 한국어 \U0001F600", u"\xD800", u"\xDBFF\xDBFF\xDC00\xDC00", Text(u"a\0b", 3),
      u"\u007F\u0080\u07FF\u0800\uFFFF",
  };
  for (const auto& t : cases) {
    EXPECT_EQ(Units(Utf8BytesToText(TextToUtf8Bytes(t))), Units(t)) << Units(t);
  }
}

// The byte-at-a-time rules alone, without the decoder's shortcuts for
// well-formed input: both must agree on any bytes.
Text ByteAtATime(const ByteString& bytes) {
  Text out;
  std::uint32_t acc = 0;
  int need = 2;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x80 && b <= 0xBF) {
      acc = acc * 64 + (b & 0x3F);
      if (--need > 0) continue;
      if (acc >= 32) out += static_cast<char16_t>(acc);
      acc = 0;
      need = 2;
      continue;
    }
    if (acc >= 32) out += static_cast<char16_t>(acc);
    if (b >= 0xF0 && i + 3 < bytes.size()) {
      auto c1 = static_cast<unsigned char>(bytes[i + 1]),
           c2 = static_cast<unsigned char>(bytes[i + 2]),
           c3 = static_cast<unsigned char>(bytes[i + 3]);
      char32_t c = ((b & 7u) << 18) | ((c1 & 0x3Fu) << 12) | ((c2 & 0x3Fu) << 6) | (c3 & 0x3Fu);
      bool cont = (c1 & 0xC0) == 0x80 && (c2 & 0xC0) == 0x80 && (c3 & 0xC0) == 0x80;
      if (b <= 0xF4 && cont && c >= 0x10000 && c <= 0x10FFFF) {
        out += U16_LEAD(c);
        out += U16_TRAIL(c);
        i += 3;
        acc = 0;
        need = 2;
        continue;
      }
    }
    if (b >= 0xE0) {
      acc = b & 0x0F;
      need = 2;
    } else if (b >= 0xC0) {
      acc = b & 0x1F;
      need = 1;
    } else {
      out += static_cast<char16_t>(b);
      acc = 0;
      need = 2;
    }
  }
  return out;
}

TEST(Utf8Coder, ShortcutsAgreeWithByteAtATimeRules) {
  std::mt19937 rng(7);
  // Bytes biased towards lead and continuation bytes so that every kind of
  // broken sequence turns up.
  const unsigned char alphabet[] = {0x41, 0x0A, 0x00, 0x80, 0x9F, 0xA1, 0xBF, 0xC0, 0xC3,
                                    0xDF, 0xE0, 0xE4, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  for (int round = 0; round < 2000; ++round) {
    ByteString bytes(round % 17, '\0');
    for (auto& c : bytes) c = static_cast<char>(alphabet[pick(rng)]);
    ASSERT_EQ(Units(Utf8BytesToText(bytes)), Units(ByteAtATime(bytes))) << Hex(bytes);
  }
}

struct SwapCase {
  const char* name;
  ByteString in;
  ByteString out;
};

TEST(ByteOrder, SwapsPairsAndDropsOddByte) {
  const SwapCase cases[] = {
      {"odd-length", "\x01\x02\x03", "\x02\x01"},
      {"even", "ABCD", "BADC"},
      {"one-byte", "A", ""},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SwapBytePairs(c.in), c.out) << c.name;
  }
}

TEST(ByteOrder, Utf16LeDropsOddByte) {
  EXPECT_EQ(Utf16LeBytesToText(ByteString("A\0B\0C", 5)), u"AB");
  EXPECT_EQ(TextToUtf16LeBytes(u"\u4100"), ByteString("\x00\x41", 2));
}

}  // namespace
}  // namespace tekvo
