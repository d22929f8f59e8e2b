#include "engine/transfer/iso2022.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "engine/repair/reinterpret.h"
#include "engine/text/replace.h"

namespace tekvo {
namespace {

constexpr char16_t kEsc = u'\x1b';

struct KindInfo {
  // In list order; restoring goes forward, dropping empty designations
  // backward.
  std::array<std::u16string_view, 2> designators;
  std::size_t count;
  CodePageId code_page;
};

const KindInfo* InfoFor(Iso2022Kind kind) {
  static constexpr KindInfo kChinese{{u"$)A", u"$)G"}, 2, kCpIso2022Cn};
  static constexpr KindInfo kJapanese{{u"(B", u"$B"}, 2, kCpIso2022Jp};
  static constexpr KindInfo kKorean{{u"$)C", u""}, 1, kCpIso2022Kr};
  switch (kind) {
    case Iso2022Kind::kChinese:
      return &kChinese;
    case Iso2022Kind::kJapanese:
      return &kJapanese;
    case Iso2022Kind::kKorean:
      return &kKorean;
  }
  return nullptr;
}

Text Prefixed(char16_t first, std::u16string_view rest, char16_t last = 0) {
  Text s;
  s.reserve(rest.size() + 2);
  s.push_back(first);
  s.append(rest);
  if (last != 0) s.push_back(last);
  return s;
}

}  // namespace

CodePageId Iso2022CodePage(Iso2022Kind kind) {
  const KindInfo* info = InfoFor(kind);
  return info == nullptr ? kCpAnsi : info->code_page;
}

Text RestoreIso2022Escapes(const Text& text, Iso2022Kind kind) {
  const KindInfo* info = InfoFor(kind);
  if (text.empty() || info == nullptr) return text;

  Text work = text;
  for (std::size_t i = 0; i < info->count; ++i) {
    const std::u16string_view d = info->designators[i];
    work = ReplaceAll(work, d, Prefixed(kEsc, d));
  }
  // A designator that kept its ESC now has two.
  const char16_t double_esc[] = {kEsc, kEsc};
  const char16_t single_esc[] = {kEsc};
  work = ReplaceAll(work, std::u16string_view(double_esc, 2), std::u16string_view(single_esc, 1));
  // A designation directly followed by another escape sequence selects a set
  // for zero characters; the converter would take it for an error.
  for (std::size_t i = info->count; i-- > 0;) {
    const std::u16string_view d = info->designators[i];
    work = ReplaceAll(work, Prefixed(kEsc, d, kEsc), std::u16string_view(single_esc, 1));
  }
  return work;
}

Converted DecodeIso2022Escapes(const Text& text, Iso2022Kind kind, std::size_t max_len) {
  const KindInfo* info = InfoFor(kind);
  if (text.empty() || info == nullptr) return Converted{text, false};

  const Text restored = RestoreIso2022Escapes(text, kind);
  Converted decoded =
      ReinterpretByCodePage(restored, kIso2022SevenBitPage, info->code_page, max_len);
  // Too long, whether the decoded text or the restored text handed back for an
  // empty decoding: the caller reports it and keeps the text as it was, so no
  // half-done repair (ESC characters inserted, nothing decoded) reaches the
  // document.
  if (decoded.too_long || decoded.text.size() > max_len) return Converted{text, true};
  Text& out = decoded.text;
  out.erase(std::remove(out.begin(), out.end(), u'\0'), out.end());
  return Converted{std::move(out), false};
}

}  // namespace tekvo
