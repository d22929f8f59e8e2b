// The File menu: clear as original, open as original, save, file attributes.
#ifndef TEKVO_EDITOR_FILE_COMMANDS_H_
#define TEKVO_EDITOR_FILE_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

// The File menu opens: the save check mark and the attribute item's state.
void mnuFiles_Click(EditorContext& ctx);
void mnuClear_Click(EditorContext& ctx);
void mnuOpen_Click(EditorContext& ctx);
void mnuSave_Click(EditorContext& ctx);
void mnuAttr_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FILE_COMMANDS_H_
