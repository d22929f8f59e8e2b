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

// Opens the file at `path` (a full path) as the open command opens a file
// chosen with the encoding left at its default, for files named outside the
// menu: on the command line or by the file manager.
void OpenFileAsOriginal(EditorContext& ctx, const Text& path);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FILE_COMMANDS_H_
