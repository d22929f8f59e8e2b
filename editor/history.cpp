#include "editor/history.h"

#include "editor/line_breaks.h"

namespace tekvo {

History::History(Box& box, SayLabel& say, Prompter& prompter)
    : box_(box), say_(say), prompter_(prompter) {}

void History::StoreSelection(int slot) {
  At(slot).start = box_.SelStart();
  At(slot).length = box_.SelLength();
}

void History::RecordStep(bool bSayNoChange) {
  Text text = box_.Text();
  if (text == At(nCur_).text) {
    StoreSelection(nCur_);
    if (bSayNoChange) say_.SetCaption(kNoChangeSay);
    return;
  }
  if (nCur_ < 0) {
    nCur_ = nOldest_ = nNewest_ = 0;
  } else {
    nCur_ = static_cast<std::int16_t>((nCur_ + 1) % kSteps);
    if (nCur_ == nOldest_) nOldest_ = static_cast<std::int16_t>((nOldest_ + 1) % kSteps);
    nNewest_ = nCur_;
  }
  if (nCur_ == nSaved_) nSaved_ = kNoSlot;
  Slot& slot = At(nCur_);
  slot.text = std::move(text);
  slot.say = say_.Caption();
  StoreSelection(nCur_);
  UpdateStepButtons();
}

void History::ResetOriginal() {
  for (Slot& slot : slots_) {
    slot.text.clear();
    slot.say.clear();
  }
  Slot& original = At(kOriginal);
  original.text = box_.Text();
  original.say = say_.Caption();
  StoreSelection(kOriginal);
  nCur_ = nOldest_ = nNewest_ = kOriginal;
  UpdateStepButtons();
}

bool History::ConfirmDiscard() {
  if (nCur_ == nSaved_) return true;
  return prompter_.Ask(kDiscardQuestion);
}

bool History::StepButtonEnabled(int index) const {
  switch (index) {
    case kBackToOriginal:
    case kUndo:
      return nCur_ >= 0;
    case kRedo:
    case kToNewest:
      return nCur_ != nNewest_;
    default:
      return false;
  }
}

void History::UpdateStepButtons() {
  if (!buttons_hook_) return;
  for (int index = kBackToOriginal; index <= kToNewest; ++index) {
    buttons_hook_(index, StepButtonEnabled(index));
  }
}

bool History::ReplacementTooLong(const Text& sNew) const {
  const std::int64_t selected = static_cast<std::int64_t>(CrToCrLf(box_.SelText()).size());
  const std::int64_t added = static_cast<std::int64_t>(BoxFormLength(sNew));
  return box_.TextLength() - selected + added > static_cast<std::int64_t>(kMaxTextLen);
}

void History::Restore(int slot) {
  const Slot& from = At(slot);
  box_.SetText(from.text);
  say_.SetCaption(from.say);
  box_.SetSelStart(from.start);
  box_.SetSelLength(from.length);
  UpdateStepButtons();
}

void History::cmdUd_Click(int index) {
  box_.SetFocus();
  RecordStep(false);
  std::int16_t target = nCur_;
  switch (index) {
    case kBackToOriginal:
      if (nCur_ < 0) return;
      target = kOriginal;
      break;
    case kUndo:
      if (nCur_ < 0) return;
      target =
          nCur_ == nOldest_ ? kOriginal : static_cast<std::int16_t>((nCur_ + kSteps - 1) % kSteps);
      break;
    case kRedo:
      if (nCur_ == nNewest_) return;
      target = nCur_ < 0 ? nOldest_ : static_cast<std::int16_t>((nCur_ + 1) % kSteps);
      break;
    case kToNewest:
      if (nCur_ == nNewest_) return;
      target = nNewest_;
      break;
    default:
      return;
  }
  nCur_ = target;
  Restore(nCur_);
}

}  // namespace tekvo
