#include "engine/mapping.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

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

 private:
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

  std::unique_ptr<icu::Transliterator> translit_;
  std::mutex mutex_;
  std::vector<char16_t> basic_;
  std::vector<bool> known_;
  std::unordered_map<UChar32, UChar32> supplementary_;
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
  return MapWith(text, target == WidthTarget::kFull ? Transform::kToFull : Transform::kToHalf);
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
