// URL and quoted-printable decoding through every kind of language on any
// text: never crashes and never gives more units than the input holds; UTF-8
// quoted-printable from the encoder, its soft breaks stored as CR LF the way
// the editor stores them, reads back as the text it came from.
#include "engine/transfer/quoted_printable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  static constexpr std::int32_t kIds[] = {2052, 1028, 1041, 1042, 1054, 1066,  1033,
                                          1049, 1037, -3,   -2,   0,    99999, 1361};
  const LocaleId id{kIds[(data[0] >> 1) % (sizeof(kIds) / sizeof(kIds[0]))]};
  const auto escapes = data[0] & 1 ? ByteEscapes::kUrl : ByteEscapes::kQuotedPrintable;
  Text text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), data + 1, text.size() * 2);
  if (DecodeQpOrUrl(text, id, escapes).size() > text.size()) std::abort();

  const Converted qp = EncodeQuotedPrintable(text, ComposeBytes::kUtf8, kNoLengthLimit);
  Text stored;
  for (char16_t c : qp.text) {
    stored.push_back(c);
    if (c == u'\r') stored.push_back(u'\n');
  }
  if (!text.empty() &&
      DecodeQpOrUrl(stored, kIdUtf8, ByteEscapes::kQuotedPrintable) != WithCrLfBreaks(text)) {
    std::abort();
  }
  return 0;
}
