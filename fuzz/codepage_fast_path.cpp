// The table-driven path of the code page bridge against ICU with the page's
// supplement laid over it one character at a time, on arbitrary bytes and
// units, for every page that has the table.
#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/icu_codec.h"
#include "engine/codepage/icu_converter.h"

namespace {

constexpr std::int32_t kPages[] = {936,  950,  949,  932,  874,   1250,  1251,  1252,
                                   1253, 1255, 1256, 1258, 20866, 28591, 28597, 437};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const tekvo::CodePageEntry* entry =
      tekvo::FindCodePage(tekvo::CodePageId{kPages[data[0] % std::size(kPages)]});
  if (entry == nullptr) std::abort();
  static UConverter* reference = nullptr;
  static const tekvo::CodePageEntry* reference_entry = nullptr;
  if (reference_entry != entry) {
    if (reference != nullptr) ucnv_close(reference);
    reference = tekvo::OpenConfiguredConverter(*entry);
    reference_entry = entry;
  }
  UConverter* cnv = tekvo::ThreadConverter(*entry);
  if (reference == nullptr || cnv == nullptr) std::abort();

  tekvo::ByteString bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  tekvo::Text expected(bytes.size() * 2 + 16, u'\0');
  UErrorCode err = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(reference, reinterpret_cast<UChar*>(expected.data()),
                            static_cast<int32_t>(expected.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err)) std::abort();
  expected.resize(n);
  if (tekvo::IcuDecode(*entry, cnv, bytes) != expected) std::abort();

  tekvo::Text text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  const tekvo::CodePageSupplement* sup = tekvo::FindSupplement(entry->cp);
  tekvo::ByteString encoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = i + 1 < text.size() && U16_IS_LEAD(text[i]) && U16_IS_TRAIL(text[i + 1]);
    char over[2];
    const std::size_t k =
        sup != nullptr && !pair ? tekvo::SupplementEncodeOf(*sup, text[i], over) : 0;
    if (k != 0) {
      encoded.append(over, k);
    } else {
      char one[16];
      err = U_ZERO_ERROR;
      n = ucnv_fromUChars(reference, one, sizeof one, reinterpret_cast<const UChar*>(&text[i]),
                          pair ? 2 : 1, &err);
      if (U_FAILURE(err)) std::abort();
      encoded.append(one, static_cast<std::size_t>(n));
    }
    if (pair) ++i;
  }
  if (tekvo::IcuEncode(*entry, cnv, text) != encoded) std::abort();
  return 0;
}
