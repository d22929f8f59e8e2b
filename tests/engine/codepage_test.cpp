#include "engine/codepage/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/codepage/codepage_registry.h"
#include "tests/engine/test_output.h"
#include "tests/id_output.h"

namespace tekvo {
namespace {

using test_output::Hex;
using test_output::Units;

// A locale passed where a code page is meant, or a bare number for either,
// does not compile.
static_assert(!std::is_convertible_v<LocaleId, CodePageId>);
static_assert(!std::is_convertible_v<CodePageId, LocaleId>);
static_assert(!std::is_convertible_v<int, LocaleId> && !std::is_convertible_v<int, CodePageId>);

struct EncodeCase {
  const char* name;
  Text text;
  std::int32_t cp;
  const char* hex;
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
  *os << c.name << " " << Units(c.text) << " cp " << c.cp;
}

class TextToCodePage : public testing::TestWithParam<EncodeCase> {};

TEST_P(TextToCodePage, GivesTheBytes) {
  EXPECT_EQ(Hex(TextToCodePageBytes(GetParam().text, CodePageId{GetParam().cp})), GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToCodePage,
                         testing::ValuesIn(std::vector<EncodeCase>{
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
                             {"sjis-wave-dash-is-question", u"\u301C\u2014\u2212\u203E", 932,
                              "3F 3F 3F 3F"},
                             {"gbk-half-width-arrows-not-controls",
                              u"\uFFE9\uFFEA\uFFEB\uFFEC\uFFEE", 936, "3F 3F 3F 3F 3F"},
                             {"arabic-small-high-is-question", u"\uFE73", 1256, "3F"},
                             {"greek-private-use-round-trips", u"\uF8F9", 1253, "AA"},
                             {"johab-conjoining-jamo", u"\u11A8", 1361, "84 42"},
                             {"latin2-smiley-not-control", u"\u263A\u2190", 28592, "3F 3F"},
                             {"dos-smiley-stays-control", u"\u263A", 437, "01"},
                             {"rejected-page", u"abc", 12345, ""},
                             {"empty", u"", 936, ""},
                         }),
                         CaseName<EncodeCase>);

struct DecodeCase {
  const char* name;
  ByteString bytes;
  std::int32_t cp;
  Text text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.name << " " << Hex(c.bytes) << " cp " << c.cp;
}

class CodePageToText : public testing::TestWithParam<DecodeCase> {};

TEST_P(CodePageToText, GivesTheText) {
  EXPECT_EQ(Units(CodePageBytesToText(GetParam().bytes, CodePageId{GetParam().cp})),
            Units(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageToText,
    testing::ValuesIn(std::vector<DecodeCase>{
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
    }),
    CaseName<DecodeCase>);

// Every code page the pair dialog offers converts, and every language the
// menus and the language dialog use has its page.
TEST(CodePageBridge, NoOfferedNumberIsDead) {
  const CodePageId offered[] = {
      CodePageId{936},   CodePageId{54936}, CodePageId{950},  CodePageId{20000}, CodePageId{932},
      CodePageId{20932}, CodePageId{949},   CodePageId{1361}, CodePageId{874},   CodePageId{1258},
      CodePageId{1252},  CodePageId{28591}, CodePageId{1253}, CodePageId{28597}, CodePageId{1251},
      CodePageId{20866}, CodePageId{65001}};
  for (CodePageId cp : offered) {
    EXPECT_TRUE(IsCodePageServed(cp)) << cp;
    EXPECT_EQ(CodePageBytesToText(TextToCodePageBytes(u"Az09", cp), cp), u"Az09") << cp;
  }
}

// The languages the menus and dialogs name, with the code page each stands
// for.
struct LocaleCase {
  const char* name;
  LocaleId lcid;
  std::optional<CodePageId> cp;
};

void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.name << " " << c.lcid; }

class LocaleCodePages : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleCodePages, DefaultAnsiPage) {
  EXPECT_EQ(LocaleCodePage(GetParam().lcid), GetParam().cp);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocaleCodePages,
    testing::Values(LocaleCase{"gb", LocaleId{2052}, CodePageId{936}},
                    LocaleCase{"big5", LocaleId{1028}, CodePageId{950}},
                    LocaleCase{"ja", LocaleId{1041}, CodePageId{932}},
                    LocaleCase{"ko", LocaleId{1042}, CodePageId{949}},
                    LocaleCase{"th", LocaleId{1054}, CodePageId{874}},
                    LocaleCase{"vi", LocaleId{1066}, CodePageId{1258}},
                    LocaleCase{"en", LocaleId{1033}, CodePageId{1252}},
                    LocaleCase{"el", LocaleId{1032}, CodePageId{1253}},
                    LocaleCase{"ru", LocaleId{1049}, CodePageId{1251}},
                    LocaleCase{"ar", LocaleId{1025}, CodePageId{1256}},
                    LocaleCase{"he", LocaleId{1037}, CodePageId{1255}},
                    LocaleCase{"neutral-zh", LocaleId{0x0004}, CodePageId{936}},
                    LocaleCase{"neutral-ar", LocaleId{0x0001}, CodePageId{1256}},
                    LocaleCase{"neutral-sw", LocaleId{0x0041}, CodePageId{1252}},
                    LocaleCase{"neutral-armenian-unicode-only", LocaleId{0x002B}, std::nullopt},
                    LocaleCase{"stroke-sort-zh", LocaleId{0x20804}, CodePageId{936}},
                    LocaleCase{"phone-book-de", LocaleId{0x10407}, CodePageId{1252}},
                    LocaleCase{"unknown-sort", LocaleId{0x70804}, std::nullopt},
                    LocaleCase{"sort-of-unknown-locale", LocaleId{0x10409}, std::nullopt},
                    LocaleCase{"unknown", LocaleId{12345}, std::nullopt},
                    LocaleCase{"unicode-only-hindi", LocaleId{0x0439}, std::nullopt},
                    LocaleCase{"zero", LocaleId{0}, std::nullopt},
                    LocaleCase{"negative", LocaleId{-2}, std::nullopt}),
    CaseName<LocaleCase>);

// Every specific locale (0x0400 and above) against Windows' default ANSI code
// pages, page by page; every number not listed has no page.
TEST(LocaleCodePageTable, EverySpecificLocale) {
  const struct {
    CodePageId cp;
    std::vector<std::int32_t> lcids;
  } pages[] = {
      {CodePageId{1256}, {0x0401, 0x0801, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001,
                          0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001,
                          0x0429, 0x0420, 0x0480, 0x048C, 0x0492, 0x0846, 0x0859}},
      {CodePageId{1250},
       {0x041C, 0x041A, 0x101A, 0x0405, 0x040E, 0x0415, 0x0418, 0x041B, 0x0424, 0x141A, 0x181A,
        0x081A, 0x241A, 0x2C1A, 0x0442, 0x0818}},
      {CodePageId{1251},
       {0x0402, 0x0419, 0x0422, 0x0423, 0x042F, 0x043F, 0x0440, 0x0444, 0x0450, 0x046D,
        0x0485, 0x0428, 0x082C, 0x0843, 0x0C1A, 0x1C1A, 0x201A, 0x281A, 0x301A, 0x0819}},
      {CodePageId{1253}, {0x0408}},
      {CodePageId{1254}, {0x041F, 0x042C, 0x0443}},
      {CodePageId{1255}, {0x040D}},
      {CodePageId{1257}, {0x0425, 0x0426, 0x0427}},
      {CodePageId{1258}, {0x042A}},
      {CodePageId{874}, {0x041E}},
      {CodePageId{936}, {0x0804, 0x1004}},
      {CodePageId{950}, {0x0404, 0x0C04, 0x1404}},
      {CodePageId{932}, {0x0411}},
      {CodePageId{949}, {0x0412}},
      {CodePageId{1252},
       {// Afrikaans to French.
        0x0436, 0x0484, 0x042D, 0x047E, 0x0403, 0x0483, 0x0406, 0x0413, 0x0813, 0x0409, 0x0809,
        0x0C09, 0x1009, 0x1409, 0x1809, 0x1C09, 0x2009, 0x2409, 0x2809, 0x2C09, 0x3009, 0x3409,
        0x3C09, 0x4009, 0x4409, 0x4809, 0x0438, 0x0464, 0x040B, 0x040C, 0x080C, 0x0C0C, 0x100C,
        0x140C, 0x180C,
        // Frisian to Norwegian.
        0x0462, 0x0456, 0x0407, 0x0807, 0x0C07, 0x1007, 0x1407, 0x046F, 0x0468, 0x040F, 0x0470,
        0x0421, 0x085D, 0x083C, 0x0434, 0x0435, 0x0410, 0x0810, 0x0486, 0x0487, 0x0441, 0x082E,
        0x042E, 0x046E, 0x043E, 0x083E, 0x047A, 0x047C, 0x0414, 0x0814,
        // Occitan to Swedish.
        0x0482, 0x0416, 0x0816, 0x046B, 0x086B, 0x0C6B, 0x0417, 0x043B, 0x083B, 0x0C3B, 0x103B,
        0x143B, 0x183B, 0x1C3B, 0x203B, 0x243B, 0x046C, 0x0432, 0x040A, 0x080A, 0x0C0A, 0x100A,
        0x140A, 0x180A, 0x1C0A, 0x200A, 0x240A, 0x280A, 0x2C0A, 0x300A, 0x340A, 0x380A, 0x3C0A,
        0x400A, 0x440A, 0x480A, 0x4C0A, 0x500A, 0x540A, 0x041D, 0x081D,
        // The rest.
        0x085F, 0x0452, 0x0488, 0x046A, 0x0491, 0x0467, 0x0867, 0x0430, 0x0431, 0x0476, 0x0479,
        0x0469, 0x0471, 0x0475, 0x0474}},
  };
  std::map<std::int32_t, CodePageId> expected;
  for (const auto& page : pages) {
    for (std::int32_t lcid : page.lcids) {
      EXPECT_TRUE(expected.emplace(lcid, page.cp).second) << "listed twice: " << lcid;
    }
  }
  EXPECT_EQ(expected.size(), 197u);
  for (std::int32_t lcid = 0x0400; lcid <= 0xFFFF; ++lcid) {
    const auto it = expected.find(lcid);
    const std::optional<CodePageId> want =
        it == expected.end() ? std::nullopt : std::optional<CodePageId>(it->second);
    EXPECT_EQ(LocaleCodePage(LocaleId{lcid}), want) << std::hex << "0x" << lcid;
  }
}

TEST(LocaleCodePageTable, UnknownLocaleFailsTheConversion) {
  EXPECT_EQ(TextToLocaleBytes(u"中", LocaleId{12345}), std::nullopt);
  EXPECT_EQ(LocaleBytesToText("\xD6\xD0", LocaleId{12345}), std::nullopt);
  EXPECT_EQ(LocaleBytesToText("\xD6\xD0", LocaleId{2052}), Text(u"中"));
}

TEST(CodePageBridge, StatelessPages) {
  EXPECT_TRUE(IsCodePageStateless(CodePageId{936}));
  EXPECT_TRUE(IsCodePageStateless(CodePageId{65001}));
  EXPECT_TRUE(IsCodePageStateless(CodePageId{1361}));
  EXPECT_FALSE(IsCodePageStateless(CodePageId{65000}));
  EXPECT_FALSE(IsCodePageStateless(CodePageId{12345}));
}

TEST(CodePageBridge, EveryServedPageOpens) {
  for (const auto& e : ServedCodePages()) {
    EXPECT_EQ(CodePageBytesToText("A", e.cp), u"A") << e.cp << " " << e.name;
    // ISO-2022-KR opens every stream with its designation header.
    const ByteString header = e.cp == CodePageId{50225} ? "\x1b$)C" : "";
    EXPECT_EQ(TextToCodePageBytes(u"A", e.cp), header + "A") << e.cp << " " << e.name;
  }
}

}  // namespace
}  // namespace tekvo
