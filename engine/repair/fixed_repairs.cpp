#include "engine/repair/fixed_repairs.h"

#include <array>
#include <variant>

#include "engine/repair/repairs.h"
#include "engine/text/ascii.h"

namespace tekvo {
namespace {

constexpr std::size_t kPairCount = [] {
  std::size_t n = 0;
  for (const Repair& r : kRepairTable) n += r.menu == RepairMenu::kChgA2B;
  return n;
}();

// The code page pair rows of the table of repairs, as the pair lists and the
// command-line tool see them.
constexpr std::array<FixedRepair, kPairCount> kRepairs = [] {
  std::array<FixedRepair, kPairCount> out{};
  std::size_t n = 0;
  for (const Repair& r : kRepairTable) {
    if (r.menu != RepairMenu::kChgA2B) continue;
    const LocalePair pair = std::get<LocalePair>(r.param);
    out[n++] = {r.menu_index, r.caption, r.say.substr(0, r.say.size() - 1),
                r.cli_name,   pair.a,    pair.b};
  }
  return out;
}();

constexpr std::array<LanguageName, 14> kLanguages = {{
    {"gb", u"GB", 2052},
    {"big5", u"Big5", 1028},
    {"ja", u"日文", 1041},
    {"ko", u"韩文", 1042},
    {"th", u"泰文", 1054},
    {"vi", u"越南文", 1066},
    {"en", u"Eng", 1033},
    {"el", u"希腊文", 1032},
    {"ru", u"俄文", 1049},
    {"ar", u"阿拉伯文", 1025},
    {"he", u"希伯莱文", 1037},
    {"u", u"U", kIdUtf16Le},
    {"ube", u"UBE", kIdUtf16Be},
    {"utf8", u"UTF8", kIdUtf8},
}};

}  // namespace

std::span<const FixedRepair> FixedRepairs() { return kRepairs; }

const FixedRepair* FixedRepairAtMenuIndex(int index) {
  for (const auto& r : kRepairs) {
    if (r.menu_index == index) return &r;
  }
  return nullptr;
}

const FixedRepair* FindFixedRepair(std::u16string_view name) {
  for (const auto& r : kRepairs) {
    if (EqualsIgnoringAsciiCase(name, r.name) || EqualsIgnoringAsciiCase(name, r.pair)) return &r;
  }
  return nullptr;
}

std::span<const LanguageName> LanguageNames() { return kLanguages; }

std::optional<LocaleId> FindLanguage(std::u16string_view name) {
  for (const auto& l : kLanguages) {
    if (EqualsIgnoringAsciiCase(name, l.name)) return l.id;
  }
  return std::nullopt;
}

}  // namespace tekvo
