// ASCII-only character tests for the parsers of escapes, names and options.
// They never consult the C locale: a command name or a "%E4" escape means the
// same thing under every locale the user runs in.
#ifndef TEKVO_ENGINE_TEXT_ASCII_H_
#define TEKVO_ENGINE_TEXT_ASCII_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace tekvo {

// The value 0..15 of the hex digit `c` (0-9, A-F, a-f), or -1 for any other
// unit, of any character type.
template <typename Char>
requires std::is_integral_v<Char>
constexpr int HexDigitValue(Char c) {
  // A negative char widens past every digit.
  const auto u = static_cast<char32_t>(c);
  if (u >= U'0' && u <= U'9') return static_cast<int>(u - U'0');
  if (u >= U'A' && u <= U'F') return static_cast<int>(u - U'A') + 10;
  if (u >= U'a' && u <= U'f') return static_cast<int>(u - U'a') + 10;
  return -1;
}

template <typename Char>
requires std::is_integral_v<Char>
constexpr bool IsHexDigit(Char c) { return HexDigitValue(c) >= 0; }

// `c` with A-Z turned into a-z; every other unit as it is.
template <typename Char>
requires std::is_integral_v<Char>
constexpr Char AsciiLower(Char c) {
  return (c >= Char{'A'} && c <= Char{'Z'}) ? static_cast<Char>(c + (Char{'a'} - Char{'A'})) : c;
}

// `s` with A-Z turned into a-z; other bytes (UTF-8 among them) unchanged.
inline std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

// Whether `a` and `b` hold the same units once A-Z are lowered. The units of
// `b` are widened to those of `a`, so an ASCII name can be matched against
// UTF-16 text.
template <typename CharA, typename CharB>
constexpr bool EqualsIgnoringAsciiCase(std::basic_string_view<CharA> a,
                                       std::basic_string_view<CharB> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(static_cast<CharA>(b[i]))) return false;
  }
  return true;
}

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_ASCII_H_
