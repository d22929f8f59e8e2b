// Keys and mouse buttons released in the text box. The keys named in the menu
// captions reach their commands here, on release, after the box has seen the
// key.
//
// Whether Ctrl was held is decided by the modifier state when the key went
// DOWN: fast typists and input tools often let go of Ctrl a moment before the
// letter, and reading the state at the release would turn Ctrl+P into a plain
// P. "With Ctrl" means Ctrl alone among Shift, Ctrl and Alt.
#ifndef TEKVO_EDITOR_KEY_TABLE_H_
#define TEKVO_EDITOR_KEY_TABLE_H_

#include <QPoint>
#include <Qt>
#include <unordered_map>

#include "editor/editor_context.h"

namespace tekvo {

enum class KeyAction {
  kNone,
  kRecordStep,   // caret keys: remember the selection in the current step
  kIns,          // mnuIns, index
  kPasteOrig,    // mnuPasteOrig
  kPaste,        // mnuPaste
  kSeekNew,      // mnuSeekNew
  kSeek,         // cmdSeek, index
  kAskCutaByte,  // mnuAskCutaByte
  kReplace,      // mnuReplace
  kSayCode,      // mnuSayCode
  kUd,           // cmdUd, index
  kAskJieA,      // mnuAskJieA
  kAskA2B,       // mnuAskA2B, index
  kSuggest,      // mnuSuggest
};

struct KeyCommand {
  KeyAction action = KeyAction::kNone;
  int index = 0;

  friend bool operator==(const KeyCommand&, const KeyCommand&) = default;
};

// True when `modifiers` hold Ctrl and neither Shift nor Alt.
bool IsCtrlAlone(Qt::KeyboardModifiers modifiers);

// The command of Qt key `key` with or without Ctrl alone.
KeyCommand LookUpKey(int key, bool ctrl_alone);

// Remembers the modifiers each key went down with, until its release.
class KeyTracker {
 public:
  // Auto-repeated presses keep the state of the first press.
  void Press(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat);
  // The modifiers `key` went down with; `at_release` when its press was not
  // seen (it went down while another window had the focus).
  Qt::KeyboardModifiers Release(int key, Qt::KeyboardModifiers at_release);

 private:
  std::unordered_map<int, Qt::KeyboardModifiers> down_;
};

// Runs the handler of `command`, the same handler its menu item or button
// runs, whatever the item's enabled state.
void RunKeyCommand(EditorContext& ctx, KeyCommand command);

// A key release in the box, with the modifiers the key went down with.
void txtA_KeyUp(EditorContext& ctx, int key, Qt::KeyboardModifiers shift);

// A mouse button release in the box: the left button remembers the caret,
// the right one opens the Edit menu at `global_position`.
void txtA_MouseUp(EditorContext& ctx, Qt::MouseButton button, QPoint global_position);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_KEY_TABLE_H_
