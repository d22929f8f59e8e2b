// ISO-2022 decoding of arbitrary text for each kind (and one outside the
// enum): never crashes, never returns U+0000 in a decoded text or a text over
// the limit, and a refusal carries the input unchanged.
#include "engine/transfer/iso2022.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  // Bytes become units one for one, so the designators and the shift
  // characters turn up often; the first byte picks the kind.
  const auto kind = static_cast<Iso2022Kind>(data[0] % 4);
  Text text(data + 1, data + size);
  // The editor never holds U+0000.
  std::erase(text, u'\0');
  const std::size_t limit = text.size() + 8;
  const Converted got = DecodeIso2022Escapes(text, kind, limit);
  if (got.too_long && got.text != text) std::abort();
  if (got.text.size() > limit) std::abort();
  if (got.text != text && got.text.find(u'\0') != Text::npos) std::abort();
  const Text restored = RestoreIso2022Escapes(text, kind);
  if (static_cast<int>(kind) > 2 && restored != text) std::abort();
  return 0;
}
