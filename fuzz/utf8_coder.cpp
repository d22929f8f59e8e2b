// The engine's UTF-8 coder on arbitrary bytes: decoding never fails, and the
// text it gives survives encoding and decoding again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/codepage/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tekvo::ByteString bytes(reinterpret_cast<const char*>(data), size);
  tekvo::Text text = tekvo::Utf8BytesToText(bytes);
  if (text.size() > bytes.size()) std::abort();
  tekvo::ByteString again = tekvo::TextToUtf8Bytes(text);
  if (tekvo::Utf8BytesToText(again) != text) std::abort();
  // The bytes read as UTF-16 units give any text at all, lone surrogates
  // included; those too must come back.
  tekvo::Text units = tekvo::Utf16LeBytesToText(bytes);
  if (tekvo::Utf8BytesToText(tekvo::TextToUtf8Bytes(units)) != units) std::abort();
  return 0;
}
