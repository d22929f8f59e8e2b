#include "tests/engine/test_output.h"

namespace tekvo::test_output {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::string Hex(const ByteString& bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Units(const Text& text) {
  std::string out;
  out.reserve(text.size() * 5);
  for (char16_t u : text) {
    if (!out.empty()) out += ' ';
    for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(u >> shift) & 15];
  }
  return out;
}

}  // namespace tekvo::test_output
