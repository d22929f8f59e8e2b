// The line-break style of a text file. The editor holds every line break as
// CR LF; a file keeps the style it was loaded with when it is saved again, so
// that a Unix file stays a Unix file.
#ifndef TEKVO_FILES_LINE_BREAK_STYLE_H_
#define TEKVO_FILES_LINE_BREAK_STYLE_H_

#include "engine/text/text.h"

namespace tekvo {

enum class LineBreakStyle {
  kCrLf,  // Windows; also the style of a text that came from no file
  kLf,    // Unix
  kCr,    // classic Mac OS
};

// The style most of the text's line breaks use. A tie goes to CR LF before
// LF before CR; a text without line breaks gives CR LF.
LineBreakStyle DetectLineBreakStyle(const Text& text);

// Every line break of `text` (CR LF, a lone CR, a lone LF) written in
// `style`. Nothing else changes.
Text ApplyLineBreakStyle(const Text& text, LineBreakStyle style);

// "CR LF", "LF" or "CR".
Text LineBreakStyleName(LineBreakStyle style);

}  // namespace tekvo

#endif  // TEKVO_FILES_LINE_BREAK_STYLE_H_
