#include "cli/commands/commands.h"
#include "cli/stream/encoding_options.h"
#include "cli/stream/io.h"
#include "cli/stream/stream.h"

namespace tekvo::cli {

int RunConvert(const Invocation& inv) {
  if (inv.args.positional.size() > 1) return UsageError(inv, "convert takes at most one FILE");
  int status = kExitOk;
  if (CanStream(inv, status)) {
    PieceRules rules;
    rules.cut = [](std::string_view, std::size_t) { return true; };
    rules.convert = [](const Text& piece, std::size_t, bool) { return piece; };
    return StreamCommand(inv, 0, rules);
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 0);
  if (!text) return kExitError;
  return WriteOutputText(inv, *text);
}

}  // namespace tekvo::cli
