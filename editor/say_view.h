// The widget under the status label lblSay. The designed label is as high as
// two lines of its 12 pt font, as the original face sets them; the CJK faces
// of a Linux desktop ask for half as much again between lines, so the lines
// are set closer here when their natural spacing would not fit.
#ifndef TEKVO_EDITOR_SAY_VIEW_H_
#define TEKVO_EDITOR_SAY_VIEW_H_

#include <QFont>
#include <QLabel>
#include <QStringList>

namespace tekvo {

class SayView : public QLabel {
  Q_OBJECT

 public:
  explicit SayView(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// How many lines of `font` a label of `height` pixels shows: one for each em
// of height, and always one.
int SayLineCount(const QFont& font, int height);

// `text` broken into at most `max_lines` lines of `width` pixels, at a blank
// where there is one and anywhere else where there is none; the last line
// ends in "…" when the rest does not fit. Text that fits is one line.
QStringList WrapSayText(const QString& text, const QFont& font, int width, int max_lines);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SAY_VIEW_H_
