// "自动推荐 [F10] …", the last item of " 解读乱码 (&2)": every repair of the
// three decode menus tried on the text and offered best first.
#ifndef TEKVO_EDITOR_SUGGEST_COMMANDS_H_
#define TEKVO_EDITOR_SUGGEST_COMMANDS_H_

#include "editor/editor_context.h"

namespace tekvo {

inline constexpr char16_t kSuggestCaption[] = u"自动推荐 [F10] …";

// Ranks the repairs of the whole text and shows them in the suggestion
// dialog. A confirmed candidate replaces the text as one history step with
// the candidate's name as status text, as choosing that menu item would (the
// unchanged text says "没有改变"); cancelling changes nothing.
void mnuSuggest_Click(EditorContext& ctx);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SUGGEST_COMMANDS_H_
