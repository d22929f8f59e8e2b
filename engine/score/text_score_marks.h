// The marks that transfer encodings leave in text nobody decoded, for the
// readability score: "=D6=A7", "%B5", "&#25511;", "&amp;", "\u53EF", "%u53EF",
// "+UxdOrA-", "~{...~}", the ISO-2022 designators "$B" and "$)A" with the
// 7-bit codes after them, and long Base64 blocks. Internal to the score.
#ifndef TEKVO_ENGINE_SCORE_TEXT_SCORE_MARKS_H_
#define TEKVO_ENGINE_SCORE_TEXT_SCORE_MARKS_H_

#include <cstddef>
#include <string_view>

namespace tekvo::score {

// The length of the mark that starts at t[i], or 0 when none does. Only an
// ASCII symbol ("%", "=", "&", "\\", "+", "~", "$") starts one.
std::size_t TransferMarkAt(std::u16string_view t, std::size_t i);

// The length of a Base64 block starting at t[i], the start of a word,
// running to a blank or the end: 16 or more alphabet characters with both
// letter cases and a digit (or many case changes), or a multiple of 4 from
// 8 on that ends in "=" padding or holds both cases and a digit; 0 when
// there is none.
std::size_t Base64BlockAt(std::u16string_view t, std::size_t i);

}  // namespace tekvo::score

#endif  // TEKVO_ENGINE_SCORE_TEXT_SCORE_MARKS_H_
