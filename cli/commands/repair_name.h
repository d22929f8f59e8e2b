// The names under which tekvo-cli accepts a repair: a fixed pair of the
// decode menu ("gb--big5", "GB--日文"), "lcid:A:B" or "cp:A:B".
#ifndef TEKVO_CLI_COMMANDS_REPAIR_NAME_H_
#define TEKVO_CLI_COMMANDS_REPAIR_NAME_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo::cli {

enum class RepairKind {
  kLocale,    // ReinterpretByLocale
  kCodePage,  // ReinterpretByCodePage
};

// The two sides as numbers: LCIDs or code pages, as `kind` says.
struct RepairChoice {
  RepairKind kind;
  std::int32_t a;
  std::int32_t b;
};

// Parses a repair name given as UTF-8. In "lcid:A:B" each side is a number
// or a short language name (gb, big5, ja, ..., u, ube, utf8); in "cp:A:B"
// each side is a number. Letters are matched ignoring ASCII case. nullopt
// when the name is none of these.
std::optional<RepairChoice> ParseRepairName(std::string_view name);

// Why the repair cannot run: "unknown LCID N" for a side of a kLocale choice
// that is neither a known LCID nor -1, -2, -3; "unknown code page N" for a
// side of a kCodePage choice that the code page bridge does not serve and
// that is not -2. Empty when both sides are usable. The engine would return
// such text unchanged, which a script could not tell from success.
std::string UnusableSide(const RepairChoice& choice);

// A decimal 32-bit signed integer with an optional sign and nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Runs the repair on `text` with the given length limit.
Converted ApplyRepair(const RepairChoice& choice, const Text& text, std::size_t max_len);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_COMMANDS_REPAIR_NAME_H_
