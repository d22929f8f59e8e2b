// The four text mappings on any text: never crash, and since they work one
// character for one character the result has the input's length and keeps
// every line break where it was.
#include "engine/mapping.h"

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
  if (out.size() != text.size()) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((text[i] == u'\r' || text[i] == u'\n') && out[i] != text[i]) std::abort();
  }
  return 0;
}
