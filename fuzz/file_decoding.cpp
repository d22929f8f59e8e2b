// Detection and decoding of arbitrary file contents, for every requested
// encoding: must never crash, and the decoded text never holds U+0000.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/file_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const FileEncoding detected = DetectFileEncoding(bytes);
  if (!IsConcreteEncoding(detected) || detected == FileEncoding::kAnsiEng) std::abort();
  for (int requested = 0; requested <= 8; ++requested) {
    const FileEncoding used = ResolveFileEncoding(ToFileEncoding(requested), detected);
    if (!IsConcreteEncoding(used)) std::abort();
    std::optional<Text> text = DecodeFileBytes(bytes, used, detected);
    if (text && text->find(u'\0') != Text::npos) std::abort();
  }
  return 0;
}
