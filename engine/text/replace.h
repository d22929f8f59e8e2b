// Replacing every occurrence of a string, shared by the find-and-replace
// command and the ISO-2022 escape repair.
#ifndef TEKVO_ENGINE_TEXT_REPLACE_H_
#define TEKVO_ENGINE_TEXT_REPLACE_H_

#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

// Every non-overlapping occurrence of `from` in `text`, found left to right,
// becomes `to`. The output is sized once from a counting pass. An empty `from`
// matches nothing: the text comes back unchanged.
Text ReplaceAll(const Text& text, std::u16string_view from, std::u16string_view to);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_REPLACE_H_
