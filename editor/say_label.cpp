#include "editor/say_label.h"

#include "dialogs/qtext.h"
#include "editor/say_view.h"

namespace tekvo {

SayLabel::SayLabel(SayView* view) : view_(view) {
  if (view_ != nullptr) view_->ShowSay(QString());
}

void SayLabel::SetCaption(const Text& caption) {
  caption_ = caption;
  if (view_ != nullptr) view_->ShowSay(ToQString(caption));
}

}  // namespace tekvo
