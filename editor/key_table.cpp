#include "editor/key_table.h"

#include "editor/clipboard_commands.h"
#include "editor/decode_commands.h"
#include "editor/find_commands.h"
#include "editor/selection_commands.h"
#include "editor/shift_commands.h"
#include "editor/suggest_commands.h"
#include "editor/transfer_commands.h"

namespace tekvo {
namespace {

struct KeyRow {
  int key;
  KeyCommand with_ctrl;
  KeyCommand otherwise;
};

using A = KeyAction;

constexpr KeyRow kRows[] = {
    {Qt::Key_PageUp, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_PageDown, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_End, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Home, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Left, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Up, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Right, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Down, {A::kRecordStep}, {A::kRecordStep}},
    {Qt::Key_Insert, {A::kIns, 1}, {A::kIns, 1}},
    {Qt::Key_Delete, {A::kIns, 2}, {A::kIns, 0}},
    {Qt::Key_P, {A::kPasteOrig}, {A::kNone}},
    {Qt::Key_V, {A::kPaste}, {A::kNone}},
    {Qt::Key_F1, {A::kSeekNew}, {A::kSeek, 0}},
    {Qt::Key_F2, {A::kSeek, 1}, {A::kSeek, 1}},
    {Qt::Key_F3, {A::kAskCutaByte}, {A::kReplace}},
    {Qt::Key_F4, {A::kSayCode}, {A::kSayCode}},
    {Qt::Key_F5, {A::kUd, kBackToOriginal}, {A::kUd, kUndo}},
    {Qt::Key_F6, {A::kUd, kToNewest}, {A::kUd, kRedo}},
    {Qt::Key_F7, {A::kAskJieA}, {A::kAskJieA}},
    {Qt::Key_F8, {A::kAskA2B, 0}, {A::kAskA2B, 1}},
    {Qt::Key_F9, {A::kIns, 3}, {A::kIns, 4}},
    {Qt::Key_F10, {A::kSuggest}, {A::kSuggest}},
};

}  // namespace

bool IsCtrlAlone(Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers considered =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  return considered == Qt::ControlModifier;
}

KeyCommand LookUpKey(int key, bool ctrl_alone) {
  for (const KeyRow& row : kRows) {
    if (row.key == key) return ctrl_alone ? row.with_ctrl : row.otherwise;
  }
  return KeyCommand{};
}

void KeyTracker::Press(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat) {
  if (auto_repeat && down_.count(key) > 0) return;
  down_[key] = modifiers;
}

Qt::KeyboardModifiers KeyTracker::Release(int key, Qt::KeyboardModifiers at_release) {
  const auto found = down_.find(key);
  if (found == down_.end()) return at_release;
  const Qt::KeyboardModifiers at_press = found->second;
  down_.erase(found);
  return at_press;
}

void RunKeyCommand(EditorContext& ctx, KeyCommand command) {
  switch (command.action) {
    case A::kNone:
      break;
    case A::kRecordStep:
      ctx.history.RecordStep(false);
      break;
    case A::kIns:
      mnuIns_Click(ctx, command.index);
      break;
    case A::kPasteOrig:
      mnuPasteOrig_Click(ctx);
      break;
    case A::kPaste:
      mnuPaste_Click(ctx);
      break;
    case A::kSeekNew:
      mnuSeekNew_Click(ctx);
      break;
    case A::kSeek:
      cmdSeek_Click(ctx, command.index);
      break;
    case A::kAskCutaByte:
      mnuAskCutaByte_Click(ctx);
      break;
    case A::kReplace:
      mnuReplace_Click(ctx);
      break;
    case A::kSayCode:
      mnuSayCode_Click(ctx);
      break;
    case A::kUd:
      ctx.history.cmdUd_Click(command.index);
      break;
    case A::kAskJieA:
      mnuAskJieA_Click(ctx);
      break;
    case A::kAskA2B:
      mnuAskA2B_Click(ctx, command.index);
      break;
    case A::kSuggest:
      mnuSuggest_Click(ctx);
      break;
  }
}

void txtA_KeyUp(EditorContext& ctx, int key, Qt::KeyboardModifiers shift) {
  RunKeyCommand(ctx, LookUpKey(key, IsCtrlAlone(shift)));
}

void txtA_MouseUp(EditorContext& ctx, Qt::MouseButton button, QPoint global_position) {
  if (button == Qt::LeftButton) {
    ctx.history.RecordStep(false);
  } else if (button == Qt::RightButton && ctx.menus.mnuEdits != nullptr) {
    // Opening the menu runs its enabling, as from the menu bar.
    ctx.menus.mnuEdits->popup(global_position);
  }
}

}  // namespace tekvo
