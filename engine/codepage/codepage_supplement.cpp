#include "engine/codepage/codepage_supplement.h"

#include <algorithm>

namespace tekvo {

const CodePageSupplement* FindSupplement(CodePageId cp) {
  for (const CodePageSupplement& s : CodePageSupplements()) {
    if (s.cp == cp) return &s;
  }
  return nullptr;
}

int SupplementDecodeOf(const CodePageSupplement& sup, const char* bytes, std::size_t n) {
  if (n < 1 || n > 2 || sup.decodes.empty()) return -1;
  auto key = static_cast<SupplementBytes>(static_cast<unsigned char>(bytes[0]));
  if (n == 2) key = static_cast<SupplementBytes>(key << 8 | static_cast<unsigned char>(bytes[1]));
  auto it =
      std::lower_bound(sup.decodes.begin(), sup.decodes.end(), key,
                       [](const SupplementDecode& d, SupplementBytes k) { return d.bytes < k; });
  if (it == sup.decodes.end() || it->bytes != key) return -1;
  return it->unit;
}

std::size_t SupplementEncodeOf(const CodePageSupplement& sup, char16_t u, char* out) {
  if (sup.encodes.empty() || u < sup.encodes.front().unit || u > sup.encodes.back().unit) return 0;
  auto it = std::lower_bound(sup.encodes.begin(), sup.encodes.end(), u,
                             [](const SupplementEncode& e, char16_t k) { return e.unit < k; });
  if (it == sup.encodes.end() || it->unit != u) return 0;
  if (it->bytes < 0x100) {
    out[0] = static_cast<char>(it->bytes);
    return 1;
  }
  out[0] = static_cast<char>(it->bytes >> 8);
  out[1] = static_cast<char>(it->bytes & 0xFF);
  return 2;
}

void ApplySupplementRemaps(const CodePageSupplement& sup, Text& text) {
  if (sup.remaps.empty()) return;
  const char16_t low = sup.remaps.front().from;
  const char16_t high = sup.remaps.back().from;
  for (char16_t& u : text) {
    if (u < low || u > high) continue;
    auto it = std::lower_bound(sup.remaps.begin(), sup.remaps.end(), u,
                               [](const SupplementRemap& r, char16_t k) { return r.from < k; });
    if (it != sup.remaps.end() && it->from == u) u = it->to;
  }
}

}  // namespace tekvo
