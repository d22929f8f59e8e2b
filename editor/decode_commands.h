// " 解读乱码 (&2)": the code page repairs, and the status text rule shared by
// every fixed decode item.
#ifndef TEKVO_EDITOR_DECODE_COMMANDS_H_
#define TEKVO_EDITOR_DECODE_COMMANDS_H_

#include <string_view>

#include "editor/editor_context.h"

namespace tekvo {

// The status text of a fixed decode item: its caption up to and including
// the blank before the first " ：" ("GB--Big5 "); empty when there is none.
Text CaptionSay(std::u16string_view caption);

// The fixed repairs, index 0 to 15 (5 and 11 are separators).
void mnuChgA2B_Click(EditorContext& ctx, int index);
// 0: language pair dialog [Ctrl+F8]; 1: code page pair dialog [F8].
void mnuAskA2B_Click(EditorContext& ctx, int index);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_DECODE_COMMANDS_H_
