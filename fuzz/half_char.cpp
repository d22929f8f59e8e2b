// The half-character repair at any position with any identifier: never
// crashes, never hands back U+0000 or a text over the limit, and a refusal
// always carries the input unchanged.
#include "engine/repair/half_char.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 3) return 0;
  // First byte: the identifier; second: the position; the rest: UTF-16 text.
  static constexpr std::int32_t kIds[] = {2052, 1028, 1041, 1042, 1049, 1033, 1054,
                                          1066, 1361, 0,    -1,   -2,   -3,   12345};
  const LocaleId id{kIds[data[0] % (sizeof(kIds) / sizeof(kIds[0]))]};
  const std::int32_t pos = static_cast<std::int8_t>(data[1]);
  Text text((size - 2) / 2, u'\0');
  std::memcpy(text.data(), data + 2, text.size() * 2);

  const std::size_t limit = text.size() + 4;
  const Converted got = ShiftHalfCharacter(text, pos, id, limit);
  if (got.too_long && got.text != text) std::abort();
  if (got.text.size() > limit) std::abort();
  const bool changed = got.text != text;
  if (changed && got.text.find(u'\0') != Text::npos) std::abort();
  if (changed && (pos < 0 || static_cast<std::size_t>(pos) >= text.size())) std::abort();
  return 0;
}
