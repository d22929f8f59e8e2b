// The text input dialog as the edit and find commands use it: a caption, a
// starting text, and the typed text back when the user confirmed.
#ifndef TEKVO_EDITOR_TEXT_INPUT_H_
#define TEKVO_EDITOR_TEXT_INPUT_H_

#include <optional>
#include <string_view>

#include "editor/editor_context.h"

namespace tekvo {

inline constexpr char16_t kInsertCaption[] = u"插入字串";
inline constexpr char16_t kFindCaption[] = u"查找字串";
inline constexpr char16_t kReplaceCaption[] = u"替换字串";

// Shows frmInp modally with `caption` and `start` (the selection, CR line
// breaks). Returns the confirmed text with CR LF line breaks, possibly empty;
// nullopt when the user cancelled or the starting text was refused (the
// dialog has then said so).
std::optional<Text> AskTextInput(EditorContext& ctx, std::u16string_view caption,
                                 const Text& start);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_TEXT_INPUT_H_
