#include "engine/repair/fixed_repairs.h"

#include <array>
#include <variant>

#include "engine/codepage/windows_ids.h"
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
    {"gb", u"GB", kLcidChinesePrc},
    {"big5", u"Big5", kLcidChineseTaiwan},
    {"ja", u"日文", kLcidJapanese},
    {"ko", u"韩文", kLcidKorean},
    {"th", u"泰文", kLcidThai},
    {"vi", u"越南文", kLcidVietnamese},
    {"en", u"Eng", kLcidEnglishUs},
    {"el", u"希腊文", kLcidGreek},
    {"ru", u"俄文", kLcidRussian},
    {"ar", u"阿拉伯文", kLcidArabic},
    {"he", u"希伯莱文", kLcidHebrew},
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
