// Table-driven repair for a pair of the pages engine/codepage/fast_codec.h covers:
// text encoded with page A and decoded with page B, one character at a time,
// straight from UTF-8 to UTF-8. Internal to the code page bridge.
//
// A BMP unit is plain for the pair when A's table writes it as bytes that
// B's table reads back as exactly one unit, with nothing carried over to the
// next character on either side, and the bridge's fix-ups after decoding
// (B's remapped units) give a unit that the repair keeps: U+0000, U+FEFF,
// surrogates and the controls 0x1A, 0x1C and 0x7F (which the Shift-JIS page
// exchanges) never count as plain. For a plain unit the repair gives the
// table's unit whatever stands around it, so a stretch of plain characters
// can be repaired here and the text after it by the bridge, joined.
#ifndef TEKVO_ENGINE_CODEPAGE_PLAIN_RECODE_H_
#define TEKVO_ENGINE_CODEPAGE_PLAIN_RECODE_H_

#include <cstddef>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

class PlainRecodeTable;

// The table for code pages `a` then `b` (as TextToCodePageBytes and
// CodePageBytesToText take them), shared by all threads and built a block of
// 256 units at a time as texts need them; nullptr when either page has no
// fast table.
const PlainRecodeTable* PlainRecodeTableFor(CodePageId a, CodePageId b);

// Reads `utf8` from its start as Utf8BytesToText reads it and repairs the
// longest leading stretch of plain characters that are ASCII or well-formed
// two- and three-byte sequences; appends their repair's UTF-8, as
// TextToUtf8Bytes writes it, to `out`. Returns the bytes taken, which always
// end a character (0 when the first character is not plain). Never fails.
std::size_t RecodePlainUtf8(const PlainRecodeTable& table, std::string_view utf8, ByteString& out);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_PLAIN_RECODE_H_
