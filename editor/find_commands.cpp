#include "editor/find_commands.h"

namespace tekvo {

void cmdSeek_Click(EditorContext& ctx, int index) {
  // filled with the find and replace commands
}

void mnuSeekNew_Click(EditorContext& ctx) {
  // filled with the find and replace commands
}

void mnuReplace_Click(EditorContext& ctx) {
  // filled with the find and replace commands
}

}  // namespace tekvo
