// Putting a conversion's result back as the whole document.
//
// The engine refuses results longer than the editor holds, counting UTF-16
// units. The box, though, stores every line break as CR LF, so a result with
// lone CRs, LFs or paragraph separators can still grow past the limit once it
// is in the box. Every command that replaces the whole text passes its result
// through here, so both refusals end the same way: the length message and the
// text as it was, which the history then reports as no change.
#ifndef TEKVO_EDITOR_WHOLE_TEXT_H_
#define TEKVO_EDITOR_WHOLE_TEXT_H_

#include "editor/seam.h"
#include "engine/text/text.h"

namespace tekvo {

inline constexpr char16_t kConvertTooLong[] = u"转换失败~ 文本过长";

// The text to put into the box for `result`, a conversion of `source`: the
// result when it fits the box, otherwise `source` after telling the user
// "转换失败~ 文本过长" (once, also when the engine already refused it).
Text FitWholeText(Seam& seam, const Converted& result, const Text& source);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_WHOLE_TEXT_H_
