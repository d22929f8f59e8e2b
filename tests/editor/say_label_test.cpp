#include "editor/say_label.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "dialogs/qtext.h"
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
  bool smaller;    // set below the label's 12 pt
  bool shortened;  // the last line ends in "…" and the whole status is the tool tip
};

class SayLabelTest : public testing::TestWithParam<SayCase> {};

// Whatever the status, what is shown stands inside the label at its natural
// line spacing: nothing reaches the text box below.
TEST_P(SayLabelTest, FitsTheLabelBeforeItShortens) {
  EnsureQtApplication();
  const SayCase& c = GetParam();
  const QFont designed = FontWithCjkFallback(QStringLiteral("宋体"), 12);
  SayView view;
  view.setFont(designed);
  view.resize(196, c.height);
  SayLabel say(&view);
  say.SetCaption(c.status);

  const std::string shown = view.text().toStdString();
  EXPECT_EQ(say.Caption(), c.status);
  const SayLayout& layout = view.Layout();
  const QFontMetrics metrics(layout.font);
  const QStringList lines = view.text().split(u'\n');
  EXPECT_EQ(lines, layout.lines) << shown;
  EXPECT_EQ(lines.size(), c.lines) << shown;
  EXPECT_EQ(layout.font.pointSizeF() < 12, c.smaller) << layout.font.pointSizeF();
  EXPECT_LE(lines.size() * metrics.lineSpacing(), c.height) << shown;
  for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 196) << shown;
  EXPECT_EQ(lines.back().endsWith(QChar(0x2026)), c.shortened) << shown;
  EXPECT_EQ(view.toolTip(), c.shortened ? ToQString(c.status) : QString());
  if (!c.shortened) {
    // Nothing lost but the blanks at the breaks.
    QString joined = lines.join(QString()), whole = ToQString(c.status);
    joined.remove(u' ');
    whole.remove(u' ');
    EXPECT_EQ(joined, whole);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SayLabelTest,
    testing::Values(
        SayCase{"short", u"GB--Big5 ", 33, 1, false, false},
        SayCase{"code-page-pair", u"繁体中文(Big5) -- 简体中文(GBK)", 33, 1, true, false},
        SayCase{"longest-code-page-pair", u"简体中文(GB18030) -- 简体中文(GB18030)", 33, 2, true,
                false},
        SayCase{"language-pair", u"中文(中华人民共和国) -- 日语(日本)", 33, 1, true, false},
        SayCase{"chained-suggestion", u"Base64(URL)--UTF8 + GB--Big5", 33, 1, true, false},
        SayCase{"too-long-for-two-lines",
                u"简体中文(GBK) -- Unicode(UTF-8) 以及更多的说明文字，再多一些，再多一些", 33, 2,
                true, true},
        SayCase{"one-line-label", u"简体中文(GBK) -- Unicode(UTF-8)", 18, 1, true, false}),
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
