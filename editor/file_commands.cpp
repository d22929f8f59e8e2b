#include "editor/file_commands.h"

namespace tekvo {

void mnuFiles_Click(EditorContext& ctx) {
  // filled with the file commands
}

void mnuClear_Click(EditorContext& ctx) {
  // filled with the file commands
}

void mnuOpen_Click(EditorContext& ctx) {
  // filled with the file commands
}

void mnuSave_Click(EditorContext& ctx) {
  // filled with the file commands
}

void mnuAttr_Click(EditorContext& ctx) {
  // filled with the file commands
}

}  // namespace tekvo
