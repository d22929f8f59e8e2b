// Well-formed UTF-8, one sequence at a time: the check that file loading,
// file names and the command-line tool share.
#ifndef TEKVO_ENGINE_TEXT_UTF8_SEQUENCE_H_
#define TEKVO_ENGINE_TEXT_UTF8_SEQUENCE_H_

#include <cstddef>
#include <string_view>

namespace tekvo {

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at byte
// `i` of `bytes` (`i` < bytes.size()), or 0 when none starts there: a stray
// continuation byte, an overlong form, a surrogate, a value above U+10FFFF,
// or a sequence cut short by the end of `bytes`.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i);

// True when all of `bytes` is well-formed UTF-8 (the empty string is).
bool IsValidUtf8(std::string_view bytes);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_UTF8_SEQUENCE_H_
