// Code page reinterpretation: the central repair. Text that shows bytes of
// encoding B read as encoding A is encoded with A, which gives the bytes back,
// and decoded with B.
#ifndef TEKVO_ENGINE_REPAIR_REINTERPRET_H_
#define TEKVO_ENGINE_REPAIR_REINTERPRET_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/codepage/decoder_rest.h"
#include "engine/text/text.h"

namespace tekvo {

class PlainRecodeTable;

// Encodes `text` with LocaleId `a` and decodes the bytes with LocaleId `b`
// (LCIDs, or kIdUtf16Be, kIdUtf16Le, kIdUtf8). A leading U+FEFF and every
// U+0000 are removed from the result. Returns the input unchanged when an
// identifier is not a conversion, an LCID is unknown or the result is empty;
// returns the input with too_long set when the result exceeds `max_len`.
Converted ReinterpretByLocale(const Text& text, LocaleId a, LocaleId b,
                              std::size_t max_len = kMaxTextLen);

// The same with Windows code page numbers (0 or more) or CodePageId::kUtf16Le
// on either side; every other negative identifier returns the input
// unchanged.
Converted ReinterpretByCodePage(const Text& text, CodePageId a, CodePageId b,
                                std::size_t max_len = kMaxTextLen);

// A repair applied to a long text one piece at a time, for the command-line
// tool: the pieces' results joined equal the result of the routines above on
// the whole text, with no length limit, when the caller keeps to the
// contract of Piece. Only pairs whose conversions keep no state across the
// characters of EndsPiece can be split so; for the others ForLocales and
// ForCodePages give nullopt and the text must be repaired whole.
class PiecewiseRepair {
 public:
  static std::optional<PiecewiseRepair> ForLocales(LocaleId a, LocaleId b);
  static std::optional<PiecewiseRepair> ForCodePages(CodePageId a, CodePageId b);

  // The characters a piece may end with: U+0001 to U+002F (line feed, space,
  // digits excluded, most ASCII punctuation). Every side that splits writes
  // them as the single bytes 0x01 to 0x2F (UTF-16 as such a byte and 0x00),
  // and no such side reads these bytes as the second or a later byte of a
  // character, so decoding starts afresh after them. Digits are left out
  // because GB18030 uses them inside its four-byte characters.
  static bool EndsPiece(char16_t c) { return c >= 0x01 && c <= 0x2F; }

  // The repaired `piece`. Pieces come in order; every piece but the last
  // ends with a character for which EndsPiece holds, and there are at least
  // two of them (a text that cannot be cut is repaired whole, because the
  // routines' "empty result gives the input" rule needs the whole result).
  // `first` is true for the first piece only. Pure: pieces may be repaired
  // on several threads at once and joined in order.
  Text Piece(const Text& piece, bool first) const;

  // The same, counting the pieces itself.
  Text Piece(const Text& piece);

  // Repairs the longest leading stretch of `utf8` made of characters that
  // both code pages' tables map one to one whatever stands around them (see
  // plain_recode.h), appends the result's UTF-8 as TextToUtf8Bytes writes it
  // to `out` and returns the bytes taken: whole characters, never U+0000 or
  // U+FEFF, nor anything whose result is one of them or a surrogate; 0 when
  // the first is not such a character or a side is not a code page with
  // tables. When it takes any, the text may be cut there as after a
  // character of EndsPiece: with T the text Utf8BytesToText reads from the
  // stretch, Piece(T + R, first) equals Piece(T, first) + Piece(R, false)
  // for any R. Pure and thread-safe, as Piece.
  std::size_t PlainUtf8(std::string_view utf8, ByteString& out) const;

  // The bytes the A side writes for `text`, which Piece reads with the B
  // side: a text's bytes are its stretches' bytes joined, when no stretch
  // but the last ends with the first half of a surrogate pair. Empty when
  // the side cannot write.
  ByteString Encode(const Text& text) const;

  // A reader of the B side's decoder state, to be fed the bytes of Encode
  // from the start of a piece on: where it rests, the text may be cut (with
  // T the text before and R after, Piece(T + R, first) equals
  // Piece(T, first) + Piece(R, false), if Piece(T, first) is not empty).
  DecoderRest ReadRest() const;

  // False when PlainUtf8 never takes anything: a side is UTF-8 or UTF-16,
  // or a page without tables.
  bool HasPlainTables() const { return plain_ != nullptr; }

 private:
  enum class Kind { kLocale, kCodePage };
  // `a` and `b` are LocaleId or CodePageId numbers, as `kind` says.
  PiecewiseRepair(Kind kind, std::int32_t a, std::int32_t b);

  Kind kind_;
  std::int32_t a_;
  std::int32_t b_;
  bool first_ = true;
  const PlainRecodeTable* plain_ = nullptr;  // null: no table-driven stretches
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_REINTERPRET_H_
