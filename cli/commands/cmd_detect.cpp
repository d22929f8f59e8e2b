// "detect [FILE]": every reading of the input's bytes, best first, one line
// each: the name "--in" would take where it has one, and the score.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/io.h"
#include "files/detect_encoding.h"

namespace tekvo::cli {
namespace {

constexpr int kDefaultTop = 10;

}  // namespace

int RunDetect(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.size() > 1) return UsageError(inv, "detect takes at most one FILE");
  int top = kDefaultTop;
  if (const std::optional<std::string> value = inv.args.Option("--top")) {
    const std::optional<std::int32_t> n = ParseInt32(*value);
    if (!n || *n < 1) return UsageError(inv, "--top needs a number of 1 or more: " + *value);
    top = *n;
  }
  const std::optional<ByteString> bytes = ReadInputBytes(inv, 0);
  if (!bytes) return kExitError;
  const std::vector<EncodingReading> readings = RankEncodings(*bytes);
  const std::size_t shown = std::min(readings.size(), static_cast<std::size_t>(top));
  std::string listing;
  for (std::size_t i = 0; i < shown; ++i) {
    char score[32];
    std::snprintf(score, sizeof score, "%.3f", readings[i].score);
    std::string line(readings[i].name);
    // Names up to "utf16le-bom" line up the scores.
    if (line.size() < 12) line.resize(12, ' ');
    listing += line + ' ' + score + '\n';
  }
  return WriteOutputBytes(inv, listing);
}

}  // namespace tekvo::cli
