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

// Identifiers of the encoding on either side of a repair, as two types so
// that a locale cannot be passed where a code page is meant. A LocaleId of 1
// or more is a Windows LCID, standing for its default ANSI code page; a
// CodePageId of 0 or more is a Windows code page number. Both share the three
// negative values of the Unicode forms. A number becomes one explicitly
// (LocaleId{2052}) and ToInt gives it back.
enum class LocaleId : std::int32_t { kUtf16Be = -1, kUtf16Le = -2, kUtf8 = -3 };
enum class CodePageId : std::int32_t { kUtf16Be = -1, kUtf16Le = -2, kUtf8 = -3 };

constexpr std::int32_t ToInt(LocaleId id) { return static_cast<std::int32_t>(id); }
constexpr std::int32_t ToInt(CodePageId id) { return static_cast<std::int32_t>(id); }

// Whether `id` is an LCID rather than a Unicode form.
constexpr bool IsLcid(LocaleId id) { return ToInt(id) >= 1; }
// Whether `cp` is a code page number rather than a Unicode form.
constexpr bool IsCodePageNumber(CodePageId cp) { return ToInt(cp) >= 0; }

// The Unicode forms as the languages of repairs name them.
inline constexpr LocaleId kIdUtf16Be = LocaleId::kUtf16Be;
inline constexpr LocaleId kIdUtf16Le = LocaleId::kUtf16Le;
inline constexpr LocaleId kIdUtf8 = LocaleId::kUtf8;

// A conversion whose result may be refused for its length. When too_long is
// set, text holds the routine's input unchanged and the caller reports
// "转换失败~ 文本过长".
struct Converted {
  Text text;
  bool too_long = false;
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_TEXT_H_
