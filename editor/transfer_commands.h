// " 解读乱码 (&1)": decoding of transfer encodings.
#ifndef TEKVO_EDITOR_TRANSFER_COMMANDS_H_
#define TEKVO_EDITOR_TRANSFER_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

void mnuNumU_Click(EditorContext& ctx, int index);
void mnuReadQp_Click(EditorContext& ctx, int index);
void mnuBase64_Click(EditorContext& ctx, int index);
void mnuJieA_Click(EditorContext& ctx, int index);
// "Trans--LCID ：转换格式--语文名称 [F7] …"
void mnuAskJieA_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_TRANSFER_COMMANDS_H_
