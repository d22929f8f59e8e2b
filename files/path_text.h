// How the byte strings of Linux paths become text and back. Names are bytes
// to the kernel; most are UTF-8, but names unpacked from Windows archives are
// often GB or Shift-JIS. Three forms serve three purposes:
//
// - lossless text, carried in the editor's and the dialog's text fields: each
//   byte that is not part of valid UTF-8 becomes one lone surrogate
//   U+DC80..U+DCFF, so TextPath gives the exact bytes back;
// - message text: each such byte shown as "\xHH", never dropped;
// - a readable file name for lists and captions: such a name decoded as GB or
//   Shift-JIS, whichever reads better, and marked with the encoding.
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

// Path bytes as text for messages: valid UTF-8 decoded, every other byte
// written as "\x" and two upper-case hex digits.
Text PathText(const std::string& path);

// A lossless text path as PathText shows it.
Text ShownPath(const Text& lossless);

// A file name for display. Valid UTF-8 as it is; otherwise, when the bytes
// are valid GB (code page 936) or Shift-JIS (932), the better-reading decoding
// followed by " [GB]" or " [Shift-JIS]"; otherwise PathText.
Text ReadableFileName(const std::string& name);

}  // namespace tekvo

#endif  // TEKVO_FILES_PATH_TEXT_H_
