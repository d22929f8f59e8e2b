// " 解读乱码 (&2)": the code page repairs, and how every fixed item of the
// decode menus runs its row of the table of repairs.
#ifndef TEKVO_EDITOR_DECODE_COMMANDS_H_
#define TEKVO_EDITOR_DECODE_COMMANDS_H_

#include "editor/editor_context.h"
#include "engine/repair/repairs.h"

namespace tekvo {

// A fixed item of the decode menus: the repair's result into the box, put back
// even when unchanged (an over-long result is answered with the message and
// leaves the text as it was), the row's status text, one step. Running out
// of memory ends the command with the document as it was.
void RunRepairItem(EditorContext& ctx, const Repair& repair);

// The fixed repairs, index 0 to 15 (5 and 11 are separators).
void mnuChgA2B_Click(EditorContext& ctx, int index);
// 0: language pair dialog [Ctrl+F8]; 1: code page pair dialog [F8].
void mnuAskA2B_Click(EditorContext& ctx, int index);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_DECODE_COMMANDS_H_
