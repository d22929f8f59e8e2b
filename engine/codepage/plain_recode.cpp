#include "engine/codepage/plain_recode.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/fast_codec.h"

namespace tekvo {
namespace {

// Each unit's repair as the UTF-8 it is written as, laid out so that one
// copy of four bytes writes any of them; a count of 0 is "not plain" (no
// plain unit repairs to U+0000, which the repair drops).
struct Utf8Form {
  unsigned char bytes[3];
  unsigned char count;
};
constexpr Utf8Form kNotPlain = {{0, 0, 0}, 0};

Utf8Form FormOf(char16_t v) {
  const auto byte = [](unsigned b) { return static_cast<unsigned char>(b); };
  if (v < 0x80) return {{byte(v), 0, 0}, 1};
  if (v < 0x800) return {{byte(0xC0 | (v >> 6)), byte(0x80 | (v & 0x3F)), 0}, 2};
  return {{byte(0xE0 | (v >> 12)), byte(0x80 | ((v >> 6) & 0x3F)), byte(0x80 | (v & 0x3F))}, 3};
}

using RecodeRow = std::array<Utf8Form, 256>;

constexpr unsigned kAsciiEnd = 0x80;

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// Units the repair or the bridge treats by their neighbours or by their
// place: the dropped U+0000, a leading mark, surrogate halves, and the three
// controls the Shift-JIS page exchanges on both sides.
bool KeepsOutOfTables(char16_t u) {
  return u == 0 || u == 0xFEFF || U16_IS_SURROGATE(u) || u == 0x1A || u == 0x1C || u == 0x7F;
}

}  // namespace

class PlainRecodeTable {
 public:
  PlainRecodeTable(const FastCodecTable& a, const FastCodecTable& b, const CodePageSupplement* sup)
      : a_(a), b_(b), sup_(sup) {
    const RecodeRow& ascii = Row(0);
    for (unsigned c = 0; c < kAsciiEnd; ++c) {
      ascii_kept_[c] = ascii[c].count == 1 && ascii[c].bytes[0] == c;
    }
  }
  ~PlainRecodeTable() {
    for (auto& r : rows_) delete r.load();
  }

  const RecodeRow& Row(unsigned high) const {
    const RecodeRow* row = rows_[high].load(std::memory_order_acquire);
    return row != nullptr ? *row : Build(high);
  }

  // True when the repair gives ASCII byte `c` back as itself.
  bool KeepsAscii(unsigned char c) const { return ascii_kept_[c]; }

 private:
  const RecodeRow& Build(unsigned high) const {
    std::lock_guard<std::mutex> lock(mu_);
    const RecodeRow* row = rows_[high].load(std::memory_order_relaxed);
    if (row != nullptr) return *row;
    auto* built = new RecodeRow;
    for (unsigned low = 0; low < 256; ++low) {
      (*built)[low] = Recode(static_cast<char16_t>(high << 8 | low));
    }
    rows_[high].store(built, std::memory_order_release);
    return *built;
  }

  Utf8Form Recode(char16_t u) const {
    if (KeepsOutOfTables(u)) return kNotPlain;
    char bytes[2];
    const FastProgress encoded = FastEncode(a_, &u, 1, bytes);
    if (encoded.consumed != 1) return kNotPlain;
    // B must read exactly these bytes as one unit, or its reading would
    // depend on the bytes of the next character.
    char16_t v[2];
    const FastProgress decoded = FastDecode(b_, bytes, encoded.written, v);
    if (decoded.consumed != encoded.written || decoded.written != 1) return kNotPlain;
    if (sup_ != nullptr) {
      Text one(1, v[0]);
      ApplySupplementRemaps(*sup_, one);
      v[0] = one[0];
    }
    return KeepsOutOfTables(v[0]) ? kNotPlain : FormOf(v[0]);
  }

  const FastCodecTable& a_;
  const FastCodecTable& b_;
  const CodePageSupplement* sup_;  // B's, for the units it remaps
  mutable std::mutex mu_;
  mutable std::array<std::atomic<const RecodeRow*>, 256> rows_{};
  std::array<bool, kAsciiEnd> ascii_kept_{};
};

const PlainRecodeTable* PlainRecodeTableFor(CodePageId a, CodePageId b) {
  const CodePageEntry* entry_a = FindCodePage(a);
  const CodePageEntry* entry_b = FindCodePage(b);
  if (entry_a == nullptr || entry_b == nullptr) return nullptr;
  const FastCodecTable* table_a = FastCodecTableFor(*entry_a);
  const FastCodecTable* table_b = FastCodecTableFor(*entry_b);
  if (table_a == nullptr || table_b == nullptr) return nullptr;
  static std::mutex mu;
  static std::vector<
      std::tuple<const CodePageEntry*, const CodePageEntry*, std::unique_ptr<PlainRecodeTable>>>
      tables;
  std::lock_guard<std::mutex> lock(mu);
  for (const auto& [ea, eb, t] : tables) {
    if (ea == entry_a && eb == entry_b) return t.get();
  }
  tables.emplace_back(
      entry_a, entry_b,
      std::make_unique<PlainRecodeTable>(*table_a, *table_b, FindSupplement(entry_b->cp)));
  return std::get<2>(tables.back()).get();
}

std::size_t RecodePlainUtf8(const PlainRecodeTable& table, std::string_view utf8, ByteString& out) {
  const auto* src = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  // Most pairs keep each character's UTF-8 length; the buffer grows for the
  // few that lengthen it. Every store writes four bytes, so four stay free.
  constexpr std::size_t kStore = sizeof(Utf8Form);
  std::size_t i = 0;
  out.resize(out.size() + n + 16);
  char* dst = out.data() + out.size() - n - 16;
  char* limit = out.data() + out.size();
  // Makes room for `k` more bytes at dst.
  const auto room = [&](std::size_t k) {
    if (static_cast<std::size_t>(limit - dst) >= k) return;
    const std::size_t used = dst - out.data();
    out.resize(std::max(used + k, used + (n - i) + (n - i) / 2) + 16);
    dst = out.data() + used;
    limit = out.data() + out.size();
  };
  const RecodeRow& ascii = table.Row(0);
  const RecodeRow* row = &ascii;
  unsigned row_high = 0;
  while (i < n) {
    const unsigned char b = src[i];
    if (b < kAsciiEnd && table.KeepsAscii(b)) {
      // A run of ASCII that stays as it is goes over in one copy.
      std::size_t end = i + 1;
      while (end < n && src[end] < kAsciiEnd && table.KeepsAscii(src[end])) ++end;
      room(end - i);
      std::memcpy(dst, src + i, end - i);
      dst += end - i;
      i = end;
      continue;
    }
    room(kStore);
    Utf8Form form;
    std::size_t len;
    if (b < kAsciiEnd) {
      form = ascii[b];
      len = 1;
    } else {
      unsigned u;
      if (b >= 0xE0 && b <= 0xEF) {
        if (i + 2 >= n || !IsContinuation(src[i + 1]) || !IsContinuation(src[i + 2])) break;
        u = ((b & 0x0Fu) << 12) | ((src[i + 1] & 0x3Fu) << 6) | (src[i + 2] & 0x3Fu);
        // Overlong forms: the decoder's own rules apply.
        if (u < 0x800) break;
        len = 3;
      } else if (b >= 0xC2 && b <= 0xDF) {
        if (i + 1 >= n || !IsContinuation(src[i + 1])) break;
        u = ((b & 0x1Fu) << 6) | (src[i + 1] & 0x3Fu);
        len = 2;
      } else {
        break;
      }
      if (const unsigned high = u >> 8; high != row_high) {
        row = &table.Row(high);
        row_high = high;
      }
      form = (*row)[u & 0xFF];
    }
    if (form.count == 0) break;
    // The byte past the form's count is overwritten by the next
    // character's or cut off at the end.
    std::memcpy(dst, &form, kStore);
    dst += form.count;
    i += len;
  }
  out.resize(dst - out.data());
  return i;
}

}  // namespace tekvo
