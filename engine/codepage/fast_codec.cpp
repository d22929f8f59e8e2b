#include "engine/codepage/fast_codec.h"

#include <unicode/utf16.h>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/icu_converter.h"

namespace tekvo {
namespace {

// A unit no byte sequence decodes to: "not a plain character".
constexpr char16_t kNotPlain = 0xFFFF;

// Encoded forms: 0 is "not plain", otherwise the byte count in bits 16-17
// and the bytes in bits 0-15 (lead byte high).
constexpr std::uint32_t kNoBytes = 0;

using DecodeRow = std::array<char16_t, 256>;
using EncodeRow = std::array<std::uint32_t, 256>;

// Rows published once, read without a lock.
template <typename Row>
class LazyRows {
 public:
  ~LazyRows() {
    for (auto& r : rows_) delete r.load();
  }
  template <typename Build>
  const Row& Get(unsigned index, std::mutex& mu, Build build) const {
    const Row* row = rows_[index].load(std::memory_order_acquire);
    if (row != nullptr) return *row;
    std::lock_guard<std::mutex> lock(mu);
    row = rows_[index].load(std::memory_order_relaxed);
    if (row == nullptr) {
      auto* built = new Row;
      for (unsigned i = 0; i < 256; ++i) (*built)[i] = build(i);
      rows_[index].store(built, std::memory_order_release);
      row = built;
    }
    return *row;
  }

 private:
  mutable std::array<std::atomic<const Row*>, 256> rows_{};
};

}  // namespace

class FastCodecTable {
 public:
  FastCodecTable(UConverter* cnv, const CodePageSupplement* sup) : cnv_(cnv), sup_(sup) {
    for (unsigned b = 0; b < 256; ++b) {
      char byte = static_cast<char>(b);
      single_[b] = DecodeOne(&byte, 1);
    }
  }
  ~FastCodecTable() { ucnv_close(cnv_); }

  char16_t Single(unsigned char b) const { return single_[b]; }

  const DecodeRow& DecodeRowFor(unsigned char lead) const {
    return decode_rows_.Get(lead, mu_, [&](unsigned trail) {
      char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      return DecodeOne(pair, 2);
    });
  }

  const EncodeRow& EncodeRowFor(unsigned high) const {
    return encode_rows_.Get(
        high, mu_, [&](unsigned low) { return EncodeOne(static_cast<char16_t>(high << 8 | low)); });
  }

 private:
  // The one BMP unit `bytes` decode to, or kNotPlain.
  char16_t DecodeOne(const char* bytes, int n) const {
    UChar out[4];
    UErrorCode err = U_ZERO_ERROR;
    int32_t len = ucnv_toUChars(cnv_, out, 4, bytes, n, &err);
    if (U_FAILURE(err) || len != 1 || out[0] == 0xFFFD || out[0] == kNotPlain) return kNotPlain;
    return U16_IS_SURROGATE(out[0]) ? kNotPlain : out[0];
  }

  // The bytes of `u`, or kNoBytes for a surrogate, which only its neighbour
  // can complete.
  std::uint32_t EncodeOne(char16_t u) const {
    if (U16_IS_SURROGATE(u)) return kNoBytes;
    char out[8];
    UErrorCode err = U_ZERO_ERROR;
    int32_t len = sup_ != nullptr ? static_cast<int32_t>(SupplementEncodeOf(*sup_, u, out)) : 0;
    if (len == 0) {
      len = ucnv_fromUChars(cnv_, out, sizeof out, reinterpret_cast<const UChar*>(&u), 1, &err);
    }
    // A character the page lacks comes out as the callback's "?", which
    // depends on nothing around it, so it is as plain as any other.
    if (U_FAILURE(err) || len < 1 || len > 2) return kNoBytes;
    auto b0 = static_cast<unsigned char>(out[0]);
    if (len == 1) return (1u << 16) | b0;
    return (2u << 16) | (b0 << 8) | static_cast<unsigned char>(out[1]);
  }

  UConverter* cnv_;  // used under mu_ only (and in the constructor)
  // Laid over the converter's encoder; its decoder reads the supplement by
  // itself, and remapped units are left to the caller like every other.
  const CodePageSupplement* sup_;
  mutable std::mutex mu_;
  std::array<char16_t, 256> single_;
  LazyRows<DecodeRow> decode_rows_;
  LazyRows<EncodeRow> encode_rows_;
};

const FastCodecTable* FastCodecTableFor(const CodePageEntry& entry) {
  static std::mutex mu;
  static std::vector<std::pair<const CodePageEntry*, std::unique_ptr<FastCodecTable>>> tables;
  std::lock_guard<std::mutex> lock(mu);
  for (const auto& [e, t] : tables) {
    if (e == &entry) return t.get();
  }
  std::unique_ptr<FastCodecTable> table;
  if (entry.backend == ConverterBackend::kIcu) {
    UConverter* cnv = OpenConfiguredConverter(entry);
    if (cnv != nullptr) {
      UConverterType type = ucnv_getType(cnv);
      bool stateless = type == UCNV_SBCS || type == UCNV_DBCS || type == UCNV_MBCS;
      if (stateless && ucnv_getMaxCharSize(cnv) <= 2) {
        table = std::make_unique<FastCodecTable>(cnv, FindSupplement(entry.cp));
      } else {
        ucnv_close(cnv);
      }
    }
  }
  tables.emplace_back(&entry, std::move(table));
  return tables.back().second.get();
}

FastProgress FastDecode(const FastCodecTable& table, const char* bytes, std::size_t n,
                        char16_t* out) {
  const auto* src = reinterpret_cast<const unsigned char*>(bytes);
  char16_t* dst = out;
  const DecodeRow* row = nullptr;
  unsigned last_lead = 256;
  std::size_t i = 0;
  while (i < n) {
    unsigned char b = src[i];
    char16_t u = table.Single(b);
    if (u != kNotPlain) {
      *dst++ = u;
      ++i;
      continue;
    }
    if (i + 1 >= n) break;
    if (b != last_lead) {
      row = &table.DecodeRowFor(b);
      last_lead = b;
    }
    u = (*row)[src[i + 1]];
    if (u == kNotPlain) break;
    *dst++ = u;
    i += 2;
  }
  return {i, static_cast<std::size_t>(dst - out)};
}

FastProgress FastEncode(const FastCodecTable& table, const char16_t* text, std::size_t n,
                        char* out) {
  char* dst = out;
  const EncodeRow* row = nullptr;
  unsigned last_high = 256;
  std::size_t i = 0;
  for (; i < n; ++i) {
    char16_t u = text[i];
    unsigned high = u >> 8;
    if (high != last_high) {
      row = &table.EncodeRowFor(high);
      last_high = high;
    }
    std::uint32_t e = (*row)[u & 0xFF];
    if (e == kNoBytes) break;
    if ((e >> 16) == 1) {
      *dst++ = static_cast<char>(e & 0xFF);
    } else {
      *dst++ = static_cast<char>((e >> 8) & 0xFF);
      *dst++ = static_cast<char>(e & 0xFF);
    }
  }
  return {i, static_cast<std::size_t>(dst - out)};
}

}  // namespace tekvo
