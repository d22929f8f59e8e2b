#include "engine/text/mapping.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tekvo {
namespace {

// One ICU transform with a per-character memo. Creating a transform and running
// it on a single character are both costly, and the editor maps the same few
// thousand characters over and over.
class CharMapper {
 public:
  explicit CharMapper(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    translit_.reset(icu::Transliterator::createInstance(icu::UnicodeString(id, -1, US_INV),
                                                        UTRANS_FORWARD, status));
    if (U_FAILURE(status)) translit_.reset();
  }

  bool ok() const { return translit_ != nullptr; }

  Text Map(const Text& text) {
    Text out(text);
    std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i) {
      const char16_t unit = out[i];
      if (U16_IS_LEAD(unit) && i + 1 < n && U16_IS_TRAIL(out[i + 1])) {
        const UChar32 mapped = MapSupplementary(U16_GET_SUPPLEMENTARY(unit, out[i + 1]));
        out[i] = U16_LEAD(mapped);
        out[i + 1] = U16_TRAIL(mapped);
        ++i;
      } else if (!U16_IS_SURROGATE(unit)) {
        out[i] = MapBasic(unit);
      }
      // A lone surrogate has no mapping and stays.
    }
    return out;
  }

  // MapBasic, MapSupplementary and Memo are for callers that hold mutex().
  std::mutex& mutex() { return mutex_; }

  // A caller's own per-unit result, computed once; kUnknown is no result.
  static constexpr std::uint32_t kUnknown = 0xFFFFFFFF;
  template <typename Compute>
  std::uint32_t Memo(char16_t unit, Compute compute) {
    if (memo_.empty()) memo_.assign(0x10000, kUnknown);
    std::uint32_t& slot = memo_[unit];
    if (slot == kUnknown) slot = compute();
    return slot;
  }

  char16_t MapBasic(char16_t unit) {
    if (basic_.empty()) {
      basic_.assign(0x10000, 0);
      known_.assign(0x10000, false);
    }
    if (!known_[unit]) {
      icu::UnicodeString s(static_cast<UChar>(unit));
      translit_->transliterate(s);
      basic_[unit] = (s.length() == 1 && !U16_IS_SURROGATE(s.charAt(0))) ? s.charAt(0) : unit;
      known_[unit] = true;
    }
    return basic_[unit];
  }

  UChar32 MapSupplementary(UChar32 c) {
    auto found = supplementary_.find(c);
    if (found != supplementary_.end()) return found->second;
    icu::UnicodeString s(c);
    translit_->transliterate(s);
    UChar32 mapped = c;
    if (s.length() == 2 && U_IS_SUPPLEMENTARY(s.char32At(0))) mapped = s.char32At(0);
    supplementary_.emplace(c, mapped);
    return mapped;
  }

 private:
  std::unique_ptr<icu::Transliterator> translit_;
  std::mutex mutex_;
  std::vector<char16_t> basic_;
  std::vector<bool> known_;
  std::unordered_map<UChar32, UChar32> supplementary_;
  std::vector<std::uint32_t> memo_;
};

enum class Transform { kToTraditional, kToSimplified, kToFull, kToHalf };

// Each transform is built on first use only and lives to the end.
CharMapper& Mapper(Transform transform) {
  switch (transform) {
    case Transform::kToTraditional: {
      static CharMapper mapper("Hans-Hant");
      return mapper;
    }
    case Transform::kToSimplified: {
      static CharMapper mapper("Hant-Hans");
      return mapper;
    }
    case Transform::kToFull: {
      static CharMapper mapper("Halfwidth-Fullwidth");
      return mapper;
    }
    case Transform::kToHalf:
      break;
  }
  static CharMapper mapper("Fullwidth-Halfwidth");
  return mapper;
}

// The katakana sound marks: half-width, combining, and the spacing forms
// that stand alone in full width.
constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;
constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr char16_t kSpacingVoiced = 0x309B;
constexpr char16_t kSpacingSemiVoiced = 0x309C;

bool IsHalfKana(char16_t u) { return u >= 0xFF66 && u <= 0xFF9D; }
bool IsHalfHangul(char16_t u) { return u >= 0xFFA0 && u <= 0xFFDC; }

// Hangul compatibility jamo, the full-width forms of the half-width jamo.
constexpr char16_t kCompatJamoFirst = 0x3130;
constexpr char16_t kCompatJamoLast = 0x318F;

// What the half-width jamo stand for. ICU's transform turns them into the
// conjoining jamo (U+1100...), which render differently and which the Windows
// mapping never produces; their compatibility decomposition is the
// compatibility jamo.
struct HangulWidths {
  std::array<char16_t, 0xFFDC - 0xFFA0 + 1> full{};
  std::array<char16_t, kCompatJamoLast - kCompatJamoFirst + 1> half{};
};

const HangulWidths& Hangul() {
  static const HangulWidths widths = [] {
    HangulWidths w;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
    for (char16_t h = 0xFFA0; h <= 0xFFDC; ++h) {
      icu::UnicodeString d;
      if (U_FAILURE(status) || !nfkc->getRawDecomposition(h, d) || d.length() != 1) continue;
      const char16_t jamo = d.charAt(0);
      w.full[h - 0xFFA0] = jamo;
      if (jamo >= kCompatJamoFirst && jamo <= kCompatJamoLast) w.half[jamo - kCompatJamoFirst] = h;
    }
    return w;
  }();
  return widths;
}

const icu::Normalizer2* Nfc() {
  static const icu::Normalizer2* const nfc = [] {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* n = icu::Normalizer2::getNFCInstance(status);
    return U_SUCCESS(status) ? n : nullptr;
  }();
  return nfc;
}

// The unit a pair of a full-width kana and a combining mark composes to, or 0.
char16_t Compose(char16_t base, char16_t mark) {
  const icu::Normalizer2* nfc = Nfc();
  if (nfc == nullptr) return 0;
  const UChar32 c = nfc->composePair(base, mark);
  return c > 0 && c <= 0xFFFF ? static_cast<char16_t>(c) : 0;
}

// One unit's width form alone: the first unit in bits 0-15, a second one
// (a split-off sound mark) in bits 16-31, 0 for none.
std::uint32_t FullForm(char16_t u, CharMapper& mapper) {
  if (u == kHalfVoiced) return kSpacingVoiced;
  if (u == kHalfSemiVoiced) return kSpacingSemiVoiced;
  if (IsHalfHangul(u) && Hangul().full[u - 0xFFA0] != 0) return Hangul().full[u - 0xFFA0];
  return mapper.MapBasic(u);
}

std::uint32_t HalfForm(char16_t u, CharMapper& mapper) {
  if (u == kSpacingVoiced) return kHalfVoiced;
  if (u == kSpacingSemiVoiced) return kHalfSemiVoiced;
  if (u >= kCompatJamoFirst && u <= kCompatJamoLast) {
    const char16_t h = Hangul().half[u - kCompatJamoFirst];
    return h != 0 ? h : u;
  }
  // A voiced kana ("ガ") is its plain kana and the mark in half width.
  icu::UnicodeString d;
  const icu::Normalizer2* nfc = Nfc();
  if (nfc != nullptr && u >= 0x3040 && u <= 0x30FF && nfc->getRawDecomposition(u, d) &&
      d.length() == 2 && (d.charAt(1) == kCombiningVoiced || d.charAt(1) == kCombiningSemiVoiced)) {
    const char16_t base = mapper.MapBasic(d.charAt(0));
    if (IsHalfKana(base)) {
      const char16_t mark = d.charAt(1) == kCombiningVoiced ? kHalfVoiced : kHalfSemiVoiced;
      return static_cast<std::uint32_t>(mark) << 16 | base;
    }
  }
  const char16_t mapped = mapper.MapBasic(u);
  // Only the compatibility jamo have half-width forms.
  return IsHalfHangul(mapped) ? u : mapped;
}

// Voiced and semi-voiced half-width kana take two units ("ｶﾞ"), so the width
// mapping, unlike the script mapping, can change the length of a text.
template <bool kFull>
Text MapWidthWith(const Text& text, CharMapper& mapper) {
  Text out(text.size() * 2, u'\0');
  std::size_t w = 0;
  std::lock_guard<std::mutex> lock(mapper.mutex());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = text[i];
    if (U16_IS_LEAD(u) && i + 1 < n && U16_IS_TRAIL(text[i + 1])) {
      const UChar32 mapped = mapper.MapSupplementary(U16_GET_SUPPLEMENTARY(u, text[i + 1]));
      out[w++] = U16_LEAD(mapped);
      out[w++] = U16_TRAIL(mapped);
      ++i;
      continue;
    }
    if (U16_IS_SURROGATE(u)) {
      out[w++] = u;
      continue;
    }
    if (kFull && IsHalfKana(u) && i + 1 < n &&
        (text[i + 1] == kHalfVoiced || text[i + 1] == kHalfSemiVoiced)) {
      const char16_t mark = text[i + 1] == kHalfVoiced ? kCombiningVoiced : kCombiningSemiVoiced;
      if (const char16_t composed = Compose(mapper.MapBasic(u), mark); composed != 0) {
        out[w++] = composed;
        ++i;
        continue;
      }
    }
    const std::uint32_t form =
        mapper.Memo(u, [&] { return kFull ? FullForm(u, mapper) : HalfForm(u, mapper); });
    out[w++] = static_cast<char16_t>(form & 0xFFFF);
    if ((form >> 16) != 0) out[w++] = static_cast<char16_t>(form >> 16);
  }
  out.resize(w);
  return out;
}

Text MapWith(const Text& text, Transform transform) {
  if (text.empty()) return text;
  CharMapper& mapper = Mapper(transform);
  if (!mapper.ok()) return text;
  return mapper.Map(text);
}

}  // namespace

Text MapChineseScript(const Text& text, ScriptTarget target) {
  return MapWith(text, target == ScriptTarget::kTraditional ? Transform::kToTraditional
                                                            : Transform::kToSimplified);
}

Text MapWidth(const Text& text, WidthTarget target) {
  if (text.empty()) return text;
  const bool full = target == WidthTarget::kFull;
  CharMapper& mapper = Mapper(full ? Transform::kToFull : Transform::kToHalf);
  if (!mapper.ok()) return text;
  return full ? MapWidthWith<true>(text, mapper) : MapWidthWith<false>(text, mapper);
}

Text ApplyTextMapping(const Text& text, TextMapping mapping) {
  switch (mapping) {
    case TextMapping::kFullWidth:
      return MapWidth(text, WidthTarget::kFull);
    case TextMapping::kHalfWidth:
      return MapWidth(text, WidthTarget::kHalf);
    case TextMapping::kSimplified:
      return MapChineseScript(text, ScriptTarget::kSimplified);
    case TextMapping::kTraditional:
      return MapChineseScript(text, ScriptTarget::kTraditional);
  }
  return text;
}

}  // namespace tekvo
