// Code page bridge: the only place where text becomes bytes and bytes become
// text.
//
// Windows code page numbers are served by ICU converters (glibc iconv for the
// one page ICU lacks) with a generated supplement of Windows' own mappings,
// so that they behave like MultiByteToWideChar and WideCharToMultiByte with
// flags 0: characters a page lacks come out as its best-fit character where
// the page has one, otherwise "?"; the bytes Windows reads as private-use or
// control characters decode to those; invalid byte sequences decode to
// U+FFFD. The UTF-16 and UTF-8 forms use the engine's own
// coders. Every function is pure and thread-safe; none throws except
// std::bad_alloc when memory runs out, which the callers catch: a failed
// result must not pass for a repair that changed nothing.
#ifndef TEKVO_ENGINE_CODEPAGE_CODEPAGE_H_
#define TEKVO_ENGINE_CODEPAGE_CODEPAGE_H_

#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

// Text to bytes in code page `cp` (0 or more). A code page the bridge does not
// serve gives an empty ByteString.
ByteString TextToCodePageBytes(const Text& text, CodePageId cp);

// Bytes in code page `cp` to text. A code page the bridge does not serve gives
// empty text.
Text CodePageBytesToText(const ByteString& bytes, CodePageId cp);

// True when `cp` is a code page number the bridge can convert.
bool IsCodePageServed(CodePageId cp);

// True when `cp` is served, keeps no shift state between characters and
// writes the bytes 0x00 to 0x7F for U+0000 to U+007F and nothing else: text
// in such a page may be converted piece by piece, cut after any line feed.
// False for UTF-7 and the ISO-2022 pages.
bool IsCodePageStateless(CodePageId cp);

// For a page that IsCodePageStateless: how many bytes at the start of
// `bytes` (read from the page's initial state) its decoder reads with
// nothing held back for a character cut short, so that the text of those
// bytes and of the rest, joined, is the text of all of them. All of `bytes`
// when no character is cut short at the end; 0 for a page not served.
std::size_t CodePageRestPoint(std::string_view bytes, CodePageId cp);

// The default ANSI code page of a Windows LCID, or nullopt for an LCID that has
// none or that is unknown.
std::optional<CodePageId> LocaleCodePage(LocaleId lcid);

// Text to and from the bytes of the default ANSI code page of `lcid`. nullopt
// when the LCID is unknown (the callers then return their input unchanged).
std::optional<ByteString> TextToLocaleBytes(const Text& text, LocaleId lcid);
std::optional<Text> LocaleBytesToText(const ByteString& bytes, LocaleId lcid);

// The engine's own UTF-8 coder. Each UTF-16 unit is coded by itself except a
// well-formed surrogate pair, which becomes one four-byte sequence; lone
// surrogates come out as three bytes, so any text survives a round trip. The
// decoder is lenient: a sequence cut short is written as far as it got,
// overlong forms of controls are dropped, a valid four-byte sequence becomes a
// surrogate pair.
ByteString TextToUtf8Bytes(const Text& text);
Text Utf8BytesToText(const ByteString& bytes);

// Exchanges the two bytes of every pair; an odd last byte is dropped.
ByteString SwapBytePairs(const ByteString& bytes);

// The text's own UTF-16 little-endian bytes, and back (an odd last byte is
// dropped).
ByteString TextToUtf16LeBytes(const Text& text);
Text Utf16LeBytesToText(const ByteString& bytes);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_CODEPAGE_H_
