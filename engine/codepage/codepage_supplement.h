// Where the Windows conversion calls and the converters behind the code page
// bridge disagree: small tables of the differences, generated from
// Microsoft's published best-fit tables by scripts/make-codepage-supplement,
// laid over ICU and iconv. Internal to the bridge.
//
// Three kinds of entry, each sorted by its key:
//  - decodes: byte sequences the converter cannot read (or, for the iconv
//    pages, reads otherwise) and the unit Windows gives for them;
//  - remaps: units the ICU converter gives for a byte sequence where Windows
//    gives another (each such unit comes from that one sequence alone);
//  - encodes: BMP units whose bytes differ from the converter's, best-fit
//    characters and units Windows writes as "?" included.
#ifndef TEKVO_ENGINE_CODEPAGE_CODEPAGE_SUPPLEMENT_H_
#define TEKVO_ENGINE_CODEPAGE_CODEPAGE_SUPPLEMENT_H_

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/text/text.h"

namespace tekvo {

// One byte is stored as itself (below 0x100), a pair as lead * 256 + trail;
// no lead byte is below 0x80, so the two never meet.
using SupplementBytes = std::uint16_t;

struct SupplementDecode {
  SupplementBytes bytes;
  char16_t unit;
};

struct SupplementRemap {
  char16_t from;
  char16_t to;
};

struct SupplementEncode {
  char16_t unit;
  SupplementBytes bytes;
};

struct CodePageSupplement {
  CodePageId cp;
  std::span<const SupplementDecode> decodes;
  std::span<const SupplementRemap> remaps;
  std::span<const SupplementEncode> encodes;
};

// Every page's supplement (the generated tables).
std::span<const CodePageSupplement> CodePageSupplements();

// The supplement of `cp`, or nullptr when the converter is exact.
const CodePageSupplement* FindSupplement(CodePageId cp);

// The unit Windows gives for `n` (1 or 2) bytes at `bytes`, or -1 when the
// supplement has no entry for them.
int SupplementDecodeOf(const CodePageSupplement& sup, const char* bytes, std::size_t n);

// The bytes Windows writes for `u` (1 or 2, at out[0..]), or 0 when the
// supplement has no entry for it.
std::size_t SupplementEncodeOf(const CodePageSupplement& sup, char16_t u, char* out);

// Replaces every unit the converter gives where Windows gives another.
void ApplySupplementRemaps(const CodePageSupplement& sup, Text& text);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_CODEPAGE_SUPPLEMENT_H_
