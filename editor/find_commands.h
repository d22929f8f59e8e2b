// Find backward and forward, typed find and replace all.
#ifndef TEKVO_EDITOR_FIND_COMMANDS_H_
#define TEKVO_EDITOR_FIND_COMMANDS_H_

#include <cstddef>

#include "editor/editor_context.h"

namespace tekvo {

// Where FindText looks, relative to the selection.
enum class FindDirection : int {
  kFromStart = -1,  // the first occurrence in the whole text
  kBackward = 0,    // the last one that ends at or before the selection start
  kForward = 1,     // the first one that starts at or after the selection end
};

// The longest replacement text, line breaks counted as one.
inline constexpr std::size_t kMaxReplacementLen = 50;

// Selects the occurrence of `sFind` (CR line breaks) that `direction` names,
// comparing unit for unit, and returns true. Beeps and leaves the selection
// as it is when `sFind` is empty or there is no such occurrence (no
// wrap-around).
bool FindText(EditorContext& ctx, const Text& sFind, FindDirection direction);

// The find buttons: index 0 backward ("逆找 [F1]"), 1 forward ("顺找 [F2]").
void cmdSeek_Click(EditorContext& ctx, int index);
// "键入查找 [Ctrl+F1] …"
void mnuSeekNew_Click(EditorContext& ctx);
// "统一替换 [F3] …"
void mnuReplace_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FIND_COMMANDS_H_
