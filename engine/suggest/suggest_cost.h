// What a repair's result rests on beyond how it reads, for the repair
// ranking (suggest.h): characters the text could not have been shown with,
// bytes a UTF-8 reading drops without a trace, code units only a wrong guess
// produces. The readability score cannot see these, since the result looks
// clean exactly where something was lost ("Café" read back as UTF-8 is
// "Caf").
#ifndef TEKVO_ENGINE_SUGGEST_SUGGEST_COST_H_
#define TEKVO_ENGINE_SUGGEST_SUGGEST_COST_H_

#include <cstddef>
#include <string_view>

#include "engine/score/text_score.h"
#include "engine/suggest/suggest.h"
#include "engine/text/text.h"

namespace tekvo {

// The cost of running `repair` on `input`, per unit of the result (whose
// score counted `out_counted` units), so that it compares with the score:
//  - a code page pair: each character of `input` that page A cannot write
//    back (a best fit or "?"; U+FFFD is exempt, being what A shows for bytes
//    it could not read), and, when B is UTF-8, each byte of A's bytes that
//    belongs to no UTF-8 sequence;
//  - the byte-order swap: each unit U+0021-U+00FF of `input`, which would
//    have to come from a character ending in a zero byte;
//  - URL, quoted-printable and Base64 decoding to UTF-8: each escaped or
//    Base64 byte that belongs to no UTF-8 sequence;
//  - UTF-7: the units of each shift real UTF-7 cannot have written.
// 0 for every other repair and when a code page is unknown. Never fails.
double RepairCost(const Repair& repair, const Text& input, std::size_t out_counted);

// The cost of a second step that turned `input`, the first step's result,
// into `output`, per unit of the output (whose score counted `out_counted`
// units), for each U+FFFD of the input beyond those the output keeps: a
// step that turns the first step's mark of lost bytes into "?" or a letter
// hides the loss and mends nothing. 0 when the output keeps them all.
double HiddenLossCost(std::u16string_view input, std::u16string_view output,
                      std::size_t out_counted);

// What the ranking gives back to a result (scored `output`) of a text
// (scored `input`) for the marks of loss the text held already, per unit of
// the result: a repair cannot bring back what was lost before it ran, and
// should not rank below a wrong one that happens to lose less. Each mark of
// the text covers up to two of the result (a U+FFFD written back as "?"
// leaves the lead byte before it unpaired: "ï¿½?"); the credit is
// that share of the weight the result's marks carry. 0 when either holds
// none.
double InheritedLossCredit(const TextScore& input, const TextScore& output);

// The bytes that belong to no well-formed UTF-8 sequence. Surrogates coded as
// three bytes each (CESU-8) count as well-formed: the decoder pairs them.
// `cut_before` and `cut_after` say that bytes were lost just before or after
// `bytes`: the continuation bytes at its start, and a sequence its end cuts
// short, are then not counted.
std::size_t StrayUtf8Bytes(std::string_view bytes, bool cut_before = false, bool cut_after = false);

// The units of the "+..." shifts of `text` that real UTF-7 cannot have
// written, plus one for each such shift: a shift's Base64 digits ("+" among
// them) leave fewer than six bits over after its last UTF-16 unit, and those
// bits are zero unless "-" closes the shift. Base64 of anything else
// ("+/TImW+5JCeu", a hash, "a+b") seldom ends so.
std::size_t IllFormedUtf7Units(std::u16string_view text);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_SUGGEST_SUGGEST_COST_H_
