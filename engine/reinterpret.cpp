#include "engine/reinterpret.h"

#include <algorithm>
#include <optional>

#include "engine/codepage.h"

namespace tekvo {
namespace {

// The A side: text to the bytes it would have been written as.
std::optional<ByteString> EncodeLocale(const Text& text, LocaleId a) {
  if (a >= 1) return TextToLocaleBytes(text, a);
  switch (a) {
    case kIdUtf8:
      return TextToUtf8Bytes(text);
    case kIdUtf16Le:
      return TextToUtf16LeBytes(text);
    case kIdUtf16Be:
      return SwapBytePairs(TextToUtf16LeBytes(text));
    default:
      return std::nullopt;
  }
}

// The B side: the bytes read as what they really are.
std::optional<Text> DecodeLocale(const ByteString& bytes, LocaleId b) {
  if (b >= 1) return LocaleBytesToText(bytes, b);
  switch (b) {
    case kIdUtf8:
      return Utf8BytesToText(bytes);
    case kIdUtf16Le:
      return Utf16LeBytesToText(bytes);
    case kIdUtf16Be:
      return Utf16LeBytesToText(SwapBytePairs(bytes));
    default:
      return std::nullopt;
  }
}

std::optional<ByteString> EncodeCodePage(const Text& text, CodePageId a) {
  if (a >= 0) return TextToCodePageBytes(text, a);
  if (a == kIdUtf16Le) return TextToUtf16LeBytes(text);
  return std::nullopt;
}

std::optional<Text> DecodeCodePage(const ByteString& bytes, CodePageId b) {
  if (b >= 0) return CodePageBytesToText(bytes, b);
  if (b == kIdUtf16Le) return Utf16LeBytesToText(bytes);
  return std::nullopt;
}

// What both repairs do with the decoded text. The byte order mark can only
// have come out of the decoding, and U+0000 would cut the text short in
// every text box that shows it.
Converted CommonTail(const Text& input, std::optional<Text> result, std::size_t max_len) {
  if (!result || result->empty()) return {input, false};
  Text& out = *result;
  std::size_t start = out.front() == u'\uFEFF' ? 1 : 0;
  auto end = std::remove(out.begin() + start, out.end(), u'\0');
  out.erase(end, out.end());
  if (start == 1) out.erase(0, 1);
  if (out.empty()) return {input, false};
  if (out.size() > max_len) return {input, true};
  return {std::move(out), false};
}

}  // namespace

Converted ReinterpretByLocale(const Text& text, LocaleId a, LocaleId b, std::size_t max_len) {
  if (text.empty()) return {text, false};
  std::optional<ByteString> bytes = EncodeLocale(text, a);
  if (!bytes) return {text, false};
  std::optional<Text> result = DecodeLocale(*bytes, b);
  bytes.reset();  // long inputs: do not hold three copies at once
  return CommonTail(text, std::move(result), max_len);
}

Converted ReinterpretByCodePage(const Text& text, CodePageId a, CodePageId b, std::size_t max_len) {
  if (text.empty()) return {text, false};
  std::optional<ByteString> bytes = EncodeCodePage(text, a);
  if (!bytes) return {text, false};
  std::optional<Text> result = DecodeCodePage(*bytes, b);
  bytes.reset();
  return CommonTail(text, std::move(result), max_len);
}

}  // namespace tekvo
