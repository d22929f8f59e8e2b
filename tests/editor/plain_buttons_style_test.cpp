#include "editor/plain_buttons_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>

#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// A desktop whose theme puts pictograms on dialog buttons, as the generic
// Linux themes do.
class IconsWantedStyle : public QProxyStyle {
 public:
  IconsWantedStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* hint_return) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
    return QProxyStyle::styleHint(hint, option, widget, hint_return);
  }
};

struct BoxCase {
  std::string name;
  QMessageBox::StandardButtons buttons;
};

class PlainButtonsStyleTest : public testing::TestWithParam<BoxCase> {
 protected:
  void SetUp() override { EnsureQtApplication(); }
  void TearDown() override { QApplication::setStyle(QStringLiteral("Fusion")); }

  static int IconsOn(QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TKV Tekvo"), QStringLiteral("?"), buttons);
    int with_icon = 0;
    for (QAbstractButton* button : box.buttons()) with_icon += !button->icon().isNull();
    return with_icon;
  }
};

TEST_P(PlainButtonsStyleTest, MessageBoxButtonsCarryWordsOnly) {
  QApplication::setStyle(new IconsWantedStyle);
  ASSERT_GT(IconsOn(GetParam().buttons), 0) << "the theme should want icons here";
  QApplication::setStyle(new PlainButtonsStyle(new IconsWantedStyle));
  EXPECT_EQ(IconsOn(GetParam().buttons), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, PlainButtonsStyleTest,
                         testing::Values(BoxCase{"yes-no", QMessageBox::Yes | QMessageBox::No},
                                         BoxCase{"ok", QMessageBox::Ok},
                                         BoxCase{"ok-cancel",
                                                 QMessageBox::Ok | QMessageBox::Cancel}),
                         CaseName<BoxCase>);

TEST(UsePlainButtons, KeepsTheStyleInUseUnderneath) {
  EnsureQtApplication();
  QApplication::setStyle(QStringLiteral("Windows"));
  UsePlainButtons();
  auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->baseStyle()->name().toLower(), QStringLiteral("windows"));
  EXPECT_EQ(style->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons), 0);
}

}  // namespace
}  // namespace tekvo
