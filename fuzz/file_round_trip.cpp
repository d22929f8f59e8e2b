// Any text written in a file encoding and read back the way loading reads
// it (detect, settle against the request, decode) gives the text again: in
// the marked Unicode forms always (less its NULs, and for UTF-8 when it holds
// no lone surrogate), in the ANSI pages whenever the unmappable count is 0.
#include <unicode/utf16.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "files/file_encoding.h"

namespace {

bool HasLoneSurrogate(const tekvo::Text& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
      ++i;
    } else if (U16_IS_SURROGATE(c)) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  if (size < 1) return 0;
  static constexpr FileEncoding kEncodings[] = {FileEncoding::kAnsiGb, FileEncoding::kUnicode,
                                                FileEncoding::kUnicodeBe, FileEncoding::kUtf8,
                                                FileEncoding::kAnsiEng};
  const FileEncoding e = kEncodings[data[0] % (sizeof(kEncodings) / sizeof(kEncodings[0]))];
  Text text((size - 1) / 2, u'\0');
  std::memcpy(text.data(), data + 1, text.size() * 2);
  std::erase(text, u'\0');  // the editor never holds U+0000

  const std::optional<ByteString> bytes = EncodeFileText(text, e);
  if (!bytes) std::abort();
  const std::string_view view(*bytes);
  const FileEncoding detected = DetectFileEncoding(view);
  const std::optional<Text> back =
      DecodeFileBytes(view, ResolveFileEncoding(e, detected), detected);
  if (!back) std::abort();

  const bool ansi = e == FileEncoding::kAnsiGb || e == FileEncoding::kAnsiEng;
  if (ansi && CountUnmappableCharacters(text, e) != 0) return 0;
  if (e == FileEncoding::kUtf8 && HasLoneSurrogate(text)) return 0;
  if (*back != text) std::abort();
  return 0;
}
