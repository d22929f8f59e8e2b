// The edit history of the document: the original (slot -1) and a ring of up
// to eight later steps (slots 0 to 7). Each slot keeps a full copy of the
// text, the status text and the selection, so stepping back also brings back
// what the status label said and where the selection was. nSaved names the
// slot whose text is the file on disk (-2: none), which decides whether the
// user is asked before the text is thrown away.
//
// Every command commits its result by changing the box, setting the status
// label and then calling RecordStep(true); commands that only move the
// selection call RecordStep(false).
#ifndef TEKVO_EDITOR_HISTORY_H_
#define TEKVO_EDITOR_HISTORY_H_

#include <array>
#include <cstdint>
#include <functional>

#include "editor/box.h"
#include "editor/say_label.h"
#include "engine/text/text.h"
#include "files/prompter.h"

namespace tekvo {

// The four history buttons, by their index.
enum StepButton : int {
  kBackToOriginal = 0,  // "退到原始"
  kUndo = 1,            // "撤消 [F5]"
  kRedo = 2,            // "重做 [F6]"
  kToNewest = 3,        // "进到最新"
};

inline constexpr char16_t kNoChangeSay[] = u"没有改变";
inline constexpr char16_t kDiscardQuestion[] = u"当前文本未保存，是否清空？";

class History {
 public:
  static constexpr std::int16_t kSteps = 8;
  static constexpr std::int16_t kOriginal = -1;
  static constexpr std::int16_t kNoSlot = -2;

  // All three must outlive the history.
  History(Box& box, SayLabel& say, Prompter& prompter);

  // Adds a step when the box's text differs from the current slot; otherwise
  // only stores the selection in it (and says "没有改变" when asked to).
  void RecordStep(bool bSayNoChange);
  // Makes the box's content the original and forgets every step. The caller
  // sets nSaved first.
  void ResetOriginal();
  // True when the text may be thrown away: it is saved, or the user said Yes.
  bool ConfirmDiscard();
  // Reports the enabled state of the four buttons to the buttons hook.
  void UpdateStepButtons();
  // True when replacing the selection by `sNew` would make the text longer
  // than kMaxTextLen. Line breaks of `sNew`, in any form, count as two.
  bool ReplacementTooLong(const Text& sNew) const;
  // The history buttons (StepButton indexes), also reached by F5/F6 keys.
  void cmdUd_Click(int index);

  std::int16_t nCur() const { return nCur_; }
  std::int16_t nOldest() const { return nOldest_; }
  std::int16_t nNewest() const { return nNewest_; }
  std::int16_t nSaved() const { return nSaved_; }
  void SetSaved(std::int16_t slot) { nSaved_ = slot; }
  bool IsSaved() const { return nCur_ == nSaved_; }

  // Slot contents, slot -1 to 7.
  const Text& sStepText(int slot) const { return slots_.at(slot + 1).text; }
  const Text& sStepSay(int slot) const { return slots_.at(slot + 1).say; }
  std::int32_t lStepStart(int slot) const { return slots_.at(slot + 1).start; }
  std::int32_t lStepLen(int slot) const { return slots_.at(slot + 1).length; }

  // Whether the button of `index` is enabled in the current state.
  bool StepButtonEnabled(int index) const;
  // Called by UpdateStepButtons once per button.
  void SetButtonsHook(std::function<void(int index, bool enabled)> hook) {
    buttons_hook_ = std::move(hook);
  }

 private:
  struct Slot {
    Text text;
    Text say;
    std::int32_t start = 0;
    std::int32_t length = 0;
  };

  Slot& At(int slot) { return slots_.at(slot + 1); }
  void StoreSelection(int slot);
  void Restore(int slot);

  Box& box_;
  SayLabel& say_;
  Prompter& prompter_;
  std::array<Slot, kSteps + 1> slots_;
  std::int16_t nCur_ = kOriginal;
  std::int16_t nOldest_ = kOriginal;
  std::int16_t nNewest_ = kOriginal;
  std::int16_t nSaved_ = kOriginal;
  std::function<void(int, bool)> buttons_hook_;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_HISTORY_H_
