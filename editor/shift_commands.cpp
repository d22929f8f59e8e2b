#include "editor/shift_commands.h"

namespace tekvo {

void mnuCutaByte_Click(EditorContext& ctx, int index) {
  // filled with the half-character and ISO-2022 commands
}

void mnuAskCutaByte_Click(EditorContext& ctx) {
  // filled with the half-character and ISO-2022 commands
}

void mnu2022_Click(EditorContext& ctx, int index) {
  // filled with the half-character and ISO-2022 commands
}

}  // namespace tekvo
