// The encoding of a text file on disk, its display names, and how the
// encoding of a file is detected from its bytes and settled against the
// user's choice.
//
// A FileEncoding travels as a 16-bit value that may hold anything (a stale
// setting, a caller's arithmetic); every function here accepts values outside
// 0..8 and says what it does with them.
#ifndef TEKVO_FILES_FILE_ENCODING_H_
#define TEKVO_FILES_FILE_ENCODING_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

enum class FileEncoding : std::int16_t {
  kDefaultEncoding = 0,  // a request: detect on load, the document's own on save
  kAnsiGb = 1,           // code page 936, no mark
  kUnicode = 2,          // UTF-16 LE, FF FE
  kUnicodeBe = 3,        // UTF-16 BE, FE FF
  kUtf8 = 4,             // UTF-8, EF BB BF
  kUnicodeNoBom = 5,
  kUnicodeBeNoBom = 6,
  kUtf8NoBom = 7,
  kAnsiEng = 8,  // code page 1252, no mark
};

inline constexpr std::int16_t ToInt(FileEncoding e) { return static_cast<std::int16_t>(e); }
inline constexpr FileEncoding ToFileEncoding(int value) {
  return static_cast<FileEncoding>(static_cast<std::int16_t>(value));
}

// True for the values 1..8, the ones that describe bytes in a file.
bool IsConcreteEncoding(FileEncoding e);

// "ANSI GB", "Unicode", "Unicode BE", "UTF-8", "ANSI Eng"; the forms without
// a byte order mark (5, 6, 7) get " (No BOM)" appended. Every other value,
// kDefaultEncoding included, gives the empty string.
Text EncodingName(FileEncoding e);

// Looks at a file's bytes and names their encoding. The first rule that holds
// decides: fewer than 2 bytes → kAnsiGb; FF FE → kUnicode; FE FF →
// kUnicodeBe; EF BB BF → kUtf8; a UTF-16 LE CR LF (0D 00 0A 00) at an even
// offset → kUnicodeNoBom; a UTF-16 BE CR LF (00 0D 00 0A) at an even offset →
// kUnicodeBeNoBom; a zero byte before the last two bytes → kUnicodeNoBom when
// its offset is odd, kUnicodeBeNoBom when even; valid UTF-8 holding at least
// one multi-byte sequence → kUtf8NoBom, unless all its sequences are of two
// bytes, the bytes are valid GB as well and read more like real writing so
// (by the readability score of engine/score/text_score.h); anything else (pure
// ASCII included)
// → kAnsiGb. Never returns kDefaultEncoding or kAnsiEng.
FileEncoding DetectFileEncoding(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no encoded
// surrogates, nothing above U+10FFFF, no sequence cut short) and hold at least
// one sequence of two or more bytes.
bool IsMultiByteUtf8(std::string_view bytes);

// Settles the requested encoding against the detected one: an ANSI request
// (1, 8) always wins; a request with a mark (2..4) becomes its form without a
// mark unless the file has that mark; a request without a mark (5..7) becomes
// the form with the mark when the file starts with that mark; any other
// request takes the detected value.
FileEncoding ResolveFileEncoding(FileEncoding requested, FileEncoding detected);

// Decodes file bytes in the encoding `used` (1..8; anything else decodes as
// kAnsiGb). When `used` carries a mark that detection also found, the decoded
// mark U+FEFF is removed from the front. Every U+0000 is removed. Returns
// nullopt only when the code page bridge cannot serve the ANSI page.
std::optional<Text> DecodeFileBytes(std::string_view bytes, FileEncoding used,
                                    FileEncoding detected);

// The bytes a file in encoding `e` holds for `text`, mark included for 2..4.
// Values outside 1..8 encode as kUnicode (the caller reports that value back).
// nullopt only when the code page bridge cannot serve the ANSI page.
std::optional<ByteString> EncodeFileText(const Text& text, FileEncoding e);

// The bytes of one piece of a text written a piece at a time: the first
// piece as EncodeFileText gives them (the mark included), every later one
// without the mark. A text cut anywhere but inside a surrogate pair gives,
// joined, the bytes of EncodeFileText on the whole.
std::optional<ByteString> EncodeFileTextPiece(const Text& piece, FileEncoding e, bool first);

// For the two ANSI encodings: how many characters (code points) of `text`
// would not read back as themselves, because the code page lacks them and
// writes "?" or a look-alike instead. Zero for every other encoding.
std::size_t CountUnmappableCharacters(const Text& text, FileEncoding e);

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_ENCODING_H_
