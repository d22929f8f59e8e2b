// HZ decoding of any text: never crashes and never grows the text; whatever
// the encoder wrote decodes back to where it came from.
#include "engine/transfer/hz.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  Text text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  if (DecodeHz(text).size() > text.size()) std::abort();
  const Converted hz = EncodeHz(text, kNoLengthLimit);
  if (DecodeHz(hz.text) != text) std::abort();
  return 0;
}
