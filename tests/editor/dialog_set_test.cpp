#include "editor/dialog_set.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

class PlainDialog : public QDialog {
 public:
  explicit PlainDialog(QWidget* parent) : QDialog(parent) {}
  int choice = 0;
};

class AskingDialog : public QDialog {
 public:
  AskingDialog(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter(&prompter) {}
  Prompter* prompter;
};

TEST(DialogSetTest, CreatesOnFirstUseAndKeepsChoices) {
  EnsureQtApplication();
  QWidget window;
  FakeSeam seam;
  DialogSet set(&window, seam);
  EXPECT_EQ(set.Find<PlainDialog>(), nullptr);
  PlainDialog& first = set.Get<PlainDialog>();
  EXPECT_EQ(first.parent(), &window);
  first.choice = 7;
  EXPECT_EQ(&set.Get<PlainDialog>(), &first);
  EXPECT_EQ(set.Get<PlainDialog>().choice, 7);
  EXPECT_EQ(set.Count(), 1);
}

TEST(DialogSetTest, HandsThePrompterToDialogsThatAsk) {
  EnsureQtApplication();
  FakeSeam seam;
  DialogSet set(nullptr, seam);
  EXPECT_EQ(set.Get<AskingDialog>().prompter, &seam);
  set.Get<PlainDialog>();
  EXPECT_EQ(set.Count(), 2);
}

TEST(DialogSetTest, CloseAllDestroysAndNextUseStartsAfresh) {
  EnsureQtApplication();
  QWidget window;
  FakeSeam seam;
  DialogSet set(&window, seam);
  set.Get<PlainDialog>().choice = 3;
  set.CloseAll();
  EXPECT_EQ(set.Count(), 0);
  EXPECT_TRUE(window.findChildren<QDialog*>().isEmpty());
  EXPECT_EQ(set.Get<PlainDialog>().choice, 0);
}

TEST(DialogSetTest, SurvivesItsParentDeletingTheDialogsFirst) {
  EnsureQtApplication();
  auto window = std::make_unique<QWidget>();
  FakeSeam seam;
  DialogSet set(window.get(), seam);
  set.Get<PlainDialog>();
  window.reset();  // Qt deletes the children with their parent
  EXPECT_EQ(set.Count(), 0);
  set.CloseAll();  // must not delete them a second time
}

}  // namespace
}  // namespace tekvo
