// Numeric escapes of every family and the named entities on any text: never
// crashes, never writes more than it read.
#include "engine/transfer/char_refs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/transfer/html_entities.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  Text text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), data + 1, text.size() * 2);
  const auto family = static_cast<EscapeFamily>(data[0] % 3);
  if (DecodeNumericEscapes(text, family).size() > text.size()) std::abort();
  if (DecodeNamedEntities(text).size() > text.size()) std::abort();
  // Whatever the encoder writes, the decoder reads back as the same text
  // once the text itself holds nothing that looks like markup.
  if (text.find(u'&') == Text::npos && text.find(u'<') == Text::npos) {
    const Converted refs =
        EncodeCharRefs(text, data[0] & 0x80 ? CharRefBase::kHex : CharRefBase::kDecimal);
    Text expected = text;
    std::erase(expected, u'\0');
    Text got = DecodeNumericEscapes(refs.text, EscapeFamily::kHtml);
    std::erase(got, u'\0');
    if (!refs.too_long && got != expected) std::abort();
  }
  return 0;
}
