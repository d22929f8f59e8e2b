// " 解读乱码 (&3)": half-character shift repairs and ISO-2022 escapes.
#ifndef TEKVO_EDITOR_SHIFT_COMMANDS_H_
#define TEKVO_EDITOR_SHIFT_COMMANDS_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "editor/editor_context.h"

namespace tekvo {

// 0: "GB+半字" (LCID 2052), 1: "U+半字" (UTF-16). Repairs at the caret.
void mnuCutaByte_Click(EditorContext& ctx, int index);
// "LCID+半字 [Ctrl+F3] …": the same with an LCID typed into the input box.
void mnuAskCutaByte_Click(EditorContext& ctx);
// 0 Chinese, 1 Japanese, 2 Korean ISO-2022 text that lost its ESC characters.
void mnu2022_Click(EditorContext& ctx, int index);

// The box counts a line break as one position while its text holds CR LF:
// the offset in `full_text` (CR LF form) of selection position `sel_start`.
// A negative position gives 0.
std::int32_t TextPosFromSelStart(const Text& full_text, std::int32_t sel_start);

// The answer of the LCID input box as a number: an optionally signed decimal
// integer, blanks around it allowed. nullopt for anything else, the empty
// answer and numbers outside 32 bits included.
std::optional<std::int32_t> ParseLcidAnswer(std::u16string_view answer);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SHIFT_COMMANDS_H_
