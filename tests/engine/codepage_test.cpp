#include "engine/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/codepage_registry.h"
#include "tests/engine/test_output.h"

namespace tekvo {
namespace {

using test_output::Hex;
using test_output::Units;

struct EncodeCase {
  const char* name;
  Text text;
  CodePageId cp;
  const char* hex;
};

TEST(CodePageBridge, TextToBytes) {
  const EncodeCase cases[] = {
      {"gbk-zhong", u"中文", 936, "D6 D0 CE C4"},
      {"big5-zhong", u"中文", 950, "A4 A4 A4 E5"},
      {"sjis-kana", u"カナ", 932, "83 4A 83 69"},
      {"ks-hangul", u"한", 949, "C7 D1"},
      {"johab-hangul", u"한", 1361, "D0 65"},
      {"johab-backslash-stays", u"a\\b", 1361, "61 5C 62"},
      {"sjis-controls-not-rotated", u"\x1A\x1C\x7F", 932, "1A 1C 7F"},
      {"johab-missing-is-question", u"\u0E01", 1361, "3F"},
      {"cp1252-euro", u"\u20AC", 1252, "80"},
      {"cp1252-best-fit-fullwidth", u"\uFF01", 1252, "21"},
      {"big5-best-fit-a-grave", u"\u00C0", 950, "41"},
      {"cp1252-missing-cjk", u"中", 1252, "3F"},
      {"cp1252-soft-hyphen-kept", u"\u00AD", 1252, "AD"},
      {"gbk-ignorable-cgj-is-question", u"\u034F", 936, "3F"},
      {"cp1251-hangul-filler-is-question", u"\u115F", 1251, "3F"},
      {"koi8r-missing-is-question-not-sub", u"\u00E9", 20866, "3F"},
      {"utf8-page", u"\u00E9", 65001, "C3 A9"},
      {"utf8-page-lone-surrogate", u"\xD800", 65001, "EF BF BD"},
      {"gb18030-pair", u"\U0001F600", 54936, "94 39 FC 36"},
      {"cp0-is-gbk", u"中", 0, "D6 D0"},
      // Windows' own mappings where ICU and glibc differ.
      {"cp1252-best-fit-a-macron", u"Ā", 1252, "41"},
      {"cp1250-best-fit-a-grave", u"\u00C0", 1250, "41"},
      {"cp1251-best-fit-e-acute", u"\u00E9", 1251, "65"},
      {"sjis-cent-best-fit", u"\u00A2", 932, "81 91"},
      {"sjis-0080-round-trips", u"\u0080\uF8F0", 932, "80 A0"},
      {"sjis-wave-dash-is-question", u"\u301C\u2014\u2212\u203E", 932, "3F 3F 3F 3F"},
      {"gbk-half-width-arrows-not-controls", u"\uFFE9\uFFEA\uFFEB\uFFEC\uFFEE", 936,
       "3F 3F 3F 3F 3F"},
      {"arabic-small-high-is-question", u"\uFE73", 1256, "3F"},
      {"greek-private-use-round-trips", u"\uF8F9", 1253, "AA"},
      {"johab-conjoining-jamo", u"\u11A8", 1361, "84 42"},
      {"latin2-smiley-not-control", u"\u263A\u2190", 28592, "3F 3F"},
      {"dos-smiley-stays-control", u"\u263A", 437, "01"},
      {"rejected-page", u"abc", 12345, ""},
      {"empty", u"", 936, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(TextToCodePageBytes(c.text, c.cp)), c.hex) << c.name;
  }
}

struct DecodeCase {
  const char* name;
  ByteString bytes;
  CodePageId cp;
  Text text;
};

TEST(CodePageBridge, BytesToText) {
  const DecodeCase cases[] = {
      {"gbk", "\xD6\xD0\xCE\xC4", 936, u"中文"},
      {"big5", "\xA4\xA4\xA4\xE5", 950, u"中文"},
      {"johab", "\xD0\x65", 1361, u"한"},
      {"johab-backslash-stays", "\\", 1361, u"\\"},
      {"johab-lead-without-trail", "a\x88 b", 1361, u"a\uFFFD b"},
      // Windows reads these bytes; ICU and glibc leave them undefined.
      {"johab-single-0x80", "a\x80", 1361, u"a\u0080"},
      {"johab-jamo-only-code", "\x84\x42", 1361, u"\u11A8"},
      {"johab-single-0xff", "\xFF", 1361, u"\uF8F6"},
      {"sjis-0x80", "\x80", 932, u"\u0080"},
      {"sjis-a0-fd-private-use", "\xA0\xFD\xFE\xFF", 932, u"\uF8F0\uF8F1\uF8F2\uF8F3"},
      {"greek-holes-private-use", "\xAA\xD2\xFF", 1253, u"\uF8F9\uF8FA\uF8FB"},
      {"hebrew-ca-and-holes", "\xCA\xD9\xFF", 1255, u"\u05BA\uF88D\uF896"},
      {"baltic-holes", "\xA1\xA5", 1257, u"\uF8FC\uF8FD"},
      {"johab-cut-at-end", "a\xD0", 1361, u"a\uFFFD"},
      {"gbk-lone-lead-at-end", "a\xD6", 936, u"a\uFFFD"},
      {"gbk-bad-byte-0x80",
       "\x80"
       "a",
       936,
       u"\u20AC"
       "a"},
      {"sjis-unassigned-pair",
       "\x85\x41"
       "a",
       932,
       u"\uFFFD"
       "a"},
      {"sjis-controls-not-rotated", "\x1A\x1C\x7F", 932, u"\x1A\x1C\x7F"},
      {"koi8r-ascii", "abc", 20866, u"abc"},
      {"utf8-page-invalid", "\xC3", 65001, u"\uFFFD"},
      {"rejected-page", "abc", 99999, u""},
      {"empty", "", 936, u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Units(CodePageBytesToText(c.bytes, c.cp)), Units(c.text)) << c.name;
  }
}

// Every code page the pair dialog offers converts, and every language the
// menus and the language dialog use has its page.
TEST(CodePageBridge, NoOfferedNumberIsDead) {
  const CodePageId offered[] = {936,  54936, 950,   20000, 932,   20932, 949,   1361, 874,
                                1258, 1252,  28591, 1253,  28597, 1251,  20866, 65001};
  for (CodePageId cp : offered) {
    EXPECT_TRUE(IsCodePageServed(cp)) << cp;
    EXPECT_EQ(CodePageBytesToText(TextToCodePageBytes(u"Az09", cp), cp), u"Az09") << cp;
  }
}

struct LocaleCase {
  const char* name;
  LocaleId lcid;
  std::optional<CodePageId> cp;
};

TEST(CodePageBridge, LocaleCodePages) {
  const LocaleCase cases[] = {
      {"gb", 2052, 936},
      {"big5", 1028, 950},
      {"ja", 1041, 932},
      {"ko", 1042, 949},
      {"th", 1054, 874},
      {"vi", 1066, 1258},
      {"en", 1033, 1252},
      {"el", 1032, 1253},
      {"ru", 1049, 1251},
      {"ar", 1025, 1256},
      {"he", 1037, 1255},
      {"hk", 0x0C04, 950},
      {"pl", 0x0415, 1250},
      {"tr", 0x041F, 1254},
      {"lt", 0x0427, 1257},
      {"neutral-zh", 0x0004, 936},
      {"stroke-sort-zh", 0x20804, 936},
      {"unknown", 12345, std::nullopt},
      {"unicode-only-hindi", 0x0439, std::nullopt},
      {"zero", 0, std::nullopt},
      {"negative", -2, std::nullopt},
      {"unknown-sort", 0x70804, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LocaleCodePage(c.lcid), c.cp) << c.name;
  }
  EXPECT_EQ(TextToLocaleBytes(u"中", 12345), std::nullopt);
  EXPECT_EQ(LocaleBytesToText("\xD6\xD0", 12345), std::nullopt);
  EXPECT_EQ(LocaleBytesToText("\xD6\xD0", 2052), Text(u"中"));
}

TEST(CodePageBridge, StatelessPages) {
  EXPECT_TRUE(IsCodePageStateless(936));
  EXPECT_TRUE(IsCodePageStateless(65001));
  EXPECT_TRUE(IsCodePageStateless(1361));
  EXPECT_FALSE(IsCodePageStateless(65000));
  EXPECT_FALSE(IsCodePageStateless(12345));
}

TEST(CodePageBridge, EveryServedPageOpens) {
  for (const auto& e : ServedCodePages()) {
    EXPECT_EQ(CodePageBytesToText("A", e.cp), u"A") << e.cp << " " << e.name;
    // ISO-2022-KR opens every stream with its designation header.
    const ByteString header = e.cp == 50225 ? "\x1b$)C" : "";
    EXPECT_EQ(TextToCodePageBytes(u"A", e.cp), header + "A") << e.cp << " " << e.name;
  }
}

}  // namespace
}  // namespace tekvo
