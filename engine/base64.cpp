#include "engine/base64.h"

#include <array>
#include <cstdint>
#include <utility>

namespace tekvo {

namespace {

constexpr char16_t kStandard[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kLineLength = 76;

// Value of each ASCII character in an alphabet; -1 outside it, -2 for the
// characters that are skipped.
using DecodeTable = std::array<std::int8_t, 128>;

constexpr DecodeTable MakeTable(char16_t c62, char16_t c63) {
  DecodeTable t{};
  for (auto& v : t) v = -1;
  for (int i = 0; i < 62; ++i) t[kStandard[i]] = static_cast<std::int8_t>(i);
  t[c62] = 62;
  t[c63] = 63;
  t['='] = 0;
  t[' '] = -2;
  t['\r'] = -2;
  t['\n'] = -2;
  return t;
}

constexpr DecodeTable kStandardTable = MakeTable(u'+', u'/');
constexpr DecodeTable kUrlTable = MakeTable(u'*', u'-');

}  // namespace

Text BytesToBase64(const ByteString& bytes) {
  const std::size_t n = bytes.size();
  Text out((n + 2) / 3 * 4, u'\0');
  std::size_t w = 0;
  std::size_t i = 0;
  auto at = [&](std::size_t k) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k]));
  };
  for (; i + 3 <= n; i += 3) {
    const std::uint32_t v = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
    out[w++] = kStandard[v >> 18];
    out[w++] = kStandard[(v >> 12) & 63];
    out[w++] = kStandard[(v >> 6) & 63];
    out[w++] = kStandard[v & 63];
  }
  if (n - i == 1) {
    const std::uint32_t v = at(i);
    out[w++] = kStandard[v >> 2];
    out[w++] = kStandard[(v & 3) << 4];
  } else if (n - i == 2) {
    const std::uint32_t v = at(i) << 8 | at(i + 1);
    out[w++] = kStandard[v >> 10];
    out[w++] = kStandard[(v >> 4) & 63];
    out[w++] = kStandard[(v << 2) & 63];
  }
  out.resize(w);
  return out;
}

ByteString Base64ToBytes(std::u16string_view text, Base64Alphabet alphabet) {
  const DecodeTable& table = alphabet == Base64Alphabet::kUrl ? kUrlTable : kStandardTable;
  ByteString out(text.size() / 4 * 3 + 2, '\0');
  std::size_t w = 0;
  std::uint32_t acc = 0;
  int count = 0;
  for (const char16_t c : text) {
    const int v = c < 128 ? table[c] : -1;
    if (v == -2) continue;
    if (v < 0) return {};
    acc = acc << 6 | static_cast<std::uint32_t>(v);
    if (++count == 4) {
      out[w++] = static_cast<char>(acc >> 16);
      out[w++] = static_cast<char>(acc >> 8);
      out[w++] = static_cast<char>(acc);
      acc = 0;
      count = 0;
    }
  }
  if (count == 2) {
    out[w++] = static_cast<char>(acc >> 4);
  } else if (count == 3) {
    out[w++] = static_cast<char>(acc >> 10);
    out[w++] = static_cast<char>(acc >> 2);
  }
  out.resize(w);
  return out;
}

Converted EncodeBase64Text(const Text& text, ComposeBytes which, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 5)) return {text, true};
  const std::optional<ByteString> bytes = ComposeTextBytes(WithCrLfBreaks(text), which);
  if (!bytes || bytes->empty()) return {text, false};
  const Text b64 = BytesToBase64(*bytes);
  const std::size_t padded = (b64.size() + 3) / 4 * 4;
  const std::size_t breaks = (padded - 1) / kLineLength;
  Text out(padded + breaks, u'=');
  std::size_t w = 0;
  for (std::size_t i = 0; i < padded; ++i) {
    if (i != 0 && i % kLineLength == 0) out[w++] = u'\r';
    out[w++] = i < b64.size() ? b64[i] : u'=';
  }
  return {std::move(out), false};
}

Text DecodeBase64Text(const Text& text, LocaleId language, Base64Alphabet alphabet) {
  if (text.empty()) return text;
  const ByteString bytes = Base64ToBytes(text, alphabet);
  if (bytes.empty()) return text;
  std::optional<Text> decoded = LanguageBytesToText(bytes, language);
  if (!decoded) return text;
  RemoveNuls(*decoded);
  return std::move(*decoded);
}

}  // namespace tekvo
