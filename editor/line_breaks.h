// Line-break forms of the editor. The full text of the document holds its line
// breaks as CR LF, the selection as a single CR, and positions count a line
// break as one. Text arriving from outside (the clipboard, a typed string)
// may use CR LF, a lone CR or a lone LF; the box turns each into one line
// break, and U+2029 as well, because the text widget keeps paragraphs apart
// with that character.
#ifndef TEKVO_EDITOR_LINE_BREAKS_H_
#define TEKVO_EDITOR_LINE_BREAKS_H_

#include <cstddef>

#include "engine/text/text.h"

namespace tekvo {

inline constexpr char16_t kCr = u'\r';
inline constexpr char16_t kLf = u'\n';
inline constexpr char16_t kParagraphSeparator = u'\u2029';
// Frame markers of the text widget; stored in the box they become line breaks.
inline constexpr char16_t kFrameStart = u'\uFDD0';
inline constexpr char16_t kFrameEnd = u'\uFDD1';

// Every CR LF becomes a single CR; lone CRs and LFs stay as they are.
Text CrLfToCr(const Text& text);

// Every CR becomes CR LF (a CR already followed by LF is left alone).
Text CrToCrLf(const Text& text);

// Every line break (CR LF, lone CR, lone LF, U+2029) becomes `line_break`.
Text UnifyLineBreaks(const Text& text, const Text& line_break);

// The length `text` takes in the document once the box has stored it: each
// line break of any form (and each frame marker) counts as two (CR LF),
// every other unit as one.
std::size_t BoxFormLength(const Text& text);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_LINE_BREAKS_H_
