#include "engine/char_refs.h"

#include <cstdint>
#include <string_view>

#include "engine/html_entities.h"
#include "engine/transfer_bytes.h"

namespace tekvo {

namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Writes "&#x" / "&#" + value + ";" at out[w], returning the new position.
std::size_t WriteRef(Text& out, std::size_t w, std::uint32_t value, CharRefBase base) {
  char16_t digits[8];
  std::size_t n = 0;
  const std::uint32_t radix = base == CharRefBase::kHex ? 16 : 10;
  do {
    const std::uint32_t d = value % radix;
    digits[n++] = static_cast<char16_t>(d < 10 ? u'0' + d : u'A' + (d - 10));
    value /= radix;
  } while (value != 0);
  out[w++] = u'&';
  out[w++] = u'#';
  if (base == CharRefBase::kHex) out[w++] = u'x';
  while (n > 0) out[w++] = digits[--n];
  out[w++] = u';';
  return w;
}

// How an escape opened by a prefix reads its digits.
struct EscapeOpen {
  std::size_t prefix_length = 0;  // 0: no escape starts here
  int budget = 0;                 // > 0: hex digits allowed, < 0: decimal digits
};

EscapeOpen PrefixAt(std::u16string_view s, std::size_t r, EscapeFamily family) {
  const char16_t c = s[r];
  const char16_t next = r + 1 < s.size() ? s[r + 1] : u'\0';
  switch (family) {
    case EscapeFamily::kHtml:
      if (c != u'&' || next != u'#') return {};
      if (r + 2 < s.size() && (s[r + 2] == u'x' || s[r + 2] == u'X')) return {3, 6};
      return {2, -7};
    case EscapeFamily::kBackslash:
      if (c != u'\\') return {};
      if (next == u'u' || next == u'U') return {2, 4};
      if (next == u'x' || next == u'X') return {2, 2};
      return {};
    case EscapeFamily::kPercent:
      if (c != u'%') return {};
      if (next == u'u' || next == u'U') return {2, 4};
      return {1, 2};
  }
  return {};
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

Converted EncodeCharRefs(const Text& text, CharRefBase base, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 9)) return {text, true};
  // A single unit needs at most 8 ("&#xFFFF;", "&#65535;"); a pair needs at
  // most 10 for two units.
  Text out(text.size() * 8, u'\0');
  std::size_t w = 0;
  for (std::size_t r = 0; r < text.size(); ++r) {
    const char16_t u = text[r];
    if (u < 0x80) {
      out[w++] = u;
    } else if (IsHigh(u) && r + 1 < text.size() && IsLow(text[r + 1])) {
      const std::uint32_t cp = 0x10000 + ((u - 0xD800u) << 10) + (text[r + 1] - 0xDC00u);
      w = WriteRef(out, w, cp, base);
      ++r;
    } else {
      w = WriteRef(out, w, u, base);
    }
  }
  out.resize(w);
  return {std::move(out), false};
}

Text DecodeNumericEscapes(const Text& text, EscapeFamily family) {
  if (family != EscapeFamily::kHtml && family != EscapeFamily::kBackslash &&
      family != EscapeFamily::kPercent) {
    return text;
  }
  if (text.empty()) return text;
  const bool html = family == EscapeFamily::kHtml;
  const std::int32_t max_value = html ? 0x10FFFF : 0xFFFF;
  const std::u16string_view s(text);
  Text work = text;
  std::size_t w = 0;
  int pending = 0;         // > 0: hex digits still allowed, < 0: decimal
  std::int32_t value = 0;  // -1 after an invalid escape, so its ";" is swallowed

  // Every escape reads at least as many units as it writes, so w never
  // overtakes the read position.
  auto close = [&] {
    if (value >= 1 && value <= max_value) {
      if (value > 0xFFFF) {
        const std::int32_t v = value - 0x10000;
        work[w++] = static_cast<char16_t>(0xD800 + (v >> 10));
        work[w++] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
      } else {
        work[w++] = static_cast<char16_t>(value);
      }
    } else {
      value = -1;
    }
  };

  for (std::size_t r = 0; r < s.size();) {
    const char16_t c = s[r];
    const bool open = pending != 0;
    bool consumed = false;
    if (pending > 0) {
      --pending;
      const int d = HexValue(c);
      if (d >= 0) {
        value = value * 16 + d;
        consumed = true;
      } else {
        pending = 0;
      }
    } else if (pending < 0) {
      ++pending;
      if (c >= u'0' && c <= u'9') {
        value = value * 10 + (c - u'0');
        consumed = true;
      } else {
        pending = 0;
      }
    }
    if (open && pending == 0) close();
    if (consumed) {
      ++r;
      continue;
    }
    if (const EscapeOpen e = PrefixAt(s, r, family); e.prefix_length != 0) {
      pending = e.budget;
      value = 0;
      r += e.prefix_length;
      continue;
    }
    if (html) {
      if (const HtmlMarkup m = MatchHtmlMarkup(s, r); m.length != 0) {
        for (std::size_t i = 0; i < m.out_length; ++i) work[w++] = m.out[i];
        value = 0;
        r += m.length;
        continue;
      }
    }
    if (!(html && c == u';' && value != 0)) work[w++] = c;
    value = 0;
    ++r;
  }
  if (pending != 0) close();
  work.resize(w);
  return work;
}

}  // namespace tekvo
