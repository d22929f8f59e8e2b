#include "editor/decode_commands.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "dialogs/frm_cp.h"
#include "dialogs/frm_lid.h"
#include "editor/menu_captions.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// `sentence` written in encoding b and shown as encoding a, as it would be
// pasted.
Text Garble(const Text& sentence, LocaleId a, LocaleId b) {
  ByteString bytes = b == kIdUtf8      ? TextToUtf8Bytes(sentence)
                     : b == kIdUtf16Be ? SwapBytePairs(TextToUtf16LeBytes(sentence))
                                       : TextToLocaleBytes(sentence, b).value();
  return a == kIdUtf16Le ? Utf16LeBytesToText(bytes) : LocaleBytesToText(bytes, a).value();
}

struct FixedCase {
  std::string name;
  int index;
  LocaleId a, b;  // the pair the item's caption names
  Text sentence;
  Text say;
};

class FixedRepairItems : public testing::TestWithParam<FixedCase> {};

TEST_P(FixedRepairItems, RepairTheGarbledText) {
  const FixedCase& c = GetParam();
  const Text garbled = Garble(c.sentence, c.a, c.b);
  ASSERT_NE(garbled, c.sentence);
  CommandHarness h;
  h.Load(garbled);
  mnuChgA2B_Click(h.ctx, c.index);
  EXPECT_EQ(h.box.Text(), c.sentence);
  EXPECT_EQ(h.say.Caption(), c.say);
  EXPECT_EQ(h.history.nCur(), 0);
  EXPECT_TRUE(h.seam.Messages().empty());
}

const FixedCase kFixedCases[] = {
    {"gb-big5", 0, LocaleId{2052}, LocaleId{1028}, u"中華民國的歷史悠久。", u"GB--Big5 "},
    {"gb-ja", 1, LocaleId{2052}, LocaleId{1041}, u"日本語の文章です。", u"GB--日文 "},
    {"gb-ko", 2, LocaleId{2052}, LocaleId{1042}, u"한국어 문장을 읽습니다.", u"GB--韩文 "},
    {"gb-ru", 3, LocaleId{2052}, LocaleId{1049}, u"Привет всем, тест", u"GB--俄文 "},
    {"gb-utf8", 4, LocaleId{2052}, LocaleId{-3}, u"中文测试没有问题", u"GB--UTF8 "},
    {"big5-gb", 6, LocaleId{1028}, LocaleId{2052}, u"简体中文的句子。", u"Big5--GB "},
    {"big5-ko", 7, LocaleId{1028}, LocaleId{1042}, u"한국어 문장을 읽습니다.", u"Big5--韩文 "},
    {"ja-gb", 8, LocaleId{1041}, LocaleId{2052}, u"简体中文的句子。", u"日文--GB "},
    {"ko-gb", 9, LocaleId{1042}, LocaleId{2052}, u"简体中文的句子。", u"韩文--GB "},
    {"ru-gb", 10, LocaleId{1049}, LocaleId{2052}, u"简体中文的句子。", u"俄文--GB "},
    {"eng-gb", 12, LocaleId{1033}, LocaleId{2052}, u"简体中文的句子。\r\nline two", u"Eng--GB "},
    {"eng-big5", 13, LocaleId{1033}, LocaleId{1028}, u"中華民國的歷史。", u"Eng--Big5 "},
    {"eng-utf8", 14, LocaleId{1033}, LocaleId{-3}, u"中文和日本語と한국어", u"Eng--UTF8 "},
    {"u-ube", 15, LocaleId{-2}, LocaleId{-1}, u"中文 text", u"U--UBE "},
};

INSTANTIATE_TEST_SUITE_P(Cases, FixedRepairItems, testing::ValuesIn(kFixedCases),
                         CaseName<FixedCase>);

TEST(FixedRepairItems, NothingToRepairSaysNoChange) {
  CommandHarness h;
  h.Load(u"plain ASCII text");
  mnuChgA2B_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"plain ASCII text");
  EXPECT_EQ(h.say.Caption(), u"没有改变");
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

TEST(FixedRepairItems, SeparatorsAndStrayIndexesDoNothing) {
  for (int index : {5, 11, 16, -1}) {
    CommandHarness h;
    h.Load(u"い地チ瓣", u"before");
    mnuChgA2B_Click(h.ctx, index);
    EXPECT_EQ(h.box.Text(), u"い地チ瓣") << index;
    EXPECT_EQ(h.say.Caption(), u"before") << index;
    EXPECT_EQ(h.history.nCur(), History::kOriginal) << index;
  }
}

// The menu captions and the shared table of repairs describe the same items.
TEST(FixedRepairItems, MenuAndTableAgree) {
  for (int i = 0; i < kFixedRepairMenuSlots; ++i) {
    const FixedRepair* repair = FixedRepairAtMenuIndex(i);
    if (repair == nullptr) {
      EXPECT_EQ(captions::kChgA2B[i], captions::kSeparator) << i;
    } else {
      EXPECT_EQ(captions::kChgA2B[i], repair->caption) << i;
    }
  }
}

struct AskCase {
  std::string name;
  int index;  // 0 language pair, 1 code page pair
  bool numbers;
  Text a, b;           // typed numbers
  int list_a, list_b;  // list positions, -1 to keep
  Text text;
  Text want;
  Text say;
};

class AskItems : public testing::TestWithParam<AskCase> {};

void Script(PairDialog& dialog, const AskCase& c) {
  if (c.list_a >= 0) dialog.cboCS(0)->setCurrentIndex(c.list_a);
  if (c.list_b >= 0) dialog.cboCS(1)->setCurrentIndex(c.list_b);
  if (c.numbers) {
    dialog.optOpr(0)->setChecked(true);
    dialog.numberBox(0)->setText(QString::fromStdU16String(c.a));
    dialog.numberBox(1)->setText(QString::fromStdU16String(c.b));
  }
  dialog.Confirm();
}

TEST_P(AskItems, RepairWithThePairOfTheDialog) {
  const AskCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.seam.OnDialog([&](QDialog& d) { Script(dynamic_cast<PairDialog&>(d), c); });
  mnuAskA2B_Click(h.ctx, c.index);
  EXPECT_EQ(h.seam.DialogsShown(), 1);
  EXPECT_EQ(h.box.Text(), c.want);
  EXPECT_EQ(h.say.Caption(), c.say);
}

const AskCase kAskCases[] = {
    {"lid-first-use-gb-utf8", 0, false, u"", u"", -1, -1, u"涓\uE15F枃", u"中文", u"GB--UTF8"},
    {"lid-list-gb-big5", 0, false, u"", u"", 0, 1, u"い地チ瓣", u"中華民國", u"GB--Big5"},
    {"lid-typed-utf16-swap", 0, true, u"-2", u"-1", -1, -1, u"\u4100\u4200", u"AB",
     u"LCID: (-2)--(-1)"},
    {"lid-unknown-lcid", 0, true, u"12345", u"2052", -1, -1, u"abc", u"abc", u"没有改变"},
    {"cp-first-use-gbk-utf8", 1, false, u"", u"", -1, -1, u"涓\uE15F枃", u"中文",
     u"简体中文(GBK) -- Unicode(UTF-8)"},
    {"cp-typed-950-936", 1, true, u"950", u"936", -1, -1, u"中華民國", u"い地チ瓣",
     u"CP: (950)--(936)"},
    {"cp-typed-1252-65001", 1, true, u"1252", u"65001", -1, -1, u"cafÃ©", u"café",
     u"CP: (1252)--(65001)"},
    {"cp-list-utf16-identity", 1, false, u"", u"", 16, 16, u"\uFEFFab", u"ab", u"(=) -- (=)"},
    {"cp-rejected-page", 1, true, u"99999", u"936", -1, -1, u"abc", u"abc", u"没有改变"},
};

INSTANTIATE_TEST_SUITE_P(Cases, AskItems, testing::ValuesIn(kAskCases), CaseName<AskCase>);

TEST(AskItems, CancelLeavesTextAndStatus) {
  for (int index : {0, 1}) {
    CommandHarness h;
    h.Load(u"い地チ瓣", u"before");
    h.seam.OnDialog([](QDialog& d) { dynamic_cast<PairDialog&>(d).Cancel(); });
    mnuAskA2B_Click(h.ctx, index);
    EXPECT_EQ(h.box.Text(), u"い地チ瓣");
    EXPECT_EQ(h.say.Caption(), u"before");
    EXPECT_EQ(h.history.nCur(), History::kOriginal);
  }
}

TEST(AskItems, LetterInNumberBoxNeverConfirms) {
  CommandHarness h;
  h.Load(u"い地チ瓣", u"before");
  h.seam.OnDialog([](QDialog& d) {
    auto& cp = dynamic_cast<FrmCp&>(d);
    cp.optOpr(0)->setChecked(true);
    cp.txtCP(0)->setText(QStringLiteral("GBK"));
    cp.Confirm();
    // Still open: the fake seam then closes it as a cancel.
    EXPECT_TRUE(cp.isVisible());
  });
  mnuAskA2B_Click(h.ctx, 1);
  EXPECT_EQ(h.box.Text(), u"い地チ瓣");
  EXPECT_EQ(h.say.Caption(), u"before");
}

TEST(AskItems, DialogsKeepTheirChoicesBetweenUses) {
  CommandHarness h;
  h.Load(u"い地チ瓣");
  h.seam.OnDialog([](QDialog& d) {
    auto& lid = dynamic_cast<FrmLid&>(d);
    lid.cboCS(1)->setCurrentIndex(1);
    lid.Confirm();
  });
  mnuAskA2B_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"中華民國");
  h.Load(u"い地チ瓣");
  h.seam.OnDialog([](QDialog& d) { dynamic_cast<FrmLid&>(d).Confirm(); });
  mnuAskA2B_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"中華民國");
  EXPECT_EQ(h.say.Caption(), u"GB--Big5");
}

TEST(AskItems, OverLongResultIsRefusedWithTheMessage) {
  // UTF-8 bytes read as UTF-16 grow by half: 12000 characters become 18000.
  CommandHarness h;
  const Text text(12000, u'\u4E2D');
  h.Load(text);
  h.seam.OnDialog([](QDialog& d) {
    auto& lid = dynamic_cast<FrmLid&>(d);
    lid.optOpr(0)->setChecked(true);
    lid.txtLid(0)->setText(QStringLiteral("-3"));
    lid.txtLid(1)->setText(QStringLiteral("-2"));
    lid.Confirm();
  });
  mnuAskA2B_Click(h.ctx, 0);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"});
  EXPECT_EQ(h.box.Text(), text);
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

TEST(FixedRepairItems, ResultThatGrowsInTheBoxIsRefused) {
  // "U--UBE" turns each U+0A00 into a lone LF: 9000 units, within the
  // engine's limit, but 18000 once the box stores every line break as CR LF.
  CommandHarness h;
  const Text text(9000, u'\u0A00');
  h.Load(text);
  mnuChgA2B_Click(h.ctx, 15);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"});
  EXPECT_EQ(h.box.Text(), text);
  EXPECT_EQ(h.say.Caption(), u"没有改变");
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

}  // namespace
}  // namespace tekvo
