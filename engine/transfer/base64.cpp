#include "engine/transfer/base64.h"

#include <array>
#include <cstdint>
#include <utility>

namespace tekvo {

namespace {

constexpr char16_t kStandard[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kLineLength = 76;

// Value of each ASCII character in an alphabet; kBase64Invalid outside it,
// kBase64Skipped for the characters that are skipped.
using DecodeTable = std::array<std::int8_t, 128>;

constexpr DecodeTable MakeTable(char16_t c62, char16_t c63) {
  DecodeTable t{};
  for (auto& v : t) v = kBase64Invalid;
  for (int i = 0; i < 62; ++i) t[kStandard[i]] = static_cast<std::int8_t>(i);
  t[c62] = 62;
  t[c63] = 63;
  t['='] = 0;
  t[' '] = kBase64Skipped;
  t['\r'] = kBase64Skipped;
  t['\n'] = kBase64Skipped;
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

int Base64CharValue(char16_t c, Base64Alphabet alphabet) {
  const DecodeTable& table = alphabet == Base64Alphabet::kUrl ? kUrlTable : kStandardTable;
  return c < 128 ? table[c] : kBase64Invalid;
}

ByteString Base64ToBytes(std::u16string_view text, Base64Alphabet alphabet) {
  const DecodeTable& table = alphabet == Base64Alphabet::kUrl ? kUrlTable : kStandardTable;
  ByteString out(text.size() / 4 * 3 + 2, '\0');
  std::size_t w = 0;
  std::uint32_t acc = 0;
  int count = 0;
  for (const char16_t c : text) {
    const int v = c < 128 ? table[c] : kBase64Invalid;
    if (v == kBase64Skipped) continue;
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

char16_t* Base64LineWriter::PutGroup(std::uint32_t bits, std::size_t chars, char16_t* o) {
  // A line holds a whole number of groups (76 = 19 × 4), so a line break
  // only ever comes before a group.
  if (column_ == kLineLength) {
    *o++ = u'\r';
    if (fold_break_ == FoldBreak::kCrLf) *o++ = u'\n';
    column_ = 0;
  }
  for (std::size_t k = 0; k < 4; ++k) {
    *o++ = k < chars ? kStandard[(bits >> (18 - 6 * k)) & 63] : u'=';
  }
  column_ += 4;
  return o;
}

void Base64LineWriter::Add(std::string_view bytes, Text& out) {
  auto byte = [](char c) { return static_cast<std::uint32_t>(static_cast<unsigned char>(c)); };
  // Room for every group and a two-unit line break before each.
  const std::size_t old = out.size();
  out.resize(old + (waiting_count_ + bytes.size()) / 3 * 6);
  char16_t* o = out.data() + old;
  std::size_t i = 0;
  while (waiting_count_ > 0 && i < bytes.size()) {
    if (waiting_count_ == 2) {
      o = PutGroup(
          std::uint32_t{waiting_[0]} << 16 | std::uint32_t{waiting_[1]} << 8 | byte(bytes[i]), 4,
          o);
      waiting_count_ = 0;
    } else {
      waiting_[waiting_count_++] = static_cast<std::uint8_t>(bytes[i]);
    }
    ++i;
  }
  for (; i + 3 <= bytes.size(); i += 3) {
    o = PutGroup(byte(bytes[i]) << 16 | byte(bytes[i + 1]) << 8 | byte(bytes[i + 2]), 4, o);
  }
  for (; i < bytes.size(); ++i) waiting_[waiting_count_++] = static_cast<std::uint8_t>(bytes[i]);
  out.resize(static_cast<std::size_t>(o - out.data()));
}

void Base64LineWriter::Finish(Text& out) {
  if (waiting_count_ == 0) return;
  const std::size_t old = out.size();
  out.resize(old + 6);
  char16_t* o = out.data() + old;
  if (waiting_count_ == 1) {
    o = PutGroup(std::uint32_t{waiting_[0]} << 16, 2, o);
  } else {
    o = PutGroup(std::uint32_t{waiting_[0]} << 16 | std::uint32_t{waiting_[1]} << 8, 3, o);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
}

Converted EncodeBase64Text(const Text& text, ComposeBytes which, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 5)) return {text, true};
  const std::optional<ByteString> bytes = ComposeTextBytes(WithCrLfBreaks(text), which);
  if (!bytes || bytes->empty()) return {text, false};
  Text out;
  Base64LineWriter writer;
  writer.Add(*bytes, out);
  writer.Finish(out);
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
