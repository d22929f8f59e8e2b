#include "editor/compose_commands.h"

namespace tekvo {

void mnuMake_Click(EditorContext& ctx, int index) {
  // filled with the compose commands
}

}  // namespace tekvo
