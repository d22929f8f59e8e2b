#include "editor/say_label.h"

#include <QFontMetrics>
#include <QLabel>

#include "editor/qtext.h"

namespace tekvo {

SayLabel::SayLabel(QLabel* view) : view_(view) {
  if (view_ != nullptr) {
    view_->setTextFormat(Qt::PlainText);
    view_->clear();
  }
}

void SayLabel::SetCaption(const Text& caption) {
  caption_ = caption;
  if (view_ == nullptr) return;
  // The label has room for one line of its font. A longer status (a long
  // code page pair from the dialog) is shortened with "…" rather than cut
  // through the middle of its second line; the whole text is the tool tip.
  const QString full = ToQString(caption);
  const QString shown =
      QFontMetrics(view_->font()).elidedText(full, Qt::ElideRight, view_->contentsRect().width());
  view_->setText(shown);
  view_->setToolTip(shown == full ? QString() : full);
}

}  // namespace tekvo
