// The compose submenu "编写“乱码” (&E)": encodes the selection.
#ifndef TEKVO_EDITOR_COMPOSE_COMMANDS_H_
#define TEKVO_EDITOR_COMPOSE_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

// Index 0 to 10 (2, 5 and 8 are separators): encodes the selection and
// leaves the encoded text selected.
void mnuMake_Click(EditorContext& ctx, int index);

// True when putting the encoded text `r` in place of the selection would make
// the document longer than kMaxTextLen.
bool ComposedTooLong(EditorContext& ctx, const Text& r);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_COMPOSE_COMMANDS_H_
