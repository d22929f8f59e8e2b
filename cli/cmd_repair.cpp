#include <sstream>

#include "cli/commands.h"
#include "cli/io.h"
#include "cli/repair_spec.h"
#include "engine/codepage.h"
#include "engine/fixed_repairs.h"

namespace tekvo::cli {
namespace {

std::string ValidNames() {
  std::ostringstream os;
  os << "valid names:";
  for (const auto& r : FixedRepairs()) os << ' ' << r.name;
  os << "\n  or lcid:A:B (numbers or short names:";
  for (const auto& l : LanguageNames()) os << ' ' << l.name;
  os << "), or cp:A:B (code page numbers, -2 for UTF-16LE)";
  return os.str();
}

}  // namespace

int RunList(const Invocation& inv) {
  if (!inv.args.positional.empty()) return UsageError(inv, "list takes no arguments");
  Text listing;
  for (const auto& r : FixedRepairs()) {
    listing.append(r.name.begin(), r.name.end());
    listing += u'\t';
    listing += r.caption;
    listing += u'\n';
  }
  return WriteOutputText(inv, listing);
}

int RunRepair(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "repair needs a NAME\n" + ValidNames());
  if (pos.size() > 2) return UsageError(inv, "repair takes NAME and at most one FILE");
  std::optional<RepairSpec> spec = ParseRepairName(pos[0]);
  if (!spec) return UsageError(inv, "unknown repair " + pos[0] + "\n" + ValidNames());
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  // The tool has no length limit: a file of any size is repaired whole.
  Converted result = ApplyRepair(*spec, *text, kNoLengthLimit);
  text.reset();
  return WriteOutputText(inv, result.text);
}

}  // namespace tekvo::cli
