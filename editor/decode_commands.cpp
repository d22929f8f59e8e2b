#include "editor/decode_commands.h"

namespace tekvo {

Text CaptionSay(std::u16string_view caption) {
  const std::size_t colon = caption.find(u" ：");
  if (colon == std::u16string_view::npos) return Text();
  return Text(caption.substr(0, colon + 1));
}

void mnuChgA2B_Click(EditorContext& ctx, int index) {
  // filled with the code page repair commands
}

void mnuAskA2B_Click(EditorContext& ctx, int index) {
  // filled with the code page repair commands
}

}  // namespace tekvo
