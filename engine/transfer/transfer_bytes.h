// Steps shared by the byte-level transfer codecs (quoted-printable, URL
// escapes, Base64): which bytes a composed text is made of, how decoded bytes
// become text again, and how an encoder's input limit follows from the
// editor's length limit.
#ifndef TEKVO_ENGINE_TRANSFER_TRANSFER_BYTES_H_
#define TEKVO_ENGINE_TRANSFER_TRANSFER_BYTES_H_

#include <cstddef>
#include <optional>

#include "engine/text/text.h"

namespace tekvo {

// The bytes an encoder writes out: those of the Chinese (PRC) code page 936 or
// UTF-8.
enum class ComposeBytes { kGb, kUtf8 };

// How the line-folding encoders end a line: a bare CR, as the editor keeps
// line breaks, or CR LF, as files and mail have them.
enum class FoldBreak { kCr, kCrLf };

// The longest input an encoder accepts when its output may grow up to
// `growth` units per input unit and the result must fit in `max_len` units.
inline std::size_t EncoderInputLimit(std::size_t max_len, std::size_t growth) {
  return max_len / growth;
}

// A selection from the editor has bare CR line breaks; mail and web formats
// want CR LF. When the text holds no LF at all, every CR becomes CR LF;
// otherwise the text is returned as it is.
Text WithCrLfBreaks(const Text& text);

// The text's bytes in code page 936 (kGb) or UTF-8 (kUtf8). nullopt only when
// code page 936 is not available.
std::optional<ByteString> ComposeTextBytes(const Text& text, ComposeBytes which);

// Decoded bytes back to text: a language of 1 or more through the default
// ANSI code page of that LCID, kIdUtf8 through the engine's UTF-8 coder.
// nullopt for any other identifier, or an LCID without a code page.
std::optional<Text> LanguageBytesToText(const ByteString& bytes, LocaleId language);

// Removes every U+0000 in place.
void RemoveNuls(Text& text);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_TRANSFER_BYTES_H_
