// The four text mappings on any text: never crash; the script mappings work
// one character for one character, so their result has the input's length
// and keeps every line break where it was; the width mappings compose and
// split sound marks, so their result is at most twice as long and keeps the
// line breaks in order.
#include "engine/text/mapping.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  const auto mapping = static_cast<TextMapping>(data[0] % 4);
  Text text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), data + 1, text.size() * 2);
  const Text out = ApplyTextMapping(text, mapping);
  if (mapping == TextMapping::kFullWidth || mapping == TextMapping::kHalfWidth) {
    if (out.size() > 2 * text.size()) std::abort();
    Text breaks_in;
    Text breaks_out;
    for (char16_t u : text) {
      if (u == u'\r' || u == u'\n') breaks_in.push_back(u);
    }
    for (char16_t u : out) {
      if (u == u'\r' || u == u'\n') breaks_out.push_back(u);
    }
    if (breaks_in != breaks_out) std::abort();
    return 0;
  }
  if (out.size() != text.size()) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((text[i] == u'\r' || text[i] == u'\n') && out[i] != text[i]) std::abort();
  }
  return 0;
}
