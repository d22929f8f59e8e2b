#include "engine/codepage/iconv_bridge.h"

#include <iconv.h>
#include <unicode/utf16.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace tekvo {
namespace {

// One descriptor per direction and charset, per thread: iconv_t is not safe
// to share while converting.
class IconvCache {
 public:
  ~IconvCache() {
    for (auto& e : entries_) iconv_close(e.cd);
  }

  iconv_t Get(const char* to, const char* from) {
    for (auto& e : entries_) {
      if (e.to == to && e.from == from) return e.cd;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return cd;
    entries_.push_back({to, from, cd});
    return cd;
  }

 private:
  struct Entry {
    std::string to;
    std::string from;
    iconv_t cd;
  };
  std::vector<Entry> entries_;
};

thread_local IconvCache cache;

// Johab's lead and trail byte ranges: an unassigned pair is one bad sequence,
// a lead byte followed by a byte that cannot trail is bad by itself.
bool IsJohabLead(unsigned char b) {
  return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
}
bool IsJohabTrail(unsigned char b) { return (b >= 0x31 && b <= 0x7E) || (b >= 0x81 && b <= 0xFE); }

}  // namespace

std::size_t JohabSequenceLength(const char* p, std::size_t left) {
  auto lead = static_cast<unsigned char>(p[0]);
  if (left >= 2 && IsJohabLead(lead) && IsJohabTrail(static_cast<unsigned char>(p[1]))) return 2;
  return 1;
}

namespace {

// Doubles an output buffer that iconv is writing into, keeping its write
// position. Only hit when a charset produces more than the usual worst case.
template <class Buffer>
void Grow(Buffer& out, char*& dst, std::size_t& dst_left) {
  const std::size_t used = dst - out.data();
  out.resize(out.size() * 2);
  dst = out.data() + used;
  dst_left = out.size() - used;
}

}  // namespace

std::optional<ByteString> IconvFromText(const Text& text, const char* charset) {
  iconv_t cd = cache.Get(charset, "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);

  // Two bytes per unit is the most a double-byte charset needs, and "?" is
  // one byte for one or two units.
  ByteString out(text.size() * 2 + 8, '\0');
  std::vector<char> in(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    in[2 * i] = static_cast<char>(text[i] & 0xFF);
    in[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  char* src = in.data();
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      Grow(out, dst, dst_left);
      continue;
    }
    // EILSEQ (a character the charset lacks, or a lone surrogate) or EINVAL
    // (a high surrogate at the very end): one "?" per character.
    if (dst_left == 0) Grow(out, dst, dst_left);
    *dst++ = '?';
    --dst_left;
    std::size_t unit = (src - in.data()) / 2;
    std::size_t skip = 2;
    if (unit + 1 < text.size() && U16_IS_LEAD(text[unit]) && U16_IS_TRAIL(text[unit + 1])) {
      skip = 4;
    }
    if (skip > src_left) skip = src_left;
    src += skip;
    src_left -= skip;
  }
  iconv(cd, nullptr, nullptr, &dst, &dst_left);
  out.resize(dst - out.data());
  return out;
}

std::optional<Text> IconvToText(const ByteString& bytes, const char* charset) {
  iconv_t cd = cache.Get("UTF-16LE", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);

  // One unit per byte is always enough: a bad sequence of n bytes gives one
  // U+FFFD, a good one at most one unit per byte.
  std::vector<char> out(bytes.size() * 2 + 8);
  char* src = const_cast<char*>(bytes.data());
  std::size_t src_left = bytes.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      Grow(out, dst, dst_left);
      continue;
    }
    if (dst_left < 2) Grow(out, dst, dst_left);
    *dst++ = static_cast<char>(0xFD);
    *dst++ = static_cast<char>(0xFF);
    dst_left -= 2;
    std::size_t skip = errno == EINVAL ? src_left : JohabSequenceLength(src, src_left);
    src += skip;
    src_left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  std::size_t written = (dst - out.data()) / 2;
  Text text(written, u'\0');
  for (std::size_t i = 0; i < written; ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                    (static_cast<unsigned char>(out[2 * i + 1]) << 8));
  }
  return text;
}

}  // namespace tekvo
