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

// The status text of the character information for code unit `unit`: the
// character in double quotes (a blank for LF, VT, FF and CR), " U=", its code
// in hexadecimal, " GB=", the code of the character in the system's ANSI code
// page in hexadecimal (upper case, no leading zeros, 16 bits).
Text CharacterInfo(char16_t unit);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SELECTION_COMMANDS_H_
