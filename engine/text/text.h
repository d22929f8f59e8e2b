// Basic value types shared by every conversion routine.
//
// Text is what the editor box holds: UTF-16 code units, any of them allowed
// (lone surrogates and U+0000 can appear in intermediate results). A
// ByteString is raw bytes of any length, the currency between the code page
// bridge and the byte-level codecs.
#ifndef TEKVO_ENGINE_TEXT_TEXT_H_
#define TEKVO_ENGINE_TEXT_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace tekvo {

using Text = std::u16string;
using ByteString = std::string;

// The longest text the editor holds, in UTF-16 units (CR LF counts as 2).
// 16384 is the first length refused.
inline constexpr std::size_t kMaxTextLen = 16383;

// Passed as a length limit where no limit applies (the command-line tool).
inline constexpr std::size_t kNoLengthLimit = static_cast<std::size_t>(-1);

// Identifiers of the encoding on either side of a repair. Values of 1 or more
// are LCIDs (LocaleId) or Windows code page numbers (CodePageId, 0 or more).
using LocaleId = std::int32_t;
using CodePageId = std::int32_t;

inline constexpr std::int32_t kIdUtf16Be = -1;
inline constexpr std::int32_t kIdUtf16Le = -2;
inline constexpr std::int32_t kIdUtf8 = -3;

// A conversion whose result may be refused for its length. When too_long is
// set, text holds the routine's input unchanged and the caller reports
// "转换失败~ 文本过长".
struct Converted {
  Text text;
  bool too_long = false;
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_TEXT_H_
