#include "engine/fixed_repairs.h"

#include <array>

namespace tekvo {
namespace {

constexpr std::array<FixedRepair, 14> kRepairs = {{
    {0, u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文", u"GB--Big5", "gb--big5", 2052, 1028},
    {1, u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅", u"GB--日文", "gb--ja", 2052,
     1041},
    {2, u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格", u"GB--韩文", "gb--ko", 2052, 1042},
    {3, u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号", u"GB--俄文", "gb--ru", 2052, 1049},
    {4, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 \u20AC ,或开头有 锘", u"GB--UTF8", "gb--utf8",
     2052, kIdUtf8},
    {6, u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝", u"Big5--GB", "big5--gb", 1028, 2052},
    {7, u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格", u"Big5--韩文", "big5--ko", 1028,
     1042},
    {8, u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名", u"日文--GB", "ja--gb", 1041, 2052},
    {9, u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文", u"韩文--GB", "ko--gb", 1042, 2052},
    {10, u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母", u"俄文--GB", "ru--gb", 1049, 2052},
    {12, u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母", u"Eng--GB", "en--gb", 1033, 2052},
    {13, u"Eng--Big5 ：同上类似", u"Eng--Big5", "en--big5", 1033, 1028},
    {14, u"Eng--UTF8 ：同上类似,而且多方框", u"Eng--UTF8", "en--utf8", 1033, kIdUtf8},
    {15, u"U--UBE ：全文不通,多方框,兼有空格和韩文", u"U--UBE", "u--ube", kIdUtf16Le, kIdUtf16Be},
}};

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

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

template <typename Str>
bool EqualsIgnoringAsciiCase(std::u16string_view a, Str b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(static_cast<char16_t>(b[i]))) return false;
  }
  return true;
}

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
