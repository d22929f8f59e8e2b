#include "editor/whole_text.h"

#include "editor/line_breaks.h"

namespace tekvo {

Text FitWholeText(Seam& seam, const Converted& result, const Text& source) {
  if (result.too_long) {
    seam.Tell(kConvertTooLong);
    return source;
  }
  if (result.text == source || BoxFormLength(result.text) <= kMaxTextLen) return result.text;
  seam.Tell(kConvertTooLong);
  return source;
}

}  // namespace tekvo
