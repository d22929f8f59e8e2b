// The Edit menu's clipboard commands and the enabling of the Edit menu's items
// as it opens (from the menu bar or as the box's context menu).
#ifndef TEKVO_EDITOR_CLIPBOARD_COMMANDS_H_
#define TEKVO_EDITOR_CLIPBOARD_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

inline constexpr char16_t kPasteTooLong[] = u"粘贴失败~ 文本过长";
inline constexpr char16_t kCharCountSay[] = u"字符总数 ";

// The Edit menu opens: sets which of its items are enabled.
void mnuEdits_Click(EditorContext& ctx);
// Paste as original (Ctrl+P): the clipboard's text becomes the new original.
void mnuPasteOrig_Click(EditorContext& ctx);
// Select all; says the number of characters (line breaks counted as two).
void mnuASel_Click(EditorContext& ctx);
// Copies the selection.
void mnuCopy_Click(EditorContext& ctx);
// Pastes the clipboard's text over the selection (Ctrl+V), one history step.
void mnuPaste_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_CLIPBOARD_COMMANDS_H_
