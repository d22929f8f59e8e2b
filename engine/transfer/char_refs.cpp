#include "engine/transfer/char_refs.h"

#include <unicode/utf16.h>

#include <cstdint>
#include <string_view>

#include "engine/text/ascii.h"
#include "engine/transfer/html_entities.h"
#include "engine/transfer/transfer_bytes.h"

namespace tekvo {

namespace {

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

int DigitValue(char16_t c, bool hex) {
  if (hex) return HexDigitValue(c);
  return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

// The digits an escape takes after its prefix.
struct EscapeDigits {
  std::size_t length = 0;
  std::int32_t value = 0;  // 0 when there are none
};

// HTML references read up to 6 hex or 7 decimal digits so that they reach
// the supplementary planes, but a run of digits that would carry the value
// past U+10FFFF is text that merely follows a reference ("&#65509100" is
// "&#65509" and "100"): the reference then keeps the 4 or 5 digits of the
// basic plane. The other escapes take exactly 4 or 2 hex digits at most.
EscapeDigits ReadDigits(std::u16string_view s, std::size_t start, int budget, bool html) {
  constexpr std::int32_t kMaxCodePoint = 0x10FFFF;
  constexpr std::size_t kBasicHexDigits = 4;
  constexpr std::size_t kBasicDecimalDigits = 5;
  const bool hex = budget > 0;
  const std::int32_t radix = hex ? 16 : 10;
  const std::size_t max_digits = static_cast<std::size_t>(hex ? budget : -budget);
  EscapeDigits got;
  for (; got.length < max_digits && start + got.length < s.size(); ++got.length) {
    const int d = DigitValue(s[start + got.length], hex);
    if (d < 0) break;
    const std::int32_t next = got.value * radix + d;
    if (html && next > kMaxCodePoint) {
      const std::size_t basic = hex ? kBasicHexDigits : kBasicDecimalDigits;
      got.length = basic;
      got.value = 0;
      for (std::size_t i = 0; i < basic; ++i) {
        got.value = got.value * radix + DigitValue(s[start + i], hex);
      }
      return got;
    }
    got.value = next;
  }
  return got;
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
    } else if (U16_IS_LEAD(u) && r + 1 < text.size() && U16_IS_TRAIL(text[r + 1])) {
      const std::uint32_t cp = U16_GET_SUPPLEMENTARY(u, text[r + 1]);
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
  const std::u16string_view s(text);
  Text work = text;
  std::size_t w = 0;
  std::int32_t value = 0;  // != 0 right after an escape, so its ";" is swallowed

  // Every escape reads at least as many units as it writes, so w never
  // overtakes the read position.
  for (std::size_t r = 0; r < s.size();) {
    if (const EscapeOpen e = PrefixAt(s, r, family); e.prefix_length != 0) {
      r += e.prefix_length;
      const EscapeDigits d = ReadDigits(s, r, e.budget, html);
      r += d.length;
      if (d.value >= 1) {
        if (d.value > 0xFFFF) {
          work[w++] = U16_LEAD(d.value);
          work[w++] = U16_TRAIL(d.value);
        } else {
          work[w++] = static_cast<char16_t>(d.value);
        }
        value = d.value;
      } else {
        value = -1;
      }
      continue;
    }
    const char16_t c = s[r];
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
  work.resize(w);
  return work;
}

}  // namespace tekvo
