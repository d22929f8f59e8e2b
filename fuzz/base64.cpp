// Base64 decoding in both alphabets and through every kind of language:
// never crashes, never gives more units than the input holds, and UTF-8
// Base64 written by the encoder reads back as the text it came from.
#include "engine/transfer/base64.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  static constexpr std::int32_t kIds[] = {2052, 1028, 1041, 1042, 1033, 1049, -3, -1, 0, 77777};
  const LocaleId id{kIds[(data[0] >> 1) % (sizeof(kIds) / sizeof(kIds[0]))]};
  const auto alphabet = data[0] & 1 ? Base64Alphabet::kUrl : Base64Alphabet::kStandard;
  Text text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), data + 1, text.size() * 2);
  if (DecodeBase64Text(text, id, alphabet).size() > text.size()) std::abort();
  if (Base64ToBytes(text, alphabet).size() > text.size()) std::abort();

  const Converted b64 = EncodeBase64Text(text, ComposeBytes::kUtf8, kNoLengthLimit);
  Text expected = WithCrLfBreaks(text);
  std::erase(expected, u'\0');
  if (!expected.empty() &&
      DecodeBase64Text(b64.text, kIdUtf8, Base64Alphabet::kStandard) != expected) {
    std::abort();
  }
  return 0;
}
