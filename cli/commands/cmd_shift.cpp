// tekvo-cli shift, map and the ISO-2022 kinds of decode.
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "cli/stream/input_scan.h"
#include "cli/stream/io.h"
#include "cli/stream/stream.h"
#include "cli/stream/transfer_streams.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "engine/repair/half_char.h"
#include "engine/repair/repairs.h"
#include "engine/text/ascii.h"
#include "engine/text/mapping.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo::cli {
namespace {

// A number, or a short language name of the repair names (gb, ja, u, ...).
std::optional<LocaleId> ParseShiftId(std::string_view arg) {
  if (std::optional<std::int32_t> n = ParseInt32(arg)) return LocaleId{*n};
  const std::u16string name(arg.begin(), arg.end());
  return FindLanguage(name);
}

// Other names of the ISO-2022 rows of the table of repairs.
struct Iso2022Alias {
  std::string_view name;
  std::string_view row;  // the row's command-line name
};

constexpr std::array<Iso2022Alias, 2> kIso2022Aliases = {{
    {"iso2022:cn", "iso2022:zh"},
    {"iso2022:kr", "iso2022:ko"},
}};

// The ISO-2022 row of the table that `name` or its alias names, ASCII case
// ignored; nullptr when none does.
const Repair* FindIso2022Row(std::string_view name) {
  const std::string lower = AsciiLower(name);
  std::string_view key = lower;
  for (const Iso2022Alias& alias : kIso2022Aliases) {
    if (alias.name == lower) key = alias.row;
  }
  const Repair* row = FindRepairByCliName(key);
  return row != nullptr && row->routine == RepairRoutine::kIso2022 ? row : nullptr;
}

struct MapName {
  std::string_view name;
  TextMapping mapping;
};

constexpr std::array<MapName, 4> kMapNames = {{
    {"full", TextMapping::kFullWidth},
    {"half", TextMapping::kHalfWidth},
    {"simplified", TextMapping::kSimplified},
    {"traditional", TextMapping::kTraditional},
}};

// "ﾞ" or "ﾟ" (U+FF9E, U+FF9F) starts `bytes`.
bool StartsHalfSoundMark(std::string_view bytes) {
  return bytes.starts_with("\xEF\xBE\x9E") || bytes.starts_with("\xEF\xBE\x9F");
}

}  // namespace

bool IsIso2022DecodeName(std::string_view name) { return FindIso2022Row(name) != nullptr; }

int RunDecodeIso2022(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "decode needs a NAME");
  if (pos.size() > 2) return UsageError(inv, "decode takes NAME and at most one FILE");
  const Repair* row = FindIso2022Row(pos[0]);
  if (row == nullptr) {
    return UsageError(inv, "unknown ISO-2022 kind " + pos[0] + " (iso2022:zh, :ja or :ko)");
  }
  int status = kExitOk;
  if (CanStream(inv, status)) {
    const bool keep = inv.args.Option("--keep-surrogates").has_value();
    if (const std::optional<PieceRules> rules = DecodingRules(row->routine, row->param, keep)) {
      return StreamCommand(inv, 1, *rules);
    }
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  const Converted result = RunRepairRoutine(row->routine, row->param, *text, kNoLengthLimit);
  return WriteOutputText(inv, result.text);
}

int RunShift(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.size() < 2) return UsageError(inv, "shift needs an LCID and a POSITION");
  if (pos.size() > 3) return UsageError(inv, "shift takes LCID, POSITION and at most one FILE");
  const std::optional<LocaleId> id = ParseShiftId(pos[0]);
  if (!id || !(IsLcid(*id) || *id == kIdUtf16Be || *id == kIdUtf16Le)) {
    return UsageError(inv, "LCID must be a language number, a short name, -1 or -2: " + pos[0]);
  }
  if (IsLcid(*id) && !LocaleCodePage(*id)) return Fail(inv, "unknown LCID " + pos[0]);
  const std::optional<std::int32_t> position = ParseInt32(pos[1]);
  if (!position || *position < 0) {
    return UsageError(inv, "POSITION must be a number of UTF-16 units from 0: " + pos[1]);
  }
  const auto past_the_end = [&](std::size_t units) {
    return Fail(inv, "POSITION " + pos[1] + " is not before the end of the text (" +
                         std::to_string(units) + " units)");
  };
  const auto cut = static_cast<std::size_t>(*position);
  int status = kExitOk;
  if (CanStream(inv, status)) {
    // The text's length decides between a result and a failure, which must
    // leave standard output empty: the input is read through first.
    std::size_t units = 0;
    const std::optional<InputReadTwice> input =
        InputReadTwice::Scan(inv, 2, [&](const Text& piece) { units += piece.size(); });
    if (!input) return kExitError;
    if (cut >= units) return past_the_end(units);
    std::optional<InputSource> in = input->Reopen();
    if (!in) return kExitError;
    PieceRules rules;
    rules.cut = [](std::string_view, std::size_t) { return true; };
    rules.convert = [](const Text& piece, std::size_t, bool) { return piece; };
    rules.in_order = [shifter = std::make_shared<HalfCharShifter>(cut, *id)](Text piece,
                                                                             bool last) {
      Text out;
      shifter->Add(piece, last, out);
      return out;
    };
    return StreamCommand(inv, *in, rules);
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 2);
  if (!text) return kExitError;
  if (cut >= text->size()) return past_the_end(text->size());
  const Converted result = ShiftHalfCharacter(*text, *position, *id, kNoLengthLimit);
  return WriteOutputText(inv, result.text);
}

int RunMap(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty())
    return UsageError(inv, "map needs a MAPPING: full, half, simplified or traditional");
  if (pos.size() > 2) return UsageError(inv, "map takes a mapping and at most one FILE");
  const std::string lower = AsciiLower(pos[0]);
  const auto it = std::find_if(kMapNames.begin(), kMapNames.end(),
                               [&](const MapName& m) { return m.name == lower; });
  if (it == kMapNames.end()) {
    return UsageError(inv, "unknown mapping " + pos[0] + " (full, half, simplified, traditional)");
  }
  int status = kExitOk;
  if (CanStream(inv, status)) {
    PieceRules rules;
    // Every mapping goes character by character, but for the half-width
    // sound marks, which join the kana before them: cut before anything
    // else. Not before U+0000, which the input's decoding drops and which
    // may stand between a kana and its mark, nor before a malformed
    // sequence, which may be dropped too or read as a mark.
    rules.cut = [](std::string_view bytes, std::size_t p) {
      const auto next = static_cast<unsigned char>(bytes[p]);
      if (next < 0x80) return next != 0;
      return Utf8SequenceAt(bytes, p) >= 2 && !StartsHalfSoundMark(bytes.substr(p));
    };
    rules.convert = [mapping = it->mapping](const Text& piece, std::size_t, bool) {
      return ApplyTextMapping(piece, mapping);
    };
    return StreamCommand(inv, 1, rules);
  }
  if (status != kExitOk) return status;
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  const Text mapped = ApplyTextMapping(*text, it->mapping);
  return WriteOutputText(inv, mapped);
}

}  // namespace tekvo::cli
