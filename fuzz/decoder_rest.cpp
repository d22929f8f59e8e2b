// Where a decoder says it rests, against decoding: any bytes, cut at every
// place where DecoderRest says the decoder rests before the next byte, must
// decode piece by piece to exactly the text of the whole.
//
// The first byte picks the decoder; the rest is the input.
#include "engine/codepage/decoder_rest.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "engine/codepage/codepage.h"

namespace {

// The double-byte pages, GB18030, the EUC pages, Johab, UTF-8 through ICU
// and a single-byte page with a supplement; 0 is the engine's UTF-8, -2
// UTF-16.
constexpr std::int32_t kPages[] = {936,  950,   949,  932,   54936, 20932, 51949,
                                   1361, 65001, 1253, 20000, 51936, 0,     -2};

tekvo::Text Decode(const std::string& bytes, std::int32_t page) {
  if (page == 0) return tekvo::Utf8BytesToText(bytes);
  if (page == -2) return tekvo::Utf16LeBytesToText(bytes);
  return tekvo::CodePageBytesToText(bytes, tekvo::CodePageId{page});
}

tekvo::DecoderRest ReaderFor(std::int32_t page) {
  if (page == 0) return tekvo::DecoderRest::ForUtf8();
  if (page == -2) return tekvo::DecoderRest::ForUtf16();
  return tekvo::DecoderRest::ForCodePage(tekvo::CodePageId{page});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::int32_t page = kPages[data[0] % std::size(kPages)];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const tekvo::Text whole = Decode(bytes, page);
  tekvo::DecoderRest reader = ReaderFor(page);
  tekvo::Text joined;
  std::size_t start = 0;
  for (std::size_t p = 1; p < bytes.size(); ++p) {
    reader.Feed(bytes.substr(p - 1, 1));
    if (!reader.RestsBefore(static_cast<unsigned char>(bytes[p]))) continue;
    joined += Decode(bytes.substr(start, p - start), page);
    start = p;
  }
  joined += Decode(bytes.substr(start), page);
  if (joined != whole) std::abort();
  return 0;
}
