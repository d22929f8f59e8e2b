#include "editor/transfer_commands.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <string>

#include "dialogs/frm_tl.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

enum class Menu { kNumU, kReadQp, kBase64, kJieA };

struct FixedCase {
  std::string name;
  Menu menu;
  int index;
  Text text;
  Text want;
  Text say;
};

class FixedItems : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedItems, DecodeTheWholeText) {
  const FixedCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  switch (c.menu) {
    case Menu::kNumU:
      mnuNumU_Click(h.ctx, c.index);
      break;
    case Menu::kReadQp:
      mnuReadQp_Click(h.ctx, c.index);
      break;
    case Menu::kBase64:
      mnuBase64_Click(h.ctx, c.index);
      break;
    case Menu::kJieA:
      mnuJieA_Click(h.ctx, c.index);
      break;
  }
  EXPECT_EQ(h.box.Text(), c.want) << testing::PrintToString(c.text);
  EXPECT_EQ(h.say.Caption(), c.say);
  EXPECT_EQ(h.history.nCur(), c.want == c.text ? History::kOriginal : 0);
  EXPECT_TRUE(h.seam.Messages().empty());
}

const FixedCase kFixedCases[] = {
    {"html", Menu::kNumU, 0, u"&#x53EF;&#25511;&ordm;&Atilde;<br>x", u"可控ºÃ\r\nx", u"HTM--U "},
    {"backslash", Menu::kNumU, 1, u"\\u53EF\\u63A7\\x28\\x29", u"可控()", u"NumU(1)--U "},
    {"percent", Menu::kNumU, 2, u"%u53EF%u63A7%28%29", u"可控()", u"NumU(2)--U "},
    {"url-gb", Menu::kReadQp, 0, u"work%2Easp%3Fs%3D%B5%E7%C4%D4", u"work.asp?s=电脑", u"URL--GB "},
    {"url-big5", Menu::kReadQp, 1, u"%A4%A4%B0%EA", u"中國", u"URL--Big5 "},
    {"url-utf8", Menu::kReadQp, 2, u"%E7%94%B5+x", u"电 x", u"URL--UTF8 "},
    {"qp-gb-across-soft-break", Menu::kReadQp, 4, u"=D6=A7=B3=\r\n=D6ASCII=C2=EB", u"支持ASCII码",
     u"QP--GB "},
    {"qp-big5", Menu::kReadQp, 5, u"=A4=A4=B0=EA", u"中國", u"QP--Big5 "},
    {"qp-utf8", Menu::kReadQp, 6, u"=E7=94=B5", u"电", u"QP--UTF8 "},
    {"base64-gb-whole-text", Menu::kBase64, 0, u"QVNDSUkgvs3Kxw==", u"ASCII 就是", u"Base64--GB "},
    {"base64-big5", Menu::kBase64, 1, u"pKSw6g==", u"中國", u"Base64--Big5 "},
    {"base64-utf8-lines", Menu::kBase64, 2, u"55S1\r\n55S1", u"电电", u"Base64--UTF8 "},
    {"base64-not-base64", Menu::kBase64, 0, u"not base64!", u"not base64!", u"没有改变"},
    {"utf7", Menu::kJieA, 0, u"+UxdOrA- YES +Ti1XC2-", u"北京 YES 中國", u"UTF7--U "},
    {"hz", Menu::kJieA, 1, u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"只支持ASCII码的系统", u"HZ--GB "},
    {"hz-line-break-ends-gb", Menu::kJieA, 1, u"~{VP\r\nND", u"中\r\nND", u"HZ--GB "},
    {"nothing-to-decode", Menu::kJieA, 0, u"plain text", u"plain text", u"没有改变"},
};

INSTANTIATE_TEST_SUITE_P(Cases, FixedItems, testing::ValuesIn(kFixedCases), CaseName<FixedCase>);

TEST(Base64Selection, DecodesOnlyTheSelectionAndKeepsItSelected) {
  CommandHarness h;
  h.Load(u"Subject: x\r\n\r\nQVNDSUkgvs3Kxw==\r\nend");
  h.Select(12, 16);  // the Base64 line
  mnuBase64_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"Subject: x\r\n\r\nASCII 就是\r\nend");
  EXPECT_EQ(h.box.SelStart(), 12);
  EXPECT_EQ(h.box.SelLength(), 8);
  EXPECT_EQ(h.box.SelText(), u"ASCII 就是");
  EXPECT_EQ(h.say.Caption(), u"Base64--GB ");
  EXPECT_EQ(h.history.nCur(), 0);
}

TEST(Base64Selection, OneSelectedCharacterMeansTheWholeText) {
  CommandHarness h;
  h.Load(u"QUJD");
  h.Select(1, 1);
  mnuBase64_Click(h.ctx, 2);
  EXPECT_EQ(h.box.Text(), u"ABC");
}

TEST(Base64Selection, DecodedLineBreaksStaySelected) {
  CommandHarness h;
  h.Load(u"x YQ0KYg== y");  // "a\r\nb"
  h.Select(2, 8);
  mnuBase64_Click(h.ctx, 2);
  EXPECT_EQ(h.box.Text(), u"x a\r\nb y");
  EXPECT_EQ(h.box.SelStart(), 2);
  EXPECT_EQ(h.box.SelLength(), 3);
}

struct AskCase {
  std::string name;
  int format;
  int language;
  Text text;
  Text want;
  Text say;
};

class AskJieA : public testing::TestWithParam<AskCase> {};

TEST_P(AskJieA, DecodesWithTheDialogsChoice) {
  const AskCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.seam.OnDialog([&](QDialog& d) {
    auto& tl = dynamic_cast<FrmTl&>(d);
    tl.cboOpr()->setCurrentIndex(c.format);
    tl.cboCS()->setCurrentIndex(c.language);
    tl.Confirm();
  });
  mnuAskJieA_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), c.want);
  EXPECT_EQ(h.say.Caption(), c.say);
  EXPECT_EQ(h.seam.DialogsShown(), 1);
}

const AskCase kAskCases[] = {
    {"url-gb", 0, 0, u"%B5%E7%C4%D4", u"电脑", u"URL--GB"},
    {"url-japanese", 0, 2, u"%93%FA%96%7B", u"日本", u"URL--日文"},
    {"qp-korean", 1, 3, u"=C7=D1=B1=B9", u"한국", u"QP--韩文"},
    {"qp-russian", 1, 8, u"=CF=F0=E8=E2=E5=F2", u"Привет", u"QP--俄文"},
    {"base64-utf8", 2, 11, u"55S1", u"电", u"Base64--UTF8"},
    {"base64url-utf8", 3, 11, u"55S1", u"电", u"Base64(URL)--UTF8"},
    {"base64url-rejects-plus", 3, 11, u"+/+/", u"+/+/", u"没有改变"},
    {"base64url-greek", 3, 7, u"wfPl", u"Ασε", u"Base64(URL)--希腊文"},
};

INSTANTIATE_TEST_SUITE_P(Cases, AskJieA, testing::ValuesIn(kAskCases), CaseName<AskCase>);

TEST(AskJieACancel, LeavesTextAndStatus) {
  CommandHarness h;
  h.Load(u"%41", u"before");
  h.seam.OnDialog([](QDialog& d) { dynamic_cast<FrmTl&>(d).Cancel(); });
  mnuAskJieA_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u"%41");
  EXPECT_EQ(h.say.Caption(), u"before");
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

TEST(AskJieAReuse, DialogKeepsItsChoicesBetweenUses) {
  CommandHarness h;
  h.Load(u"=41");
  h.seam.OnDialog([](QDialog& d) {
    auto& tl = dynamic_cast<FrmTl&>(d);
    tl.cboOpr()->setCurrentIndex(1);
    tl.Confirm();
  });
  mnuAskJieA_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u"A");
  h.box.SetText(u"=42");
  h.seam.OnDialog([](QDialog& d) { dynamic_cast<FrmTl&>(d).Confirm(); });
  mnuAskJieA_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u"B");
  EXPECT_EQ(h.say.Caption(), u"QP--GB");
}

// "CgoK" is three LFs: four characters that the box stores as six units.
struct GrowthCase {
  std::string name;
  Text text;  // the document
  std::int32_t start;
  std::int32_t length;
  bool refused;
};

class Base64Growth : public testing::TestWithParam<GrowthCase> {};

TEST_P(Base64Growth, ResultPastTheLimitIsRefused) {
  const GrowthCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.Select(c.start, c.length);
  mnuBase64_Click(h.ctx, 0);
  EXPECT_LE(h.box.TextLength(), static_cast<std::int32_t>(kMaxTextLen));
  if (c.refused) {
    EXPECT_EQ(h.box.Text(), c.text);
    EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"});
    EXPECT_EQ(h.say.Caption(), u"没有改变");
  } else {
    EXPECT_NE(h.box.Text(), c.text);
    EXPECT_TRUE(h.seam.Messages().empty());
  }
}

Text CgoK(std::size_t times) {
  Text out;
  for (std::size_t i = 0; i < times; ++i) out += u"CgoK";
  return out;
}

const GrowthCase kGrowthCases[] = {
    // 2730 groups: 8190 LFs, 16380 units once stored.
    {"whole-text-fits", CgoK(2730), 0, 0, false},
    {"whole-text-past-limit", CgoK(2731), 0, 0, true},
    {"selection-fits", u"ab" + CgoK(2730), 2, 4 * 2730, false},
    {"selection-past-limit", u"abcd" + CgoK(2730), 4, 4 * 2730, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, Base64Growth, testing::ValuesIn(kGrowthCases),
                         CaseName<GrowthCase>);

TEST(AskJieAGrowth, ResultPastTheLimitIsRefused) {
  CommandHarness h;
  const Text text = CgoK(2731);
  h.Load(text);
  h.seam.OnDialog([](QDialog& d) {
    auto& tl = dynamic_cast<FrmTl&>(d);
    tl.cboOpr()->setCurrentIndex(FrmTl::kBase64);
    tl.Confirm();
  });
  mnuAskJieA_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), text);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"});
}

}  // namespace
}  // namespace tekvo
