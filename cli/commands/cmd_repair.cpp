#include <sstream>
#include <string>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/io.h"
#include "cli/stream/repair_pieces.h"
#include "cli/stream/stream.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "engine/repair/reinterpret.h"

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
  std::optional<RepairChoice> choice = ParseRepairName(pos[0]);
  if (!choice) return UsageError(inv, "unknown repair " + pos[0] + "\n" + ValidNames());
  if (const std::string unusable = UnusableSide(*choice); !unusable.empty()) {
    return Fail(inv, unusable + " in " + pos[0]);
  }
  // The tool has no length limit: a file of any size is repaired. Where the
  // pair allows it, it is streamed in pieces cut where the pair starts
  // afresh (the result is the same), so that memory stays small and both
  // cores work.
  std::optional<PiecewiseRepair> piecewise =
      choice->kind == RepairKind::kLocale
          ? PiecewiseRepair::ForLocales(LocaleId{choice->a}, LocaleId{choice->b})
          : PiecewiseRepair::ForCodePages(CodePageId{choice->a}, CodePageId{choice->b});
  int status = kExitOk;
  if (piecewise && CanStream(inv, status)) {
    return StreamCommand(inv, 1,
                         PiecewiseRepairRules(*piecewise, [whole = *choice](const Text& text) {
                           return ApplyRepair(whole, text, kNoLengthLimit).text;
                         }));
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  Converted result = ApplyRepair(*choice, *text, kNoLengthLimit);
  text.reset();
  return WriteOutputText(inv, result.text);
}

}  // namespace tekvo::cli
