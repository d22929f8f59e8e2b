// Detecting the encoding of a file's bytes by reading them every way the
// code page bridge can and judging which reading looks like real writing.
//
// Detectors that count byte statistics fail on short texts, a line or a file
// name, where there are too few bytes for statistics. Here each reading is
// judged as text instead (engine/score/text_score.h): the hanzi of the right code
// page are frequent ones that stand in dictionary words, those of a wrong one
// are rare and stand apart.
#ifndef TEKVO_FILES_DETECT_ENCODING_H_
#define TEKVO_FILES_DETECT_ENCODING_H_

#include <string_view>
#include <vector>

#include "engine/text/text.h"

namespace tekvo {

// One way to read bytes.
struct EncodingReading {
  // "utf8", "utf8-bom", "utf16le", "utf16le-bom", "utf16be", "utf16be-bom",
  // "gb18030", "big5", "shift-jis", "euc-jp", "euc-kr", "cp1251", "koi8-r",
  // "cp1252", and "cp" with the number for every other page.
  std::string_view name;
  // a code page number or one of the Unicode forms of CodePageId.
  CodePageId id = CodePageId::kUtf8;
  // The reading starts with a byte order mark, which decoding drops.
  bool bom = false;
  // Higher is better. About 0.5 to 1.3 for a reading that holds neither
  // U+FFFD nor controls; below 0 for one that does.
  double score = 0;
};

// Every reading of `bytes`, best first. A byte order mark (EF BB BF, FF FE,
// FE FF) decides at once: the one reading it marks, score 1. Otherwise every
// served code page that keeps no shift state is tried (UTF-7 and the ISO-2022
// pages are not, nor pages a wider one here reads the same), with UTF-16 in
// both byte orders. A reading whose text holds U+FFFD, a lone surrogate or a
// control other than tab, line feed, form feed, carriage return and escape
// scores below 0, under every reading that holds none. Valid UTF-8 with
// sequences of three or four bytes gets a clear lead; of two-byte sequences
// only, a small one, since short GB text is often valid UTF-8 too. A reading
// mostly in capital letters loses some, and so do the pages other than those
// named above. Readings that give the same text keep the more common encoding
// first (UTF-8, then the East Asian pages, then 1252, 1251, KOI8-R). Only the
// first 64 KiB are judged. Empty bytes give the single reading "utf8" with
// score 0. Never fails.
std::vector<EncodingReading> RankEncodings(std::string_view bytes);

// The text of `bytes` read as `reading` says, the mark dropped.
Text DecodeReading(std::string_view bytes, const EncodingReading& reading);

}  // namespace tekvo

#endif  // TEKVO_FILES_DETECT_ENCODING_H_
