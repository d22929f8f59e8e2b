#include "engine/codepage/icu_converter.h"

#include <unicode/ucnv_cb.h>

#include <vector>

#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/windows_ids.h"

namespace tekvo {
namespace {

// ICU's standard substitution callback silently skips default-ignorable
// characters (U+00AD, U+034F, U+115F...) and single-byte tables substitute
// 0x1A; the Windows calls write the page's "?" for both. Writing through the
// converter's substitution keeps stateful pages (UTF-7, HZ, ISO-2022) in a
// consistent shift state.
void FromUnicodeSubstitute(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                           UChar32, UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
  *err = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, err);
}

// One U+FFFD per bad byte sequence, never U+001A: the damage must stay
// visible in the repaired text. Bytes that ICU leaves undefined but Windows
// reads (its private-use characters for the holes of 1253, 1255 and 1257,
// the 932 single bytes) come from the page's supplement, the context.
void ToUnicodeReplacement(const void* context, UConverterToUnicodeArgs* args,
                          const char* code_units, int32_t length, UConverterCallbackReason reason,
                          UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;
  *err = U_ZERO_ERROR;
  UChar unit = 0xFFFD;
  if (const auto* sup = static_cast<const CodePageSupplement*>(context); sup != nullptr) {
    const int found = SupplementDecodeOf(*sup, code_units, static_cast<std::size_t>(length));
    if (found >= 0) unit = static_cast<UChar>(found);
  }
  ucnv_cbToUWriteUChars(args, &unit, 1, 0, err);
}

}  // namespace

UConverter* OpenConfiguredConverter(const CodePageEntry& entry) {
  UErrorCode err = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open(entry.name, &err);
  if (U_FAILURE(err) || cnv == nullptr) return nullptr;
  ucnv_setFallback(cnv, true);
  // Windows writes U+FFFD's own bytes for a lone surrogate in UTF-8 and "?"
  // in every other page.
  static const UChar kQuestion[] = u"?";
  static const UChar kReplacement[] = u"\uFFFD";
  ucnv_setSubstString(cnv, entry.cp == kCpUtf8 ? kReplacement : kQuestion, 1, &err);
  ucnv_setFromUCallBack(cnv, FromUnicodeSubstitute, nullptr, nullptr, nullptr, &err);
  ucnv_setToUCallBack(cnv, ToUnicodeReplacement, FindSupplement(entry.cp), nullptr, nullptr, &err);
  if (U_FAILURE(err)) {
    ucnv_close(cnv);
    return nullptr;
  }
  return cnv;
}

namespace {

// Opening an ICU converter costs far more than a short conversion, so each
// thread keeps the ones it has used. A converter that failed to open is
// remembered as nullptr so the cost is not paid again.
class ConverterCache {
 public:
  ~ConverterCache() {
    for (auto& e : entries_) {
      if (e.cnv != nullptr) ucnv_close(e.cnv);
    }
  }

  UConverter* Get(const CodePageEntry& entry) {
    for (auto& e : entries_) {
      if (e.entry == &entry) return e.cnv;
    }
    UConverter* cnv = OpenConfiguredConverter(entry);
    entries_.push_back({&entry, cnv});
    return cnv;
  }

 private:
  struct Slot {
    const CodePageEntry* entry;
    UConverter* cnv;
  };
  std::vector<Slot> entries_;
};

thread_local ConverterCache converters;

}  // namespace

UConverter* ThreadConverter(const CodePageEntry& entry) { return converters.Get(entry); }

}  // namespace tekvo
