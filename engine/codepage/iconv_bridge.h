// glibc iconv as a code page converter, for the pages ICU has no table for
// (Johab). Internal to the code page bridge.
//
// Behaves like the ICU side of the bridge: a character the charset lacks is
// written as "?", every invalid byte sequence decodes to one U+FFFD. The iconv
// descriptors are opened once per thread and charset and kept open.
#ifndef TEKVO_ENGINE_CODEPAGE_ICONV_BRIDGE_H_
#define TEKVO_ENGINE_CODEPAGE_ICONV_BRIDGE_H_

#include <cstddef>
#include <optional>

#include "engine/text/text.h"

namespace tekvo {

// nullopt when iconv cannot open `charset` at all.
std::optional<ByteString> IconvFromText(const Text& text, const char* charset);
std::optional<Text> IconvToText(const ByteString& bytes, const char* charset);

// The length of the Johab sequence at p (with `left` bytes, at least 1): 2
// for a lead byte followed by a byte that can trail it, else 1.
std::size_t JohabSequenceLength(const char* p, std::size_t left);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_ICONV_BRIDGE_H_
