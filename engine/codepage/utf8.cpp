// The engine's own UTF-8 coder. It is deliberately not ICU's: the editor can
// hold any sequence of UTF-16 units, lone surrogates included, and every one
// of them must survive a trip through UTF-8 and back. The decoder is lenient
// in the ways garbled text needs (a cut-short sequence still yields what it
// got), but reads real four-byte sequences so emoji are not destroyed.
#include <unicode/utf16.h>

#include "engine/codepage/codepage.h"

namespace tekvo {
namespace {

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// The scalar value of a well-formed four-byte sequence at p (n bytes left),
// or 0 when there is none.
char32_t FourByteScalar(const unsigned char* p, std::size_t n) {
  if (n < 4 || p[0] < 0xF0 || p[0] > 0xF4) return 0;
  if (!IsContinuation(p[1]) || !IsContinuation(p[2]) || !IsContinuation(p[3])) return 0;
  char32_t c = (char32_t{p[0] & 0x07u} << 18) | (char32_t{p[1] & 0x3Fu} << 12) |
               (char32_t{p[2] & 0x3Fu} << 6) | char32_t{p[3] & 0x3Fu};
  return (c >= 0x10000 && c <= 0x10FFFF) ? c : 0;
}

}  // namespace

ByteString TextToUtf8Bytes(const Text& text) {
  // Three bytes per unit covers everything: a surrogate pair takes four bytes
  // for two units.
  ByteString out(text.size() * 3, '\0');
  auto* dst = reinterpret_cast<unsigned char*>(out.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char16_t u = text[i];
    if (u < 0x80) {
      *dst++ = static_cast<unsigned char>(u);
    } else if (u < 0x800) {
      *dst++ = static_cast<unsigned char>(0xC0 | (u >> 6));
      *dst++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    } else if (U16_IS_LEAD(u) && i + 1 < n && U16_IS_TRAIL(text[i + 1])) {
      const char32_t c = U16_GET_SUPPLEMENTARY(u, text[i + 1]);
      *dst++ = static_cast<unsigned char>(0xF0 | (c >> 18));
      *dst++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
      *dst++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
      *dst++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
      ++i;
    } else {
      *dst++ = static_cast<unsigned char>(0xE0 | (u >> 12));
      *dst++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
      *dst++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    }
  }
  out.resize(dst - reinterpret_cast<unsigned char*>(out.data()));
  return out;
}

Text Utf8BytesToText(const ByteString& bytes) {
  // One unit per byte is the most any input can give: a four-byte sequence
  // gives two units.
  Text out(bytes.size(), u'\0');
  char16_t* dst = out.data();
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::uint32_t acc = 0;
  int need = 2;
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char b = src[i];
    if (acc == 0 && need == 2) {
      // Nothing pending (the state after E0 alone is the same one): whole
      // ASCII bytes and well-formed two- and three-byte sequences go
      // straight through, exactly as the byte-by-byte rules below would
      // take them.
      if (b < 0x80) {
        *dst++ = b;
        continue;
      }
      if (b >= 0xE0 && b <= 0xEF && i + 2 < n && IsContinuation(src[i + 1]) &&
          IsContinuation(src[i + 2])) {
        std::uint32_t c = ((b & 0x0Fu) << 12) | ((src[i + 1] & 0x3Fu) << 6) | (src[i + 2] & 0x3Fu);
        if (c >= 32) *dst++ = static_cast<char16_t>(c);
        i += 2;
        continue;
      }
      if (b >= 0xC0 && b <= 0xDF && i + 1 < n && IsContinuation(src[i + 1])) {
        std::uint32_t c = ((b & 0x1Fu) << 6) | (src[i + 1] & 0x3Fu);
        if (c >= 32) *dst++ = static_cast<char16_t>(c);
        i += 1;
        continue;
      }
    }
    if (IsContinuation(b)) {
      acc = acc * 64 + (b & 0x3F);
      if (--need > 0) continue;
      // Values below 32 here are overlong controls: dropped.
      if (acc >= 32) *dst++ = static_cast<char16_t>(acc);
      acc = 0;
      need = 2;
      continue;
    }
    // A sequence cut short after at least one continuation byte is written
    // as far as it got.
    if (acc >= 32) *dst++ = static_cast<char16_t>(acc);
    if (b >= 0xF0) {
      if (char32_t c = FourByteScalar(src + i, n - i); c != 0) {
        *dst++ = U16_LEAD(c);
        *dst++ = U16_TRAIL(c);
        i += 3;
        acc = 0;
        need = 2;
        continue;
      }
    }
    if (b >= 0xE0) {
      acc = b & 0x0F;
      need = 2;
    } else if (b >= 0xC0) {
      acc = b & 0x1F;
      need = 1;
    } else {
      *dst++ = b;
      acc = 0;
      need = 2;
    }
  }
  out.resize(dst - out.data());
  return out;
}

}  // namespace tekvo
