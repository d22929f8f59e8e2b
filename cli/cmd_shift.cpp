// tekvo-cli shift, map and the ISO-2022 kinds of decode.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/io.h"
#include "cli/repair_name.h"
#include "cli/stream.h"
#include "engine/codepage.h"
#include "engine/fixed_repairs.h"
#include "engine/half_char.h"
#include "engine/iso2022.h"
#include "engine/mapping.h"

namespace tekvo::cli {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// A number, or a short language name of the repair names (gb, ja, u, ...).
std::optional<LocaleId> ParseShiftId(std::string_view arg) {
  if (std::optional<std::int32_t> n = ParseInt32(arg)) return *n;
  const std::u16string name(arg.begin(), arg.end());
  return FindLanguage(name);
}

struct Iso2022Name {
  std::string_view name;
  Iso2022Kind kind;
};

constexpr std::array<Iso2022Name, 5> kIso2022Names = {{
    {"iso2022:zh", Iso2022Kind::kChinese},
    {"iso2022:cn", Iso2022Kind::kChinese},
    {"iso2022:ja", Iso2022Kind::kJapanese},
    {"iso2022:ko", Iso2022Kind::kKorean},
    {"iso2022:kr", Iso2022Kind::kKorean},
}};

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

}  // namespace

bool IsIso2022DecodeName(std::string_view name) {
  const std::string lower = Lower(name);
  return std::any_of(kIso2022Names.begin(), kIso2022Names.end(),
                     [&](const Iso2022Name& n) { return n.name == lower; });
}

int RunDecodeIso2022(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty()) return UsageError(inv, "decode needs a NAME");
  if (pos.size() > 2) return UsageError(inv, "decode takes NAME and at most one FILE");
  const std::string lower = Lower(pos[0]);
  const auto it = std::find_if(kIso2022Names.begin(), kIso2022Names.end(),
                               [&](const Iso2022Name& n) { return n.name == lower; });
  if (it == kIso2022Names.end()) {
    return UsageError(inv, "unknown ISO-2022 kind " + pos[0] + " (iso2022:zh, :ja or :ko)");
  }
  std::optional<Text> text = ReadInputText(inv, 1);
  if (!text) return kExitError;
  const Converted result = DecodeIso2022Escapes(*text, it->kind, kNoLengthLimit);
  return WriteOutputText(inv, result.text);
}

int RunShift(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.size() < 2) return UsageError(inv, "shift needs an LCID and a POSITION");
  if (pos.size() > 3) return UsageError(inv, "shift takes LCID, POSITION and at most one FILE");
  const std::optional<LocaleId> id = ParseShiftId(pos[0]);
  if (!id || !(*id >= 1 || *id == kIdUtf16Be || *id == kIdUtf16Le)) {
    return UsageError(inv, "LCID must be a language number, a short name, -1 or -2: " + pos[0]);
  }
  if (*id >= 1 && !LocaleCodePage(*id)) return Fail(inv, "unknown LCID " + pos[0]);
  const std::optional<std::int32_t> position = ParseInt32(pos[1]);
  if (!position || *position < 0) {
    return UsageError(inv, "POSITION must be a number of UTF-16 units from 0: " + pos[1]);
  }
  std::optional<Text> text = ReadInputText(inv, 2);
  if (!text) return kExitError;
  if (static_cast<std::size_t>(*position) >= text->size()) {
    return Fail(inv, "POSITION " + pos[1] + " is not before the end of the text (" +
                         std::to_string(text->size()) + " units)");
  }
  const Converted result = ShiftHalfCharacter(*text, *position, *id, kNoLengthLimit);
  return WriteOutputText(inv, result.text);
}

int RunMap(const Invocation& inv) {
  const auto& pos = inv.args.positional;
  if (pos.empty())
    return UsageError(inv, "map needs a MAPPING: full, half, simplified or traditional");
  if (pos.size() > 2) return UsageError(inv, "map takes a mapping and at most one FILE");
  const std::string lower = Lower(pos[0]);
  const auto it = std::find_if(kMapNames.begin(), kMapNames.end(),
                               [&](const MapName& m) { return m.name == lower; });
  if (it == kMapNames.end()) {
    return UsageError(inv, "unknown mapping " + pos[0] + " (full, half, simplified, traditional)");
  }
  int status = kExitOk;
  if (CanStream(inv, status)) {
    PieceRules rules;
    // Sound marks compose with the kana before them: cut only before
    // characters that join nothing, ASCII and the ideographs (lead bytes E4
    // to E9: U+4000 to U+9FFF).
    rules.cut = [](std::string_view bytes, std::size_t p) {
      const auto next = static_cast<unsigned char>(bytes[p]);
      return next < 0x80 || (next >= 0xE4 && next <= 0xE9);
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
