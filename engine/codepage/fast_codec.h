// Table-driven conversion for the stateless single- and double-byte pages,
// which is where the fixed repairs spend most of their time. Internal to the
// code page bridge.
//
// The tables are learned from the page's own configured ICU converter and
// its supplement (codepage_supplement.h), one block of 256 byte pairs or code
// units at a time as the text needs them, so they cannot disagree with the
// slow path. Units the supplement remaps after decoding come out as ICU
// gives them; the caller remaps the whole result. They cover only the plain case: bytes that
// each make one BMP character alone or as a lead and trail pair, and BMP
// characters (those the page lacks become "?"). At the first sequence
// outside that (invalid or unassigned bytes, a sequence cut short, a
// surrogate) the fast path stops and the
// caller converts the rest with ICU, so the substitution rules stay ICU's.
#ifndef TEKVO_ENGINE_CODEPAGE_FAST_CODEC_H_
#define TEKVO_ENGINE_CODEPAGE_FAST_CODEC_H_

#include <cstddef>

#include "engine/codepage/codepage_registry.h"

namespace tekvo {

class FastCodecTable;

// The table for `entry`, shared by all threads, or nullptr when the page is
// not a stateless page of at most two bytes per character (UTF-8, GB18030,
// EUC, the ISO-2022 pages, iconv pages).
const FastCodecTable* FastCodecTableFor(const CodePageEntry& entry);

// How far a fast conversion got: it stops before the first sequence that
// needs the full converter, always on a character boundary, so the rest can
// be handed to ICU and the two outputs joined.
struct FastProgress {
  std::size_t consumed;  // input units or bytes
  std::size_t written;   // output bytes or units
};

// Decodes up to `n` bytes into `out`, which has room for `n` units.
FastProgress FastDecode(const FastCodecTable& table, const char* bytes, std::size_t n,
                        char16_t* out);

// Encodes up to `n` units into `out`, which has room for 2 × `n` bytes.
FastProgress FastEncode(const FastCodecTable& table, const char16_t* text, std::size_t n,
                        char* out);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_FAST_CODEC_H_
