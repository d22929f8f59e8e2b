// Edits of the selection: width and script conversions, insert and delete,
// one-character information.
#ifndef TEKVO_EDITOR_SELECTION_COMMANDS_H_
#define TEKVO_EDITOR_SELECTION_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

// 0 full width, 1 half width, 2 simplified, 3 traditional.
void mnuWnCase_Click(EditorContext& ctx, int index);
// 0 delete, 1 insert typed text, 2 blank, 3 tab, 4 line break.
void mnuIns_Click(EditorContext& ctx, int index);
// "单字信息 [F4]"
void mnuSayCode_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SELECTION_COMMANDS_H_
