// The status label lblSay: one caption string. The caption is kept here
// exactly as set (the label widget, when there is one, only shows it), so the
// history stores and restores it unit for unit.
#ifndef TEKVO_EDITOR_SAY_LABEL_H_
#define TEKVO_EDITOR_SAY_LABEL_H_

#include "engine/text/text.h"

namespace tekvo {

class SayView;

class SayLabel {
 public:
  // `view` may be null (no widget, as in tests); otherwise it must outlive
  // this object.
  explicit SayLabel(SayView* view = nullptr);

  const Text& Caption() const { return caption_; }
  void SetCaption(const Text& caption);

 private:
  Text caption_;
  SayView* view_;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SAY_LABEL_H_
