#include "engine/repair/reinterpret.h"

#include <algorithm>
#include <optional>

#include "engine/codepage/codepage.h"
#include "engine/codepage/plain_recode.h"

namespace tekvo {
namespace {

// The A side: text to the bytes it would have been written as.
std::optional<ByteString> EncodeLocale(const Text& text, LocaleId a) {
  if (IsLcid(a)) return TextToLocaleBytes(text, a);
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
  if (IsLcid(b)) return LocaleBytesToText(bytes, b);
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
  if (IsCodePageNumber(a)) return TextToCodePageBytes(text, a);
  if (a == CodePageId::kUtf16Le) return TextToUtf16LeBytes(text);
  return std::nullopt;
}

std::optional<Text> DecodeCodePage(const ByteString& bytes, CodePageId b) {
  if (IsCodePageNumber(b)) return CodePageBytesToText(bytes, b);
  if (b == CodePageId::kUtf16Le) return Utf16LeBytesToText(bytes);
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
bool SplitsAtLineFeed(LocaleId id) {
  if (id == kIdUtf16Le || id == kIdUtf16Be || id == kIdUtf8) return true;
  if (!IsLcid(id)) return false;
  std::optional<CodePageId> cp = LocaleCodePage(id);
  return cp && IsCodePageStateless(*cp);
}
bool SplitsAtLineFeed(CodePageId id) {
  return id == CodePageId::kUtf16Le || (IsCodePageNumber(id) && IsCodePageStateless(id));
}

template <typename Id>
bool IsUtf16(Id id) {
  return id == Id::kUtf16Le || id == Id::kUtf16Be;
}

}  // namespace

PiecewiseRepair::PiecewiseRepair(Kind kind, std::int32_t a, std::int32_t b)
    : kind_(kind), a_(a), b_(b) {
  std::optional<CodePageId> page_a = CodePageId{a};
  std::optional<CodePageId> page_b = CodePageId{b};
  if (kind == Kind::kLocale) {
    page_a = IsLcid(LocaleId{a}) ? LocaleCodePage(LocaleId{a}) : std::nullopt;
    page_b = IsLcid(LocaleId{b}) ? LocaleCodePage(LocaleId{b}) : std::nullopt;
  }
  if (page_a && page_b && IsCodePageNumber(*page_a) && IsCodePageNumber(*page_b)) {
    plain_ = PlainRecodeTableFor(*page_a, *page_b);
  }
}

std::size_t PiecewiseRepair::PlainUtf8(std::string_view utf8, ByteString& out) const {
  return plain_ != nullptr ? RecodePlainUtf8(*plain_, utf8, out) : 0;
}

std::optional<PiecewiseRepair> PiecewiseRepair::ForLocales(LocaleId a, LocaleId b) {
  if (!SplitsAtLineFeed(a) || !SplitsAtLineFeed(b)) return std::nullopt;
  // UTF-16 on the B side needs every piece's bytes to be of even length.
  if (IsUtf16(b) && !IsUtf16(a)) return std::nullopt;
  return PiecewiseRepair(Kind::kLocale, ToInt(a), ToInt(b));
}

std::optional<PiecewiseRepair> PiecewiseRepair::ForCodePages(CodePageId a, CodePageId b) {
  if (!SplitsAtLineFeed(a) || !SplitsAtLineFeed(b)) return std::nullopt;
  if (IsUtf16(b) && !IsUtf16(a)) return std::nullopt;
  return PiecewiseRepair(Kind::kCodePage, ToInt(a), ToInt(b));
}

Text PiecewiseRepair::Piece(const Text& piece) {
  Text out = Piece(piece, first_);
  first_ = false;
  return out;
}

ByteString PiecewiseRepair::Encode(const Text& text) const {
  std::optional<ByteString> bytes = kind_ == Kind::kLocale ? EncodeLocale(text, LocaleId{a_})
                                                           : EncodeCodePage(text, CodePageId{a_});
  return bytes ? std::move(*bytes) : ByteString();
}

DecoderRest PiecewiseRepair::ReadRest() const {
  if (IsUtf16(CodePageId{b_})) return DecoderRest::ForUtf16();
  if (kind_ == Kind::kLocale) {
    if (LocaleId{b_} == kIdUtf8) return DecoderRest::ForUtf8();
    return DecoderRest::ForCodePage(LocaleCodePage(LocaleId{b_}).value_or(CodePageId{-1}));
  }
  return DecoderRest::ForCodePage(CodePageId{b_});
}

Text PiecewiseRepair::Piece(const Text& piece, bool first) const {
  std::optional<Text> out;
  if (kind_ == Kind::kLocale) {
    std::optional<ByteString> bytes = EncodeLocale(piece, LocaleId{a_});
    if (bytes) out = DecodeLocale(*bytes, LocaleId{b_});
  } else {
    std::optional<ByteString> bytes = EncodeCodePage(piece, CodePageId{a_});
    if (bytes) out = DecodeCodePage(*bytes, CodePageId{b_});
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
