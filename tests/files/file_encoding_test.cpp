#include "files/file_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Hex;
using testing::Show;

// "FF FE 41 00" → the four bytes.
std::string Bytes(const char* hex) {
  std::string out;
  for (const char* p = hex; *p;) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    out += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
    p += 2;
  }
  return out;
}

FileEncoding E(int v) { return ToFileEncoding(v); }

TEST(DetectFileEncodingTest, Rules) {
  struct Case {
    const char* name;
    const char* hex;
    int expected;
  } cases[] = {
      {"empty", "", 1},
      {"one-byte", "FF", 1},
      {"bom-le-alone", "FF FE", 2},
      {"bom-le", "FF FE 41 00", 2},
      {"bom-be", "FE FF 00 41", 3},
      {"bom-utf8", "EF BB BF 41", 4},
      {"bom-utf8-cut", "EF BB", 1},
      {"crlf-le-even", "41 00 0D 00 0A 00", 5},
      {"crlf-le-odd-falls-to-zero-rule", "41 0D 00 0A 00", 6},
      {"crlf-be-even", "00 41 00 0D 00 0A", 6},
      {"zero-odd-offset", "41 42 43 00 44 45", 5},
      {"zero-even-offset", "41 42 00 43 44", 6},
      {"zero-at-n-minus-2", "41 42 00 43", 1},
      {"zero-last-byte", "41 42 43 00", 1},
      {"zero-before-utf8-check", "E4 B8 AD 00 41 42", 5},
      {"ascii", "41 42 0D 0A", 1},
      {"gb-bytes", "D6 D0 CE C4", 1},
      {"utf8-three-byte", "E4 B8 AD", 7},
      {"utf8-mixed", "41 E4 B8 AD 42 0D 0A", 7},
      {"utf8-four-byte", "F0 9F 98 80", 7},
      {"utf8-cut-short", "41 E4 B8", 1},
      {"utf8-overlong", "C0 80 41", 1},
      {"utf8-overlong-three", "E0 80 AF", 1},
      {"utf8-surrogate", "ED A0 80", 1},
      {"utf8-above-max", "F4 90 80 80", 1},
      {"stray-continuation", "41 80 41", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInt(DetectFileEncoding(Bytes(c.hex))), c.expected) << c.name << ": " << c.hex;
  }
}

// Bytes that are valid UTF-8 and valid GB at once go to the reading that
// looks like writing; real UTF-8, however short, stays UTF-8.
struct AmbiguousCase {
  const char* name;
  const char* hex;
  int expected;
};

class DetectUtf8OrGbTest : public ::testing::TestWithParam<AmbiguousCase> {};

TEST_P(DetectUtf8OrGbTest, TakesThePlausibleReading) {
  const AmbiguousCase& c = GetParam();
  EXPECT_EQ(ToInt(DetectFileEncoding(Bytes(c.hex))), c.expected) << c.hex;
}

INSTANTIATE_TEST_SUITE_P(
    Readings, DetectUtf8OrGbTest,
    ::testing::Values(AmbiguousCase{"gb-xiaoshuo", "D0 A1 CB B5", 1},
                      AmbiguousCase{"gb-xiexie", "D0 BB D0 BB", 1},
                      AmbiguousCase{"gb-mulu", "C4 BF C2 BC", 1},
                      AmbiguousCase{"gb-shuoming", "CB B5 C3 F7", 1},
                      AmbiguousCase{"gb-xiaoshuo-line", "D0 A1 CB B5 0D 0A", 1},
                      AmbiguousCase{"gb-mulu-xiaoshuo", "C4 BF C2 BC 0D 0A D0 A1 CB B5", 1},
                      AmbiguousCase{"utf8-xiaoshuo", "E5 B0 8F E8 AF B4", 7},
                      AmbiguousCase{"utf8-zhongwen", "E4 B8 AD E6 96 87", 7},
                      AmbiguousCase{"utf8-japanese", "E6 97 A5 E6 9C AC E8 AA 9E", 7},
                      AmbiguousCase{"utf8-korean", "ED 95 9C EA B5 AD EC 96 B4", 7},
                      AmbiguousCase{"utf8-cafe", "63 61 66 C3 A9", 7},
                      AmbiguousCase{"utf8-uber", "C3 BC 62 65 72", 7},
                      AmbiguousCase{"utf8-grusse", "47 72 C3 BC C3 9F 65", 7},
                      AmbiguousCase{"utf8-naive-resume",
                                    "6E 61 C3 AF 76 65 20 72 C3 A9 73 75 6D C3 A9", 7},
                      AmbiguousCase{"utf8-privet", "D0 9F D1 80 D0 B8 D0 B2 D0 B5 D1 82", 7},
                      AmbiguousCase{"utf8-hanzi-between-letters", "78 E4 B8 AD 79", 7},
                      AmbiguousCase{"utf8-dash", "E2 80 94 20 6F 6B", 7}),
    [](const ::testing::TestParamInfo<AmbiguousCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == '-') ch = '_';
      }
      return name;
    });

TEST(ResolveFileEncodingTest, Table) {
  struct Case {
    int requested, detected, used;
  } cases[] = {
      {1, 2, 1}, {8, 4, 8}, {1, 7, 1},                                    // ANSI wins
      {2, 2, 2}, {2, 5, 5}, {2, 1, 5}, {3, 3, 3}, {3, 6, 6},  {3, 2, 6},  // with mark
      {4, 4, 4}, {4, 7, 7}, {4, 1, 7},                                    //
      {5, 2, 2}, {5, 5, 5}, {5, 1, 5}, {6, 3, 3}, {6, 1, 6},              // without mark
      {7, 4, 4}, {7, 7, 7}, {7, 1, 7},                                    //
      {0, 6, 6}, {0, 7, 7}, {0, 1, 1}, {9, 3, 3}, {-1, 1, 1},             // detect
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInt(ResolveFileEncoding(E(c.requested), E(c.detected))), c.used)
        << "requested " << c.requested << " detected " << c.detected;
  }
}

TEST(EncodingNameTest, EveryValue) {
  struct Case {
    int value;
    const char16_t* name;
  } cases[] = {
      {0, u""},
      {1, u"ANSI GB"},
      {2, u"Unicode"},
      {3, u"Unicode BE"},
      {4, u"UTF-8"},
      {5, u"Unicode (No BOM)"},
      {6, u"Unicode BE (No BOM)"},
      {7, u"UTF-8 (No BOM)"},
      {8, u"ANSI Eng"},
      {9, u""},
      {-1, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodingName(E(c.value)), c.name) << c.value;
}

TEST(DecodeFileBytesTest, MarksZerosAndOddBytes) {
  struct Case {
    const char* name;
    const char* hex;
    int used, detected;
    Text expected;
  } cases[] = {
      {"le-mark-removed", "FF FE 41 00", 2, 2, u"A"},
      {"be-mark-removed", "FE FF 00 41", 3, 3, u"A"},
      {"utf8-mark-removed", "EF BB BF 41", 4, 4, u"A"},
      {"be-read-as-le-keeps-fffe", "FE FF 00 41", 5, 3, u"\uFFFE\u4100"},
      {"utf8-mark-kept-without-detection", "EF BB BF 41", 7, 4, u"\uFEFFA"},
      {"mark-only", "FF FE", 2, 2, u""},
      {"zeros-removed-le", "41 00 00 00 42 00", 5, 5, u"AB"},
      {"zeros-removed-ansi", "41 00 42", 1, 1, u"AB"},
      {"odd-byte-dropped-le", "41 00 42", 5, 6, u"A"},
      {"odd-byte-dropped-be", "00 41 42", 6, 6, u"A"},
      {"gb", "D6 D0 0D 0A", 1, 1, u"中\r\n"},
      {"eng", "E9 0D 0A", 8, 1, u"é\r\n"},
      {"utf8", "E4 B8 AD", 7, 7, u"中"},
      {"utf8-four-byte", "F0 9F 98 80", 7, 7, u"\U0001F600"},
  };
  for (const Case& c : cases) {
    std::optional<Text> text = DecodeFileBytes(Bytes(c.hex), E(c.used), E(c.detected));
    ASSERT_TRUE(text) << c.name;
    EXPECT_EQ(*text, c.expected) << c.name << ": got " << Show(*text);
  }
}

TEST(EncodeFileTextTest, AllNineEncodingsByteForByte) {
  struct Case {
    const char* name;
    Text text;
    int encoding;
    const char* hex;
  } cases[] = {
      {"default-is-unicode", u"A中\r\n", 0, "FF FE 41 00 2D 4E 0D 00 0A 00"},
      {"ansi-gb", u"A中\r\n", 1, "41 D6 D0 0D 0A"},
      {"unicode", u"A中\r\n", 2, "FF FE 41 00 2D 4E 0D 00 0A 00"},
      {"unicode-be", u"A中\r\n", 3, "FE FF 00 41 4E 2D 00 0D 00 0A"},
      {"utf8", u"A中\r\n", 4, "EF BB BF 41 E4 B8 AD 0D 0A"},
      {"unicode-no-bom", u"A中\r\n", 5, "41 00 2D 4E 0D 00 0A 00"},
      {"unicode-be-no-bom", u"A中\r\n", 6, "00 41 4E 2D 00 0D 00 0A"},
      {"utf8-no-bom", u"A中\r\n", 7, "41 E4 B8 AD 0D 0A"},
      {"ansi-eng", u"Aé\r\n", 8, "41 E9 0D 0A"},
      {"ansi-eng-lacks-cjk", u"A中", 8, "41 3F"},
      {"out-of-range-is-unicode", u"A", 42, "FF FE 41 00"},
      {"empty-no-bom", u"", 7, ""},
      {"empty-with-bom", u"", 4, "EF BB BF"},
  };
  for (const Case& c : cases) {
    std::optional<ByteString> bytes = EncodeFileText(c.text, E(c.encoding));
    ASSERT_TRUE(bytes) << c.name;
    EXPECT_EQ(Hex(*bytes), c.hex) << c.name;
  }
}

TEST(CountUnmappableCharactersTest, OnlyAnsiPagesLoseCharacters) {
  struct Case {
    const char* name;
    Text text;
    int encoding;
    std::size_t lost;
  } cases[] = {
      {"ascii-gb", u"abc\r\n", 1, 0},
      {"chinese-gb", u"中文", 1, 0},
      {"question-mark-itself", u"a?b", 1, 0},
      {"emoji-gb", u"中\U0001F600", 1, 1},
      {"thai-gb", u"ก", 1, 1},
      {"chinese-eng", u"中文", 8, 2},
      {"latin1-eng", u"é", 8, 0},
      {"best-fit-counts-as-lost", u"ā", 8, 1},
      {"unicode-loses-nothing", u"中\U0001F600", 2, 0},
      {"utf8-loses-nothing", u"ก", 7, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountUnmappableCharacters(c.text, E(c.encoding)), c.lost) << c.name;
  }
}

TEST(EncodingRoundTripTest, SaveThenDetectAndDecodeGivesTheText) {
  const Text text = u"第一行 line\r\n第二行 é\r\n";
  for (int e : {2, 3, 4, 5, 6, 7, 1}) {
    std::optional<ByteString> bytes = EncodeFileText(text, E(e));
    ASSERT_TRUE(bytes);
    const FileEncoding detected = DetectFileEncoding(*bytes);
    const FileEncoding used = ResolveFileEncoding(FileEncoding::kDefaultEncoding, detected);
    EXPECT_EQ(ToInt(used), e) << "encoding " << e;
    std::optional<Text> back = DecodeFileBytes(*bytes, used, detected);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, text) << "encoding " << e << ": " << Show(*back);
  }
}

}  // namespace
}  // namespace tekvo
