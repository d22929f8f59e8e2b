// How a code page pair's repair streams, for "repair" and for "suggest
// --apply": where its input may be cut, and what each piece becomes.
#ifndef TEKVO_CLI_STREAM_REPAIR_PIECES_H_
#define TEKVO_CLI_STREAM_REPAIR_PIECES_H_

#include <functional>

#include "cli/stream/stream.h"
#include "engine/repair/reinterpret.h"
#include "engine/text/text.h"

namespace tekvo::cli {

// The rules for streaming `repair`. An input that is never cut is repaired
// by `whole` (the routine with its "empty result gives the input" rule);
// the pieces of a cut one by `repair`. The input is cut after the
// characters of PiecewiseRepair::EndsPiece where it has them; where a long
// stretch has none, after the characters at whose end the B side's decoder
// rests (PiecewiseRepair::ReadRest), found by reading the stretch once. An
// input after whose characters it never rests (a decoder out of step with
// the characters all the way) is repaired whole.
PieceRules PiecewiseRepairRules(const PiecewiseRepair& repair,
                                std::function<Text(const Text&)> whole);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_REPAIR_PIECES_H_
