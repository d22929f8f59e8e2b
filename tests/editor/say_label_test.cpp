#include "editor/say_label.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "editor/fonts.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

TEST(SayLabel, LongStatusIsShortenedOnScreenButKeptWhole) {
  EnsureQtApplication();
  QLabel view;
  view.resize(120, 30);
  SayLabel say(&view);
  const Text long_status = u"简体中文(GBK)--Unicode(UTF-8) 以及更多的说明文字";
  say.SetCaption(long_status);
  EXPECT_EQ(say.Caption(), long_status);
  EXPECT_LT(view.text().size(), static_cast<qsizetype>(long_status.size()));
  EXPECT_TRUE(view.text().endsWith(QChar(0x2026)));
  EXPECT_EQ(view.toolTip(), QString::fromStdU16String(long_status));

  say.SetCaption(u"GB");
  EXPECT_EQ(view.text(), QStringLiteral("GB"));
  EXPECT_TRUE(view.toolTip().isEmpty());
}

TEST(FontWithCjkFallback, MissingWindowsFacesKeepTheirKind) {
  EnsureQtApplication();
  const struct {
    const char16_t* family;
    QFont::StyleHint hint;
  } cases[] = {
      {u"Courier New", QFont::Monospace},
      {u"Lucida Console", QFont::Monospace},
      {u"Arial", QFont::SansSerif},
      {u"黑体", QFont::SansSerif},
      {u"宋体", QFont::Serif},
      {u"Times New Roman", QFont::Serif},
      {u"PMingLiU", QFont::Serif},
  };
  for (const auto& c : cases) {
    const QString family = QString::fromUtf16(c.family);
    const QFont font = FontWithCjkFallback(family, 12);
    EXPECT_EQ(font.styleHint(), c.hint) << family.toStdString();
    EXPECT_EQ(PrimaryFamily(font), family) << family.toStdString();
    EXPECT_GT(font.families().size(), 1) << family.toStdString();
  }
}

}  // namespace
}  // namespace tekvo
