// UTF-7 decoding of any text: never crashes, never grows the text, and the
// encoder's output reads back as the text it came from (less its NULs).
#include "engine/transfer/utf7.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  Text text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  if (DecodeUtf7(text).size() > text.size()) std::abort();
  const Converted utf7 = EncodeUtf7(text, kNoLengthLimit);
  Text expected = text;
  std::erase(expected, u'\0');
  if (DecodeUtf7(utf7.text) != expected) std::abort();
  return 0;
}
