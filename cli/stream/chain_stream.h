// Two streaming conversions run one after the other, as a chain of two
// repairs runs its steps on the whole text.
#ifndef TEKVO_CLI_STREAM_CHAIN_STREAM_H_
#define TEKVO_CLI_STREAM_CHAIN_STREAM_H_

#include "cli/stream/stream.h"

namespace tekvo::cli {

// Rules for StreamCommand that give second(first(text)): the input is cut and
// converted as `first` says; its results, taken in input order, are gathered
// and cut again where `second` allows, and each such piece goes through
// `second` (its `convert`, then its `in_order`) on the thread that passes the
// results in order. The text between the two is held exactly as `first`
// gives it (lone surrogates, U+0000 and a leading U+FEFF included), so the
// result equals the two whole-text routines run one after the other
// whenever each rule set equals its own. `second`'s `direct` is not used.
// The pieces of the second step are as long as its cuts allow: text that
// offers it no cut is held until the end.
PieceRules ChainedRules(PieceRules first, PieceRules second);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_CHAIN_STREAM_H_
