#include "editor/say_label.h"

#include <QLabel>

#include "dialogs/qtext.h"
#include "editor/say_view.h"

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
  // A long status (a code page pair from the dialog names both sides in
  // full) wraps onto the label's second line, and only what does not fit
  // there is cut with "…"; the whole text is then the tool tip.
  const QString full = ToQString(caption);
  const QRect area = view_->contentsRect();
  const QString shown =
      WrapSayText(full, view_->font(), area.width(), SayLineCount(view_->font(), area.height()))
          .join(u'\n');
  view_->setText(shown);
  const bool cut = shown.endsWith(QChar(0x2026)) && !full.endsWith(QChar(0x2026));
  view_->setToolTip(cut ? full : QString());
}

}  // namespace tekvo
