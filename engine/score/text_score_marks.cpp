#include "engine/score/text_score_marks.h"

#include "engine/text/ascii.h"

namespace tekvo::score {
namespace {

bool IsAlpha(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsBase64Char(char16_t c) {
  return IsAlpha(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'/';
}
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::size_t HexRun(std::u16string_view t, std::size_t i, std::size_t n) {
  if (i + n > t.size()) return 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (!IsHexDigit(t[i + k])) return 0;
  }
  return n;
}

// A numeric ("&#x4E2D;") or named ("&amp;") character reference at i.
std::size_t CharRefMarkAt(std::u16string_view t, std::size_t i) {
  const std::size_t n = t.size();
  std::size_t k = i + 1;
  if (k < n && t[k] == u'#') {
    ++k;
    const bool hex = k < n && (t[k] == u'x' || t[k] == u'X');
    if (hex) ++k;
    const std::size_t start = k;
    while (k < n && k - start < 7 && (hex ? IsHexDigit(t[k]) : (t[k] >= u'0' && t[k] <= u'9'))) ++k;
    if (k == start) return 0;
    return (k < n && t[k] == u';') ? k + 1 - i : k - i;
  }
  while (k < n && k - i <= 9 && IsAlpha(t[k])) ++k;
  return (k - i >= 3 && k < n && t[k] == u';') ? k + 1 - i : 0;
}

// ISO-2022 designators without their ESC, with the 7-bit double-byte
// codes that follow up to the switch back to ASCII.
std::size_t Iso2022MarkAt(std::u16string_view t, std::size_t i) {
  const std::size_t n = t.size();
  std::size_t k = i + 1;
  if (k < n && t[k] == u')') ++k;
  if (k >= n || !(t[k] == u'A' || t[k] == u'B' || t[k] == u'@' || t[k] == u'C' || t[k] == u'G'))
    return 0;
  ++k;
  if (k < n && (IsAlpha(t[k]) || t[k] == u' ') && t[i + 1] != u')' && t[k] != u'$' &&
      t[k] != u'%' && k + 1 < n && IsAlpha(t[k + 1]) && t[k + 1] >= u'a') {
    return 0;  // "$Billion", "$Apple": a dollar amount or a variable
  }
  while (k < n && t[k] != u'\r' && t[k] != u'\n' && t[k] > u' ' && t[k] < 0x7F &&
         !(t[k] == u'(' && k + 1 < n && (t[k + 1] == u'B' || t[k + 1] == u'J'))) {
    ++k;
  }
  if (k < n && t[k] == u'(') k += 2;
  return k - i;
}

}  // namespace

std::size_t TransferMarkAt(std::u16string_view t, std::size_t i) {
  const char16_t c = t[i];
  const std::size_t n = t.size();
  switch (c) {
    case u'%':
      if (i + 1 < n && (t[i + 1] == u'u' || t[i + 1] == u'U') && HexRun(t, i + 2, 4)) return 6;
      return HexRun(t, i + 1, 2) ? 3 : 0;
    case u'=':
      if (i + 1 < n && t[i + 1] == u'\r') return (i + 2 < n && t[i + 2] == u'\n') ? 3 : 2;
      // Quoted-printable writes upper-case hex, and CJK text gives runs of
      // escapes, two or three per character; "x=50", "a=ff" or "size=80MiB"
      // in a command line is not QP.
      if (i + 2 < n && HexRun(t, i + 1, 2) && !(t[i + 1] >= u'a') && !(t[i + 2] >= u'a') &&
          ((i + 3 < n && t[i + 3] == u'=') || (i >= 3 && t[i - 3] == u'='))) {
        return 3;
      }
      return 0;
    case u'\\':
      if (i + 1 < n && (t[i + 1] == u'u' || t[i + 1] == u'U') && HexRun(t, i + 2, 4)) return 6;
      if (i + 1 < n && (t[i + 1] == u'x' || t[i + 1] == u'X') && HexRun(t, i + 2, 2)) return 4;
      return 0;
    case u'&':
      return CharRefMarkAt(t, i);
    case u'+': {
      // A UTF-7 shift: "+" and Base64 of UTF-16 units, "-" after.
      std::size_t k = i + 1;
      bool upper = false, other = false;
      while (k < n && IsBase64Char(t[k]) && t[k] != u'+') {
        upper |= t[k] >= u'A' && t[k] <= u'Z';
        other |= (t[k] >= u'a' && t[k] <= u'z') || (t[k] >= u'0' && t[k] <= u'9');
        ++k;
      }
      if (k - i < 4 || !upper || !other) return 0;
      return (k < n && t[k] == u'-') ? k + 1 - i : k - i;
    }
    case u'~':
      // HZ: the GB bytes of a "~{" ... "~}" span show as ASCII pairs.
      if (i + 1 < n && t[i + 1] == u'{') {
        std::size_t k = i + 2;
        while (k < n && t[k] != u'\r' && t[k] != u'\n' &&
               !(t[k] == u'~' && k + 1 < n && t[k + 1] == u'}'))
          ++k;
        return (k < n && t[k] == u'~') ? k + 2 - i : k - i;
      }
      return (i + 1 < n && t[i + 1] == u'}') ? 2 : 0;
    case u'$':
      return Iso2022MarkAt(t, i);
    default:
      return 0;
  }
}

std::size_t Base64BlockAt(std::u16string_view t, std::size_t i) {
  std::size_t k = i;
  bool upper = false, lower = false, digit = false;
  int transitions = 0;
  while (k < t.size() && (IsBase64Char(t[k]) || t[k] == u'=')) {
    const char16_t c = t[k];
    const bool u = c >= u'A' && c <= u'Z';
    if (k > i && u && t[k - 1] >= u'a' && t[k - 1] <= u'z') ++transitions;
    upper |= u;
    lower |= c >= u'a' && c <= u'z';
    digit |= c >= u'0' && c <= u'9';
    ++k;
  }
  if (k < t.size() && !IsBlank(t[k])) return 0;
  const std::size_t len = k - i;
  if (len >= 16 && upper && lower && (digit || transitions >= 3)) return len;
  // A short token tells itself by its padding or by mixing all three kinds
  // of character, in a length Base64 comes in: a name or a cell encoded
  // ("5Lul5L2/", "wdmmsw==").
  const bool padded = t[k - 1] == u'=';
  if (len >= 8 && len % 4 == 0 && (padded || (upper && lower && digit))) return len;
  return 0;
}

}  // namespace tekvo::score
