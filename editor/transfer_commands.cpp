#include "editor/transfer_commands.h"

namespace tekvo {

void mnuNumU_Click(EditorContext& ctx, int index) {
  // filled with the transfer-encoding decode commands
}

void mnuReadQp_Click(EditorContext& ctx, int index) {
  // filled with the transfer-encoding decode commands
}

void mnuBase64_Click(EditorContext& ctx, int index) {
  // filled with the transfer-encoding decode commands
}

void mnuJieA_Click(EditorContext& ctx, int index) {
  // filled with the transfer-encoding decode commands
}

void mnuAskJieA_Click(EditorContext& ctx) {
  // filled with the transfer-encoding decode commands
}

}  // namespace tekvo
