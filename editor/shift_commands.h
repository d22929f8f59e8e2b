// " 解读乱码 (&3)": half-character shift repairs and ISO-2022 escapes.
#ifndef TEKVO_EDITOR_SHIFT_COMMANDS_H_
#define TEKVO_EDITOR_SHIFT_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

void mnuCutaByte_Click(EditorContext& ctx, int index);
// "LCID+半字 [Ctrl+F3] …"
void mnuAskCutaByte_Click(EditorContext& ctx);
void mnu2022_Click(EditorContext& ctx, int index);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SHIFT_COMMANDS_H_
