#include "cli/commands/repair_name.h"

#include <charconv>

#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "engine/repair/reinterpret.h"
#include "engine/text/ascii.h"

namespace tekvo::cli {
namespace {

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
  return EqualsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

std::optional<std::int32_t> ParseLocaleSide(std::string_view side) {
  if (auto n = ParseInt32(side)) return n;
  Text name = Utf8BytesToText(ByteString(side));
  if (const std::optional<LocaleId> id = FindLanguage(name)) return ToInt(*id);
  return std::nullopt;
}

// "A:B" split at the one colon.
std::optional<std::pair<std::string_view, std::string_view>> SplitPair(std::string_view s) {
  auto colon = s.find(':');
  if (colon == std::string_view::npos || s.find(':', colon + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{s.substr(0, colon), s.substr(colon + 1)};
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::size_t start = text[0] == '+' ? 1 : 0;
  std::int32_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
  if (start == 1 && (first[0] == '-' || first[0] == '+')) return std::nullopt;
  return value;
}

std::optional<RepairChoice> ParseRepairName(std::string_view name) {
  if (StartsWithIgnoringCase(name, "lcid:")) {
    auto pair = SplitPair(name.substr(5));
    if (!pair) return std::nullopt;
    auto a = ParseLocaleSide(pair->first);
    auto b = ParseLocaleSide(pair->second);
    if (!a || !b) return std::nullopt;
    return RepairChoice{RepairKind::kLocale, *a, *b};
  }
  if (StartsWithIgnoringCase(name, "cp:")) {
    auto pair = SplitPair(name.substr(3));
    if (!pair) return std::nullopt;
    auto a = ParseInt32(pair->first);
    auto b = ParseInt32(pair->second);
    if (!a || !b) return std::nullopt;
    return RepairChoice{RepairKind::kCodePage, *a, *b};
  }
  const FixedRepair* fixed = FindFixedRepair(Utf8BytesToText(ByteString(name)));
  if (fixed == nullptr) return std::nullopt;
  return RepairChoice{RepairKind::kLocale, ToInt(fixed->a), ToInt(fixed->b)};
}

std::string UnusableSide(const RepairChoice& choice) {
  for (const std::int32_t n : {choice.a, choice.b}) {
    if (choice.kind == RepairKind::kLocale) {
      const LocaleId id{n};
      const bool usable =
          id == kIdUtf16Be || id == kIdUtf16Le || id == kIdUtf8 || LocaleCodePage(id).has_value();
      if (!usable) return "unknown LCID " + std::to_string(n);
    } else {
      const CodePageId cp{n};
      const bool usable =
          cp == CodePageId::kUtf16Le || (IsCodePageNumber(cp) && IsCodePageServed(cp));
      if (!usable) return "unknown code page " + std::to_string(n);
    }
  }
  return {};
}

Converted ApplyRepair(const RepairChoice& choice, const Text& text, std::size_t max_len) {
  return choice.kind == RepairKind::kLocale
             ? ReinterpretByLocale(text, LocaleId{choice.a}, LocaleId{choice.b}, max_len)
             : ReinterpretByCodePage(text, CodePageId{choice.a}, CodePageId{choice.b}, max_len);
}

}  // namespace tekvo::cli
