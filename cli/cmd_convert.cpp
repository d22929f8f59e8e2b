#include "cli/commands.h"
#include "cli/encoding_options.h"
#include "cli/io.h"

namespace tekvo::cli {

int RunConvert(const Invocation& inv) {
  if (inv.args.positional.size() > 1) return UsageError(inv, "convert takes at most one FILE");
  std::optional<Text> text = ReadInputText(inv, 0);
  if (!text) return kExitError;
  return WriteOutputText(inv, *text);
}

}  // namespace tekvo::cli
