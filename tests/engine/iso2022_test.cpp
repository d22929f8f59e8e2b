#include "engine/transfer/iso2022.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/engine/test_output.h"
#include "tests/id_output.h"

namespace tekvo {
namespace {

struct RestoreCase {
  const char* name;
  Text text;
  Iso2022Kind kind;
  Text want;
};

class RestoreTable : public testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreTable, PutsEscBack) {
  const RestoreCase& c = GetParam();
  EXPECT_EQ(RestoreIso2022Escapes(c.text, c.kind), c.want) << testing::PrintToString(c.text);
}

const RestoreCase kRestoreCases[] = {
    {"jp-both-designators", u"$B$R(B", Iso2022Kind::kJapanese, u"\x1b$B$R\x1b(B"},
    {"jp-esc-already-there", u"\x1b$B$R\x1b(B", Iso2022Kind::kJapanese, u"\x1b$B$R\x1b(B"},
    {"jp-mixed-esc", u"\x1b$B$R(B", Iso2022Kind::kJapanese, u"\x1b$B$R\x1b(B"},
    {"jp-empty-designation-dropped", u"$B(B", Iso2022Kind::kJapanese, u"\x1b(B"},
    {"jp-lower-case-not-matched", u"$b$R(b", Iso2022Kind::kJapanese, u"$b$R(b"},
    {"jp-chinese-designator-ignored", u"$)A", Iso2022Kind::kJapanese, u"$)A"},
    {"cn-gb2312", u"$)A\x0eVP\x0f", Iso2022Kind::kChinese, u"\x1b$)A\x0eVP\x0f"},
    {"cn-cns", u"$)G", Iso2022Kind::kChinese, u"\x1b$)G"},
    {"cn-gb-then-cns-drops-first", u"$)A$)G", Iso2022Kind::kChinese, u"\x1b$)G"},
    {"kr-repeated-header-collapses", u"$)C$)C", Iso2022Kind::kKorean, u"\x1b$)C"},
    {"kr-japanese-designator-ignored", u"$B", Iso2022Kind::kKorean, u"$B"},
    {"no-designator", u"plain text", Iso2022Kind::kJapanese, u"plain text"},
    {"empty", u"", Iso2022Kind::kJapanese, u""},
    {"kind-out-of-range", u"$B", static_cast<Iso2022Kind>(3), u"$B"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RestoreTable, testing::ValuesIn(kRestoreCases),
                         CaseName<RestoreCase>);

struct DecodeCase {
  const char* name;
  Text text;
  Iso2022Kind kind;
  Text want;
};

class DecodeTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, Decodes) {
  const DecodeCase& c = GetParam();
  const Converted got = DecodeIso2022Escapes(c.text, c.kind);
  EXPECT_FALSE(got.too_long);
  EXPECT_EQ(got.text, c.want) << testing::PrintToString(c.text);
}

// The mail texts were written by a standard ISO-2022 encoder, and every ESC
// was then taken out.
const DecodeCase kDecodeCases[] = {
    {"jp-hiragana", u"$B$R$H$?$S(B", Iso2022Kind::kJapanese, u"ひとたび"},
    {"jp-esc-kept", u"\x1b$B$R$H$?$S\x1b(B", Iso2022Kind::kJapanese, u"ひとたび"},
    {"jp-ascii-around", u"To: $B$R$H(B!", Iso2022Kind::kJapanese, u"To: ひと!"},
    {"jp-only-empty-designation", u"$B(B", Iso2022Kind::kJapanese, u"\x1b(B"},
    {"jp-lower-case-stays", u"$b$R$H", Iso2022Kind::kJapanese, u"$b$R$H"},
    {"jp-mail",
     u"$B$*@$OC$K$J$C$F$*$j$^$9!#(B\r\nTekvo $B$N7o!\"L@F|$N2q5D$G@bL@$7$^$9!#(B\r\n"
     u"$B$h$m$7$/$*4j$$$7$^$9!#(B",
     Iso2022Kind::kJapanese,
     u"お世話になっております。\r\nTekvo の件、明日の会議で説明します。\r\nよろしくお願いします。"},
    {"kr-mail",
     u"$)C\x0e>H3gGO<<?d\x0f.\r\n\x0e"
     u"3;@O\x0f \x0eH8@G4B\x0f 3\x0e=C?!\x0f "
     u"\x0e=C@[GU4O4Y\x0f.\r\n\x0e"
     u"0(;gGU4O4Y\x0f.",
     Iso2022Kind::kKorean, u"안녕하세요.\r\n내일 회의는 3시에 시작합니다.\r\n감사합니다."},
    {"kr-one-syllable",
     u"$)C\x0e"
     u"0!\x0f",
     Iso2022Kind::kKorean, u"가"},
    {"cn-gb2312", u"$)A\x0eVPND\x0f", Iso2022Kind::kChinese, u"中文"},
    {"cn-ascii-around", u"re: $)A\x0eVPND\x0f ok", Iso2022Kind::kChinese, u"re: 中文 ok"},
    {"plain-ascii-unchanged", u"hello", Iso2022Kind::kJapanese, u"hello"},
    {"empty", u"", Iso2022Kind::kJapanese, u""},
    {"kind-out-of-range", u"$B$R$H(B", static_cast<Iso2022Kind>(3), u"$B$R$H(B"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DecodeTable, testing::ValuesIn(kDecodeCases), CaseName<DecodeCase>);

TEST(DecodeIso2022Escapes, CodePagesOfTheKinds) {
  EXPECT_EQ(Iso2022CodePage(Iso2022Kind::kChinese), CodePageId{50227});
  EXPECT_EQ(Iso2022CodePage(Iso2022Kind::kJapanese), CodePageId{50221});
  EXPECT_EQ(Iso2022CodePage(Iso2022Kind::kKorean), CodePageId{50225});
  EXPECT_EQ(Iso2022CodePage(static_cast<Iso2022Kind>(-1)), CodePageId{0});
}

TEST(DecodeIso2022Escapes, TooLongKeepsTheInputWithoutEscapes) {
  const Text text = u"abc$B$R$H(Bdef";
  const Converted got = DecodeIso2022Escapes(text, Iso2022Kind::kJapanese, 5);
  EXPECT_TRUE(got.too_long);
  EXPECT_EQ(got.text, text);
}

TEST(DecodeIso2022Escapes, RestoredTextOverLimitIsRefused) {
  // Nothing decodes, so the restored text would come back; it gained an ESC
  // and no longer fits the limit the input met.
  const Converted got = DecodeIso2022Escapes(u"(B", Iso2022Kind::kJapanese, 2);
  EXPECT_TRUE(got.too_long);
  EXPECT_EQ(got.text, u"(B");
}

TEST(DecodeIso2022Escapes, HalfWidthKatakanaShiftedIn) {
  // The Japanese page accepts the one-byte kana of the shift-out form.
  const Converted got = DecodeIso2022Escapes(u"\x0e\x31\x32\x0f", Iso2022Kind::kJapanese);
  EXPECT_EQ(got.text, u"ｱｲ");
}

}  // namespace
}  // namespace tekvo
