#include "editor/selection_commands.h"

namespace tekvo {

void mnuWnCase_Click(EditorContext& ctx, int index) {
  // filled with the selection edit commands
}

void mnuIns_Click(EditorContext& ctx, int index) {
  // filled with the selection edit commands
}

void mnuSayCode_Click(EditorContext& ctx) {
  // filled with the selection edit commands
}

}  // namespace tekvo
