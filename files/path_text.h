// How the byte strings of Linux paths become text and back. Names are bytes
// to the kernel; most are UTF-8, but names unpacked from Windows archives are
// often GB or Shift-JIS. Two forms serve two purposes:
//
// - lossless text, carried in the editor's and the dialog's text fields: each
//   byte that is not part of valid UTF-8 becomes one lone surrogate
//   U+DC80..U+DCFF, so TextPath gives the exact bytes back;
// - the readable form, the one way a name is shown anywhere (lists, name and
//   path boxes, captions, messages): a name that is not UTF-8 decoded as GB or
//   Shift-JIS, whichever reads better, and marked with the encoding; a name
//   that is neither with each such byte as "\xHH", never dropped. Typed back,
//   the readable form names the same bytes (BytesOfReadableName).
#ifndef TEKVO_FILES_PATH_TEXT_H_
#define TEKVO_FILES_PATH_TEXT_H_

#include <string>
#include <string_view>

#include "engine/text/text.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo {

// Path bytes to lossless text (see above); valid UTF-8 decodes as such.
Text LosslessPathText(const std::string& path);

// Lossless text back to the path bytes: U+DC80..U+DCFF standing alone become
// the bytes 80..FF, everything else is written as UTF-8.
std::string TextPath(const Text& text);

// How the bytes of one name are read for display.
enum class NameReading {
  kUtf8,      // valid UTF-8, shown as it is
  kGb,        // valid GB (code page 936), tagged " [GB]"
  kShiftJis,  // valid Shift-JIS (932), tagged " [Shift-JIS]"
  kEscaped,   // neither: valid UTF-8 decoded, every other byte as "\xHH"
};

// The reading ReadableFileName uses for `name`: UTF-8 when it is valid;
// otherwise GB or Shift-JIS when every byte decodes, the better-reading one
// when both do; otherwise kEscaped.
NameReading ReadingOf(const std::string& name);

// `bytes` in `reading`, without the tag. Bytes the reading cannot decode are
// shown as "\xHH".
Text ShowNameAs(const std::string& bytes, NameReading reading);

// A file name for display: ShowNameAs in ReadingOf, with the tag of GB and
// Shift-JIS readings (" [GB]", " [Shift-JIS]").
Text ReadableFileName(const std::string& name);

// The bytes of the name that ReadableFileName shows as `shown`: a tagged
// name is encoded back into its code page, "\xHH" becomes its byte, anything
// else is UTF-8 (lone surrogates of lossless text as their bytes). A tagged
// or escaped reading counts only when the bytes show exactly as `shown`
// again; a name typed with a tag its characters do not fit is taken as typed.
std::string BytesOfReadableName(const Text& shown);

// A whole path for display and messages: each name between the "/" in its
// readable form.
Text PathText(const std::string& path);

// A lossless text path as PathText shows it.
Text ShownPath(const Text& lossless);

// The bytes of a path shown as PathText shows it, name by name.
std::string BytesOfReadablePath(const Text& shown);

}  // namespace tekvo

#endif  // TEKVO_FILES_PATH_TEXT_H_
