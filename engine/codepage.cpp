#include "engine/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/codepage_registry.h"
#include "engine/iconv_bridge.h"

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
// visible in the repaired text.
void ToUnicodeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                          UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;
  *err = U_ZERO_ERROR;
  static const UChar kReplacement = 0xFFFD;
  ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, err);
}

UConverter* OpenConfigured(const CodePageEntry& entry) {
  UErrorCode err = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open(entry.name, &err);
  if (U_FAILURE(err) || cnv == nullptr) return nullptr;
  ucnv_setFallback(cnv, true);
  // Windows writes U+FFFD's own bytes for a lone surrogate in UTF-8 and "?"
  // in every other page.
  static const UChar kQuestion[] = u"?";
  static const UChar kReplacement[] = u"\uFFFD";
  ucnv_setSubstString(cnv, entry.cp == 65001 ? kReplacement : kQuestion, 1, &err);
  ucnv_setFromUCallBack(cnv, FromUnicodeSubstitute, nullptr, nullptr, nullptr, &err);
  ucnv_setToUCallBack(cnv, ToUnicodeReplacement, nullptr, nullptr, nullptr, &err);
  if (U_FAILURE(err)) {
    ucnv_close(cnv);
    return nullptr;
  }
  return cnv;
}

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
    UConverter* cnv = OpenConfigured(entry);
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

// Both directions use ICU's streaming calls, which take pointers rather than
// int32_t lengths, so input of any size is converted in one pass. The output
// is sized once for the worst case and grown only for the stateful pages,
// whose shift sequences the estimate cannot bound.
ByteString IcuFromText(UConverter* cnv, const Text& text) {
  ucnv_resetFromUnicode(cnv);
  const auto* src = reinterpret_cast<const UChar*>(text.data());
  const UChar* src_end = src + text.size();
  ByteString out((text.size() + 10) * ucnv_getMaxCharSize(cnv), '\0');
  char* dst = out.data();
  for (;;) {
    UErrorCode err = U_ZERO_ERROR;
    ucnv_fromUnicode(cnv, &dst, out.data() + out.size(), &src, src_end, nullptr, true, &err);
    if (err != U_BUFFER_OVERFLOW_ERROR) {
      if (U_FAILURE(err)) return {};
      break;
    }
    std::size_t used = dst - out.data();
    out.resize(out.size() * 2);
    dst = out.data() + used;
  }
  out.resize(dst - out.data());
  return out;
}

Text IcuToText(UConverter* cnv, const ByteString& bytes) {
  ucnv_resetToUnicode(cnv);
  const char* src = bytes.data();
  const char* src_end = src + bytes.size();
  // One unit per byte is enough for every served page: a character takes at
  // least as many bytes as it has UTF-16 units, a bad sequence gives one unit.
  Text out(bytes.size() + 1, u'\0');
  auto* dst = reinterpret_cast<UChar*>(out.data());
  for (;;) {
    UErrorCode err = U_ZERO_ERROR;
    auto* limit = reinterpret_cast<UChar*>(out.data()) + out.size();
    ucnv_toUnicode(cnv, &dst, limit, &src, src_end, nullptr, true, &err);
    if (err != U_BUFFER_OVERFLOW_ERROR) {
      if (U_FAILURE(err)) return {};
      break;
    }
    std::size_t used = dst - reinterpret_cast<UChar*>(out.data());
    out.resize(out.size() * 2);
    dst = reinterpret_cast<UChar*>(out.data()) + used;
  }
  out.resize(dst - reinterpret_cast<UChar*>(out.data()));
  return out;
}

// glibc's JOHAB reads and writes the single byte 0x5C as the won sign, so a
// backslash could not be written at all; Windows keeps 0x5C as the backslash
// (Johab's own won sign is the double-byte U+FFE6).
constexpr CodePageId kJohab = 1361;

ByteString JohabFromText(const CodePageEntry& entry, const Text& text) {
  if (text.find(u'\\') == Text::npos) return IconvFromText(text, entry.name).value_or(ByteString());
  Text copy = text;
  std::replace(copy.begin(), copy.end(), u'\\', u'\u20A9');
  return IconvFromText(copy, entry.name).value_or(ByteString());
}

Text JohabToText(const CodePageEntry& entry, const ByteString& bytes) {
  Text text = IconvToText(bytes, entry.name).value_or(Text());
  std::replace(text.begin(), text.end(), u'\u20A9', u'\\');
  return text;
}

// ICU's 932 table is IBM's, which exchanges the controls 0x1A, 0x1C and 0x7F
// (1A->U+001C, 1C->U+007F, 7F->U+001A). Windows maps them to themselves, so
// the exchange is undone on both sides.
constexpr CodePageId kShiftJis = 932;

char16_t IbmControlToWindows(char16_t u) {
  switch (u) {
    case 0x1C:
      return 0x1A;
    case 0x7F:
      return 0x1C;
    case 0x1A:
      return 0x7F;
    default:
      return u;
  }
}

char16_t WindowsControlToIbm(char16_t u) {
  switch (u) {
    case 0x1A:
      return 0x1C;
    case 0x1C:
      return 0x7F;
    case 0x7F:
      return 0x1A;
    default:
      return u;
  }
}

bool HasRotatedControl(const Text& text) {
  return std::any_of(text.begin(), text.end(),
                     [](char16_t u) { return u == 0x1A || u == 0x1C || u == 0x7F; });
}

}  // namespace

ByteString TextToCodePageBytes(const Text& text, CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr || text.empty()) return {};
  if (entry->backend == ConverterBackend::kIconv) {
    if (entry->cp == kJohab) return JohabFromText(*entry, text);
    return IconvFromText(text, entry->name).value_or(ByteString());
  }
  UConverter* cnv = converters.Get(*entry);
  if (cnv == nullptr) return {};
  if (entry->cp == kShiftJis && HasRotatedControl(text)) {
    Text copy = text;
    std::transform(copy.begin(), copy.end(), copy.begin(), WindowsControlToIbm);
    return IcuFromText(cnv, copy);
  }
  return IcuFromText(cnv, text);
}

Text CodePageBytesToText(const ByteString& bytes, CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr || bytes.empty()) return {};
  if (entry->backend == ConverterBackend::kIconv) {
    if (entry->cp == kJohab) return JohabToText(*entry, bytes);
    return IconvToText(bytes, entry->name).value_or(Text());
  }
  UConverter* cnv = converters.Get(*entry);
  if (cnv == nullptr) return {};
  Text text = IcuToText(cnv, bytes);
  if (entry->cp == kShiftJis && HasRotatedControl(text)) {
    std::transform(text.begin(), text.end(), text.begin(), IbmControlToWindows);
  }
  return text;
}

bool IsCodePageServed(CodePageId cp) { return FindCodePage(cp) != nullptr; }

std::optional<ByteString> TextToLocaleBytes(const Text& text, LocaleId lcid) {
  std::optional<CodePageId> cp = LocaleCodePage(lcid);
  if (!cp) return std::nullopt;
  return TextToCodePageBytes(text, *cp);
}

std::optional<Text> LocaleBytesToText(const ByteString& bytes, LocaleId lcid) {
  std::optional<CodePageId> cp = LocaleCodePage(lcid);
  if (!cp) return std::nullopt;
  return CodePageBytesToText(bytes, *cp);
}

ByteString SwapBytePairs(const ByteString& bytes) {
  std::size_t pairs = bytes.size() / 2;
  ByteString out(pairs * 2, '\0');
  const char* src = bytes.data();
  char* dst = out.data();
  for (std::size_t k = 0; k < pairs; ++k) {
    dst[2 * k] = src[2 * k + 1];
    dst[2 * k + 1] = src[2 * k];
  }
  return out;
}

ByteString TextToUtf16LeBytes(const Text& text) {
  ByteString out(text.size() * 2, '\0');
  char* dst = out.data();
  for (char16_t u : text) {
    *dst++ = static_cast<char>(u & 0xFF);
    *dst++ = static_cast<char>(u >> 8);
  }
  return out;
}

Text Utf16LeBytesToText(const ByteString& bytes) {
  std::size_t units = bytes.size() / 2;
  Text out(units, u'\0');
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < units; ++i) {
    out[i] = static_cast<char16_t>(src[2 * i] | (src[2 * i + 1] << 8));
  }
  return out;
}

}  // namespace tekvo
