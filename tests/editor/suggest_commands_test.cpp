#include "editor/suggest_commands.h"

#include <gtest/gtest.h>

#include <QTreeWidget>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "dialogs/frm_suggest.h"
#include "editor/key_table.h"
#include "editor/line_breaks.h"
#include "engine/codepage/codepage.h"
#include "files/path_text.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

const Text kTraditional = u"檢測當前語言環境來選擇一個預設的輸出裝置。\r\n它首先使用環境變數。";
const Text kSimplified = u"在 Debian 这种规模的项目中，很难避免遇到与你意见不和的人。";

// Traditional Chinese whose Big5 bytes are shown as GB.
Text Big5ShownAsGb(const Text& clean) {
  return CodePageBytesToText(TextToCodePageBytes(clean, CodePageId{950}), CodePageId{936});
}

enum class Act { kConfirmFirst, kConfirmSecond, kDoubleClickFirst, kCancel, kCloseBox };

struct PickCase {
  std::string name;
  Text text;
  Act act;
  bool changes;  // the text changes and a step is added
  Text say;      // the status text afterwards
};

class SuggestPick : public testing::TestWithParam<PickCase> {};

TEST_P(SuggestPick, AppliesThePickAsOneStep) {
  const PickCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text, u"before");
  Text picked_text;
  Text picked_name;
  h.seam.OnDialog([&](QDialog& d) {
    auto& dlg = dynamic_cast<FrmSuggest&>(d);
    QTreeWidget* list = dlg.lstA();
    ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(dlg.Candidates().size()));
    const int row = c.act == Act::kConfirmSecond ? 1 : 0;
    list->setCurrentItem(list->topLevelItem(row));
    picked_text = dlg.Candidates()[row].text;
    picked_name = dlg.Candidates()[row].name;
    switch (c.act) {
      case Act::kConfirmFirst:
      case Act::kConfirmSecond:
        dlg.Confirm();
        break;
      case Act::kDoubleClickFirst:
        emit list->itemDoubleClicked(list->topLevelItem(0), 0);
        break;
      case Act::kCancel:
        dlg.Cancel();
        break;
      case Act::kCloseBox:
        dlg.reject();
        break;
    }
  });
  mnuSuggest_Click(h.ctx);
  EXPECT_EQ(h.seam.DialogsShown(), 1);
  if (!c.say.empty()) EXPECT_EQ(h.say.Caption(), c.say);
  if (c.changes) {
    EXPECT_EQ(h.box.Text(), picked_text);
    EXPECT_EQ(h.say.Caption(), picked_name);
    EXPECT_EQ(h.history.nCur(), 0);
    // One step: going back returns the text as it came in.
    h.history.cmdUd_Click(kUndo);
    EXPECT_EQ(h.box.Text(), c.text);
  } else {
    EXPECT_EQ(h.box.Text(), c.text);
    EXPECT_EQ(h.history.nCur(), History::kOriginal);
  }
}

const PickCase kPickCases[] = {
    {"confirm-best", Big5ShownAsGb(kTraditional), Act::kConfirmFirst, true, u"GB--Big5 "},
    {"double-click", Big5ShownAsGb(kTraditional), Act::kDoubleClickFirst, true, u"GB--Big5 "},
    {"confirm-second", Big5ShownAsGb(kTraditional), Act::kConfirmSecond, true, u""},
    {"cancel", Big5ShownAsGb(kTraditional), Act::kCancel, false, u"before"},
    {"close-box", Big5ShownAsGb(kTraditional), Act::kCloseBox, false, u"before"},
    {"clean-text-no-repair", kSimplified, Act::kConfirmFirst, false, u"没有改变"},
    {"empty-text", u"", Act::kConfirmFirst, false, u"没有改变"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SuggestPick, testing::ValuesIn(kPickCases), CaseName<PickCase>);

// F10, then cancelled: the name and text of the candidate listed first.
std::pair<Text, Text> FirstListed(CommandHarness& h) {
  std::pair<Text, Text> first;
  h.seam.OnDialog([&](QDialog& d) {
    auto& dlg = dynamic_cast<FrmSuggest&>(d);
    first = {dlg.Candidates().front().name, dlg.Candidates().front().text};
    dlg.Cancel();
  });
  mnuSuggest_Click(h.ctx);
  return first;
}

TEST(SuggestCommand, BestRepairIsListedFirst) {
  CommandHarness h;
  h.Load(Big5ShownAsGb(kTraditional));
  const auto [first_name, first_text] = FirstListed(h);
  EXPECT_EQ(first_name, u"GB--Big5 ");
  EXPECT_EQ(first_text, kTraditional);
}

// Japanese text in a Shift-JIS file opened as GB: reading the GB text back
// as Shift-JIS loses what GB could not show, the file's bytes do not.
TEST(SuggestCommand, AFileOpenedInTheWrongEncodingIsReadAgain) {
  const Text japanese = u"ファイルの文字コードを自動で判定します。";
  const ByteString bytes = TextToCodePageBytes(japanese, CodePageId{932});
  const std::string path = testing::TempDir() + "/tekvo-suggest-sjis.txt";
  std::ofstream(path, std::ios::binary) << bytes;
  const struct {
    const char* name;
    bool stepped;  // a step was taken before F10
    bool offered;
  } cases[] = {{"as-opened", false, true}, {"after-a-step", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandHarness h;
    h.Load(CodePageBytesToText(bytes, CodePageId{936}));
    h.ctx.file.sFile = LosslessPathText(path);
    if (c.stepped) h.Change(h.box.Text() + u"x", u"step");
    const auto [first_name, first_text] = FirstListed(h);
    EXPECT_EQ(first_name == u"重读文件: shift-jis ", c.offered);
    if (c.offered) EXPECT_EQ(first_text, japanese);
  }
  std::remove(path.c_str());
}

TEST(SuggestCommand, ResultsTheBoxCannotHoldAreNotOffered) {
  const struct {
    const char* name;
    Text text;
  } cases[] = {
      // Swapping the bytes of U+0A00 gives a line feed: 9000 units become
      // 9000 line breaks, which the box stores as 18000 units of CR LF.
      {"line-feeds-from-swapped-bytes", Text(9000, u'\u0A00')},
      // GB text shown through a Western page doubles in length.
      {"double-byte-text-near-the-limit", Text(9000, u'\u4E2D')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandHarness h;
    h.Load(c.text);
    std::vector<std::pair<Text, std::size_t>> listed;
    h.seam.OnDialog([&](QDialog& d) {
      auto& dlg = dynamic_cast<FrmSuggest&>(d);
      for (const auto& cand : dlg.Candidates())
        listed.emplace_back(cand.name, BoxFormLength(cand.text));
      dlg.Cancel();
    });
    mnuSuggest_Click(h.ctx);
    ASSERT_FALSE(listed.empty());
    for (const auto& [name, length] : listed) {
      EXPECT_LE(length, kMaxTextLen) << TextToUtf8Bytes(name);
    }
    EXPECT_EQ(h.box.Text(), c.text);
  }
}

TEST(SuggestCommand, F10OpensTheDialogWithOrWithoutCtrl) {
  for (Qt::KeyboardModifiers modifiers :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
    CommandHarness h;
    h.Load(Big5ShownAsGb(kTraditional));
    h.seam.OnDialog([](QDialog& d) { dynamic_cast<FrmSuggest&>(d).Confirm(); });
    txtA_KeyUp(h.ctx, Qt::Key_F10, modifiers);
    EXPECT_EQ(h.seam.DialogsShown(), 1);
    EXPECT_EQ(h.box.Text(), kTraditional);
    EXPECT_EQ(h.say.Caption(), u"GB--Big5 ");
  }
}

TEST(SuggestCommand, MenuItemIsLastOfTheCodePageMenuAfterASeparator) {
  CommandHarness h;
  ASSERT_NE(h.menus.mnuSuggest, nullptr);
  const auto actions = h.menus.mnuJiedusB->actions();
  ASSERT_GE(actions.size(), 2);
  EXPECT_EQ(actions.back(), h.menus.mnuSuggest);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(h.menus.mnuSuggest->text(), QStringLiteral("自动推荐 [F10] …"));
  EXPECT_EQ(h.menus.mnuSuggest->objectName(), QStringLiteral("mnuSuggest"));
}

}  // namespace
}  // namespace tekvo
