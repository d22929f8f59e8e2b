#include "engine/codepage/codepage.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/iconv_bridge.h"
#include "engine/codepage/icu_codec.h"
#include "engine/codepage/icu_converter.h"
#include "engine/codepage/windows_ids.h"

namespace tekvo {
namespace {

// glibc's JOHAB reads and writes the single byte 0x5C as the won sign, so a
// backslash could not be written at all; Windows keeps 0x5C as the backslash
// (Johab's own won sign is the double-byte U+FFE6).
constexpr CodePageId kJohab = kCpJohab;

ByteString JohabRunFromText(const CodePageEntry& entry, const Text& text) {
  if (text.find(u'\\') == Text::npos) return IconvFromText(text, entry.name).value_or(ByteString());
  Text copy = text;
  std::replace(copy.begin(), copy.end(), u'\\', u'\u20A9');
  return IconvFromText(copy, entry.name).value_or(ByteString());
}

Text JohabRunToText(const CodePageEntry& entry, const ByteString& bytes) {
  Text text = IconvToText(bytes, entry.name).value_or(Text());
  std::replace(text.begin(), text.end(), u'\u20A9', u'\\');
  return text;
}

// glibc reads the jamo-only codes as compatibility jamo where Windows gives
// conjoining jamo, and has no user-defined area: the supplement's characters
// are cut out of what iconv sees.
ByteString JohabFromText(const CodePageEntry& entry, const Text& text) {
  const CodePageSupplement* sup = FindSupplement(entry.cp);
  if (sup == nullptr) return JohabRunFromText(entry, text);
  ByteString out;
  out.reserve(text.size() * 2);
  std::size_t run = 0;
  char bytes[2];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = SupplementEncodeOf(*sup, text[i], bytes);
    if (n == 0) continue;
    if (i > run) out += JohabRunFromText(entry, text.substr(run, i - run));
    out.append(bytes, n);
    run = i + 1;
  }
  if (text.size() > run) out += JohabRunFromText(entry, text.substr(run));
  return out;
}

Text JohabToText(const CodePageEntry& entry, const ByteString& bytes) {
  const CodePageSupplement* sup = FindSupplement(entry.cp);
  if (sup == nullptr) return JohabRunToText(entry, bytes);
  Text out;
  out.reserve(bytes.size());
  std::size_t run = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = JohabSequenceLength(bytes.data() + i, bytes.size() - i);
    const int unit = SupplementDecodeOf(*sup, bytes.data() + i, n);
    if (unit >= 0) {
      if (i > run) out += JohabRunToText(entry, bytes.substr(run, i - run));
      out.push_back(static_cast<char16_t>(unit));
      run = i + n;
    }
    i += n;
  }
  if (bytes.size() > run) out += JohabRunToText(entry, bytes.substr(run));
  return out;
}

// ICU's 932 table is IBM's, which exchanges the controls 0x1A, 0x1C and 0x7F
// (1A->U+001C, 1C->U+007F, 7F->U+001A). Windows maps them to themselves, so
// the exchange is undone on both sides.
constexpr CodePageId kShiftJis = kCpShiftJis;

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
  UConverter* cnv = ThreadConverter(*entry);
  if (cnv == nullptr) return {};
  if (entry->cp == kShiftJis && HasRotatedControl(text)) {
    Text copy = text;
    std::transform(copy.begin(), copy.end(), copy.begin(), WindowsControlToIbm);
    return IcuEncode(*entry, cnv, copy);
  }
  return IcuEncode(*entry, cnv, text);
}

Text CodePageBytesToText(const ByteString& bytes, CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr || bytes.empty()) return {};
  if (entry->backend == ConverterBackend::kIconv) {
    if (entry->cp == kJohab) return JohabToText(*entry, bytes);
    return IconvToText(bytes, entry->name).value_or(Text());
  }
  UConverter* cnv = ThreadConverter(*entry);
  if (cnv == nullptr) return {};
  Text text = IcuDecode(*entry, cnv, bytes);
  if (const CodePageSupplement* sup = FindSupplement(entry->cp); sup != nullptr) {
    ApplySupplementRemaps(*sup, text);
  }
  if (entry->cp == kShiftJis && HasRotatedControl(text)) {
    std::transform(text.begin(), text.end(), text.begin(), IbmControlToWindows);
  }
  return text;
}

std::size_t CodePageRestPoint(std::string_view bytes, CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr) return 0;
  if (entry->backend == ConverterBackend::kIconv) {
    // Johab: a byte below 0x40 is never part of a pair.
    std::size_t n = bytes.size();
    while (n > 0 && static_cast<unsigned char>(bytes[n - 1]) >= 0x40) --n;
    return n;
  }
  UConverter* cnv = ThreadConverter(*entry);
  return cnv == nullptr ? 0 : IcuRestPoint(cnv, bytes);
}

bool IsCodePageServed(CodePageId cp) { return FindCodePage(cp) != nullptr; }

bool IsCodePageStateless(CodePageId cp) {
  const CodePageEntry* entry = FindCodePage(cp);
  if (entry == nullptr) return false;
  if (entry->backend == ConverterBackend::kIconv) return true;  // Johab
  UConverter* cnv = ThreadConverter(*entry);
  if (cnv == nullptr) return false;
  switch (ucnv_getType(cnv)) {
    case UCNV_SBCS:
    case UCNV_DBCS:
    case UCNV_MBCS:
    case UCNV_UTF8:
    case UCNV_LATIN_1:
    case UCNV_US_ASCII:
      return true;
    default:
      return false;
  }
}

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
