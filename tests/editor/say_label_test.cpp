#include "editor/say_label.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "editor/fonts.h"
#include "editor/say_view.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// The label as the window lays it out: 2940 by 500 twips, 宋体 12 pt.
struct SayCase {
  std::string name;
  Text status;
  int height;      // pixels; the designed label is 33
  int lines;       // shown
  bool shortened;  // the last line ends in "…" and the whole status is the tool tip
};

class SayLabelTest : public testing::TestWithParam<SayCase> {};

TEST_P(SayLabelTest, WrapsBeforeItShortens) {
  EnsureQtApplication();
  const SayCase& c = GetParam();
  QLabel view;
  view.setFont(FontWithCjkFallback(QStringLiteral("宋体"), 12));
  view.resize(196, c.height);
  SayLabel say(&view);
  say.SetCaption(c.status);

  EXPECT_EQ(say.Caption(), c.status);
  const QStringList lines = view.text().split(u'\n');
  EXPECT_EQ(lines.size(), c.lines) << view.text().toStdString();
  EXPECT_EQ(lines.back().endsWith(QChar(0x2026)), c.shortened) << view.text().toStdString();
  EXPECT_EQ(view.toolTip(), c.shortened ? QString::fromStdU16String(c.status) : QString());
  if (!c.shortened) {
    // Nothing lost but the blanks at the breaks.
    QString joined = lines.join(QString()), whole = QString::fromStdU16String(c.status);
    joined.remove(u' ');
    whole.remove(u' ');
    EXPECT_EQ(joined, whole);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SayLabelTest,
    testing::Values(
        SayCase{"short", u"GB--Big5 ", 33, 1, false},
        SayCase{"code-page-pair-wraps", u"简体中文(GBK) -- Unicode(UTF-8)", 33, 2, false},
        SayCase{"language-pair-wraps", u"中文(中华人民共和国) -- 日语(日本)", 33, 2, false},
        SayCase{"too-long-for-two-lines",
                u"简体中文(GBK) -- Unicode(UTF-8) 以及更多的说明文字，再多一些，再多一些", 33, 2,
                true},
        SayCase{"one-line-label-shortens", u"简体中文(GBK) -- Unicode(UTF-8)", 18, 1, true}),
    CaseName<SayCase>);

TEST(WrapSayText, BreaksAtABlankWhereThereIsOne) {
  EnsureQtApplication();
  const QFont font = FontWithCjkFallback(QStringLiteral("Arial"), 12);
  const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("aaaa bb"));
  EXPECT_EQ(WrapSayText(QStringLiteral("aaaa bbbb"), font, width, 2),
            QStringList({QStringLiteral("aaaa"), QStringLiteral("bbbb")}));
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
