#include "engine/repair/reinterpret.h"

#include <algorithm>
#include <optional>

#include "engine/codepage/codepage.h"
#include "engine/codepage/plain_recode.h"

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
// Removes U+0000 and, when `first`, a leading U+FEFF, in place.
void StripBomAndNuls(Text& out, bool first) {
  std::size_t start = first && !out.empty() && out.front() == u'\uFEFF' ? 1 : 0;
  auto end = std::remove(out.begin() + start, out.end(), u'\0');
  out.erase(end, out.end());
  if (start == 1) out.erase(0, 1);
}

Converted CommonTail(const Text& input, std::optional<Text> result, std::size_t max_len) {
  if (!result || result->empty()) return {input, false};
  Text& out = *result;
  StripBomAndNuls(out, true);
  if (out.empty()) return {input, false};
  if (out.size() > max_len) return {input, true};
  return {std::move(out), false};
}

// A side whose encodings of U+0001 to U+002F end in a byte after which every
// decoder starts afresh: the ASCII-compatible stateless pages, UTF-8 and
// both UTF-16 forms.
bool SplitsAtLineFeed(std::int32_t id, bool locale) {
  if (id == kIdUtf16Le) return true;
  if (locale && (id == kIdUtf16Be || id == kIdUtf8)) return true;
  if (locale) {
    if (id < 1) return false;
    std::optional<CodePageId> cp = LocaleCodePage(id);
    return cp && IsCodePageStateless(*cp);
  }
  return id >= 0 && IsCodePageStateless(id);
}

bool IsUtf16(std::int32_t id) { return id == kIdUtf16Le || id == kIdUtf16Be; }

}  // namespace

PiecewiseRepair::PiecewiseRepair(Kind kind, std::int32_t a, std::int32_t b)
    : kind_(kind), a_(a), b_(b) {
  std::optional<CodePageId> page_a = a;
  std::optional<CodePageId> page_b = b;
  if (kind == Kind::kLocale) {
    page_a = a >= 1 ? LocaleCodePage(a) : std::nullopt;
    page_b = b >= 1 ? LocaleCodePage(b) : std::nullopt;
  }
  if (page_a && page_b && *page_a >= 0 && *page_b >= 0) {
    plain_ = PlainRecodeTableFor(*page_a, *page_b);
  }
}

std::size_t PiecewiseRepair::PlainUtf8(std::string_view utf8, ByteString& out) const {
  return plain_ != nullptr ? RecodePlainUtf8(*plain_, utf8, out) : 0;
}

std::optional<PiecewiseRepair> PiecewiseRepair::ForLocales(LocaleId a, LocaleId b) {
  if (!SplitsAtLineFeed(a, true) || !SplitsAtLineFeed(b, true)) return std::nullopt;
  // UTF-16 on the B side needs every piece's bytes to be of even length.
  if (IsUtf16(b) && !IsUtf16(a)) return std::nullopt;
  return PiecewiseRepair(Kind::kLocale, a, b);
}

std::optional<PiecewiseRepair> PiecewiseRepair::ForCodePages(CodePageId a, CodePageId b) {
  if (!SplitsAtLineFeed(a, false) || !SplitsAtLineFeed(b, false)) return std::nullopt;
  if (IsUtf16(b) && !IsUtf16(a)) return std::nullopt;
  return PiecewiseRepair(Kind::kCodePage, a, b);
}

Text PiecewiseRepair::Piece(const Text& piece) {
  Text out = Piece(piece, first_);
  first_ = false;
  return out;
}

ByteString PiecewiseRepair::Encode(const Text& text) const {
  std::optional<ByteString> bytes =
      kind_ == Kind::kLocale ? EncodeLocale(text, a_) : EncodeCodePage(text, a_);
  return bytes ? std::move(*bytes) : ByteString();
}

DecoderRest PiecewiseRepair::ReadRest() const {
  if (IsUtf16(b_)) return DecoderRest::ForUtf16();
  if (kind_ == Kind::kLocale) {
    if (b_ == kIdUtf8) return DecoderRest::ForUtf8();
    return DecoderRest::ForCodePage(LocaleCodePage(b_).value_or(-1));
  }
  return DecoderRest::ForCodePage(b_);
}

Text PiecewiseRepair::Piece(const Text& piece, bool first) const {
  std::optional<Text> out;
  if (kind_ == Kind::kLocale) {
    std::optional<ByteString> bytes = EncodeLocale(piece, a_);
    if (bytes) out = DecodeLocale(*bytes, b_);
  } else {
    std::optional<ByteString> bytes = EncodeCodePage(piece, a_);
    if (bytes) out = DecodeCodePage(*bytes, b_);
  }
  if (!out) return {};
  StripBomAndNuls(*out, first);
  return std::move(*out);
}

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
