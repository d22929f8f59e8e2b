#include "editor/say_label.h"

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
  if (view_ != nullptr) view_->setText(ToQString(caption));
}

}  // namespace tekvo
