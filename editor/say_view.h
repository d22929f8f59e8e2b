// The widget under the status label lblSay. The designed label is as high as
// two lines of its 12 pt font as the original face sets them; the CJK faces
// of a Linux desktop ask for half as much again between lines, and lines set
// closer than that run into each other and into the text box below. So a
// status that does not fit on one line is set smaller: one line when a
// smaller size holds it, else two lines at the size where two fit the label
// at their natural spacing, and only what does not fit then is cut with "…",
// the whole status becoming the tool tip.
#ifndef TEKVO_EDITOR_SAY_VIEW_H_
#define TEKVO_EDITOR_SAY_VIEW_H_

#include <QFont>
#include <QLabel>
#include <QSize>
#include <QStringList>

namespace tekvo {

struct SayLayout {
  QFont font;
  QStringList lines;
  bool cut = false;  // the last line ends in "…" in place of the rest
};

// `text` laid out for a label of `area` whose own font is `font` (see above).
// Sizes go down in half points to no less than 6 pt; a label too low for two
// lines of that keeps one line at `font`.
SayLayout LayOutSay(const QString& text, const QFont& font, QSize area);

class SayView : public QLabel {
  Q_OBJECT

 public:
  explicit SayView(QWidget* parent = nullptr);

  // Shows `text` laid out by LayOutSay in the label's contents; the label's
  // text() is the lines shown, joined by "\n".
  void ShowSay(const QString& text);
  const SayLayout& Layout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString full_;
  SayLayout layout_;
};

// `text` broken into at most `max_lines` lines of `width` pixels, at a blank
// where there is one and anywhere else where there is none; the last line
// ends in "…" when the rest does not fit. Text that fits is one line.
QStringList WrapSayText(const QString& text, const QFont& font, int width, int max_lines);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SAY_VIEW_H_
