// Find backward and forward, typed find and replace all.
#ifndef TEKVO_EDITOR_FIND_COMMANDS_H_
#define TEKVO_EDITOR_FIND_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

// The find buttons: index 0 backward ("逆找 [F1]"), 1 forward ("顺找 [F2]").
void cmdSeek_Click(EditorContext& ctx, int index);
// "键入查找 [Ctrl+F1] …"
void mnuSeekNew_Click(EditorContext& ctx);
// "统一替换 [F3] …"
void mnuReplace_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FIND_COMMANDS_H_
