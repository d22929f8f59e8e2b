// Helpers for the transfer codec tests: readable failure output for UTF-16
// text.
#ifndef TEKVO_TESTS_ENGINE_TRANSFER_TEST_UTIL_H_
#define TEKVO_TESTS_ENGINE_TRANSFER_TEST_UTIL_H_

#include <unicode/utf16.h>

#include <cstdio>
#include <string>

#include "engine/text/text.h"

namespace tekvo::transfer_test {

// UTF-8 for printable units, \uXXXX for controls, surrogates and markers, so a
// failure shows exactly which units differ.
inline std::string Show(const Text& text) {
  std::string out = "\"";
  for (char16_t u : text) {
    if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else if (u >= 0xA0 && !U16_IS_SURROGATE(u)) {
      if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
      } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      }
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
      out += buf;
    }
  }
  return out + "\"";
}

inline Text Repeat(const Text& piece, std::size_t times) {
  Text out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace tekvo::transfer_test

#endif  // TEKVO_TESTS_ENGINE_TRANSFER_TEST_UTIL_H_
