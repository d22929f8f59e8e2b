// tekvo-cli suggest: every repair tried on the text, the results ranked by
// how much they read like real text.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/io.h"
#include "cli/repair_name.h"
#include "engine/suggest.h"

namespace tekvo::cli {
namespace {

constexpr int kDefaultTop = 10;
// Units of each candidate's first line that the listing shows.
constexpr std::size_t kLineUnits = 60;

void AppendAscii(Text& out, const std::string& s) { out.append(s.begin(), s.end()); }

// The name without the blank that status texts end in.
std::u16string_view Trimmed(std::u16string_view name) {
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  return name;
}

}  // namespace

int RunSuggest(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.size() > 1) return UsageError(inv, "suggest takes at most one FILE");
  int top = kDefaultTop;
  if (const std::optional<std::string> value = inv.args.Option("--top")) {
    const std::optional<std::int32_t> n = ParseInt32(*value);
    if (!n || *n < 1) return UsageError(inv, "--top needs a number of 1 or more: " + *value);
    top = *n;
  }
  const bool apply = inv.args.Option("--apply").has_value();
  const std::optional<Text> text = ReadInputText(inv, 0);
  if (!text) return kExitError;

  SuggestOptions options;
  options.max_len = kNoLengthLimit;  // the editor's limit does not bind files
  const std::vector<RepairCandidate> ranked = SuggestRepairs(*text, options);
  if (apply) return WriteOutputText(inv, ranked.front().text);

  // One line per candidate: score, name and the start of the result, by tabs.
  Text listing;
  const std::size_t shown = std::min(ranked.size(), static_cast<std::size_t>(top));
  for (std::size_t i = 0; i < shown; ++i) {
    char score[32];
    std::snprintf(score, sizeof score, "%.3f\t", ranked[i].score);
    AppendAscii(listing, score);
    listing.append(Trimmed(ranked[i].name));
    listing.push_back(u'\t');
    listing.append(FirstLine(ranked[i].text, kLineUnits));
    listing.push_back(u'\n');
  }
  return WriteOutputText(inv, listing);
}

}  // namespace tekvo::cli
