// Code page reinterpretation: the central repair. Text that shows bytes of
// encoding B read as encoding A is encoded with A, which gives the bytes back,
// and decoded with B.
#ifndef TEKVO_ENGINE_REINTERPRET_H_
#define TEKVO_ENGINE_REINTERPRET_H_

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/text.h"

namespace tekvo {

// Encodes `text` with LocaleId `a` and decodes the bytes with LocaleId `b`
// (LCIDs, or kIdUtf16Be, kIdUtf16Le, kIdUtf8). A leading U+FEFF and every
// U+0000 are removed from the result. Returns the input unchanged when an
// identifier is not a conversion, an LCID is unknown or the result is empty;
// returns the input with too_long set when the result exceeds `max_len`.
Converted ReinterpretByLocale(const Text& text, LocaleId a, LocaleId b,
                              std::size_t max_len = kMaxTextLen);

// The same with Windows code page numbers (0 or more) or kIdUtf16Le on either
// side; every other negative identifier returns the input unchanged.
Converted ReinterpretByCodePage(const Text& text, CodePageId a, CodePageId b,
                                std::size_t max_len = kMaxTextLen);

// A repair applied to a long text one piece at a time, for the command-line
// tool: the pieces' results joined equal the result of the routines above on
// the whole text, with no length limit, when the caller keeps to the
// contract of Piece. Only pairs whose conversions keep no state across a
// line feed can be split so; for the others ForLocales and ForCodePages
// give nullopt and the text must be repaired whole.
class PiecewiseRepair {
 public:
  static std::optional<PiecewiseRepair> ForLocales(LocaleId a, LocaleId b);
  static std::optional<PiecewiseRepair> ForCodePages(CodePageId a, CodePageId b);

  // The repaired `piece`. Pieces come in order; every piece but the last
  // ends with U+000A, and there are at least two of them (a text with no
  // line feed before its end is repaired whole, because the routines'
  // "empty result gives the input" rule needs the whole result).
  Text Piece(const Text& piece);

 private:
  enum class Kind { kLocale, kCodePage };
  PiecewiseRepair(Kind kind, std::int32_t a, std::int32_t b) : kind_(kind), a_(a), b_(b) {}

  Kind kind_;
  std::int32_t a_;
  std::int32_t b_;
  bool first_ = true;
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REINTERPRET_H_
