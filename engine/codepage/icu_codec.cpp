#include "engine/codepage/icu_codec.h"

#include "engine/codepage/codepage_supplement.h"
#include "engine/codepage/fast_codec.h"

namespace tekvo {
namespace {

// ICU's streaming calls take pointers rather than int32_t lengths, so input
// of any size goes through. Each call converts [src, src_end) and appends
// at out[used], growing `out` when the estimate was short (only the stateful
// pages can need that: their shift sequences are not bounded per character).
// Streaming is exact however the input is cut: what a call cannot finish, the
// converter keeps for the next one.
template <typename Out, typename In, typename Convert>
bool Feed(Convert convert, const In*& src, const In* src_end, bool flush, Out& out,
          std::size_t& used) {
  using Unit = typename Out::value_type;
  for (;;) {
    UErrorCode err = U_ZERO_ERROR;
    Unit* dst = out.data() + used;
    Unit* const start = out.data();
    convert(&dst, start + out.size(), &src, src_end, flush, &err);
    used = dst - start;
    if (err != U_BUFFER_OVERFLOW_ERROR) return U_SUCCESS(err);
    out.resize(out.size() * 2 + 16);
  }
}

bool FeedFromUnicode(UConverter* cnv, const char16_t*& src, const char16_t* src_end, bool flush,
                     ByteString& out, std::size_t& used) {
  auto convert = [cnv](char** dst, char* limit, const char16_t** s, const char16_t* end, bool f,
                       UErrorCode* err) {
    const auto* u = reinterpret_cast<const UChar*>(*s);
    ucnv_fromUnicode(cnv, dst, limit, &u, reinterpret_cast<const UChar*>(end), nullptr, f, err);
    *s = reinterpret_cast<const char16_t*>(u);
  };
  return Feed(convert, src, src_end, flush, out, used);
}

bool FeedToUnicode(UConverter* cnv, const char*& src, const char* src_end, bool flush, Text& out,
                   std::size_t& used) {
  auto convert = [cnv](char16_t** dst, char16_t* limit, const char** s, const char* end, bool f,
                       UErrorCode* err) {
    auto* u = reinterpret_cast<UChar*>(*dst);
    ucnv_toUnicode(cnv, &u, reinterpret_cast<UChar*>(limit), s, end, nullptr, f, err);
    *dst = reinterpret_cast<char16_t*>(u);
  };
  return Feed(convert, src, src_end, flush, out, used);
}

// ICU's encoder with the page's supplement laid over it: the units the
// supplement writes are cut out of what ICU sees. The run before each is
// flushed, so a high surrogate left waiting comes out ("?") in its place.
bool FeedFromUnicodeOver(UConverter* cnv, const CodePageSupplement* sup, const char16_t*& src,
                         const char16_t* src_end, bool flush, ByteString& out, std::size_t& used) {
  if (sup == nullptr || sup->encodes.empty()) {
    return FeedFromUnicode(cnv, src, src_end, flush, out, used);
  }
  char bytes[2];
  for (;;) {
    const char16_t* p = src;
    std::size_t n = 0;
    while (p < src_end && (n = SupplementEncodeOf(*sup, *p, bytes)) == 0) ++p;
    if (p == src_end) return FeedFromUnicode(cnv, src, src_end, flush, out, used);
    if (!FeedFromUnicode(cnv, src, p, true, out, used)) return false;
    if (used + n > out.size()) out.resize(out.size() * 2 + 16);
    for (std::size_t i = 0; i < n; ++i) out[used++] = bytes[i];
    src = p + 1;
  }
}

// Units or bytes the converter holds back for want of the rest of a
// sequence.
int PendingFromUnicode(UConverter* cnv) {
  UErrorCode err = U_ZERO_ERROR;
  return ucnv_fromUCountPending(cnv, &err);
}
int PendingToUnicode(UConverter* cnv) {
  UErrorCode err = U_ZERO_ERROR;
  return ucnv_toUCountPending(cnv, &err);
}

// Each call into ICU costs about as much as a few hundred plain characters,
// so after this many detours the rest of the input goes to ICU in one call.
constexpr int kMaxDetours = 16;

}  // namespace

ByteString IcuEncode(const CodePageEntry& entry, UConverter* cnv, const Text& text) {
  ucnv_resetFromUnicode(cnv);
  const char16_t* src = text.data();
  const char16_t* const end = src + text.size();
  std::size_t used = 0;
  const CodePageSupplement* sup = FindSupplement(entry.cp);
  const FastCodecTable* table = FastCodecTableFor(entry);
  if (table == nullptr) {
    ByteString out((text.size() + 10) * ucnv_getMaxCharSize(cnv), '\0');
    if (!FeedFromUnicodeOver(cnv, sup, src, end, true, out, used)) return {};
    out.resize(used);
    return out;
  }
  // Two bytes per unit covers the table's pages, "?" included.
  ByteString out(text.size() * 2 + 16, '\0');
  int detours = 0;
  while (src < end) {
    FastProgress done = FastEncode(*table, src, end - src, out.data() + used);
    src += done.consumed;
    used += done.written;
    if (src == end) break;
    if (++detours > kMaxDetours) {
      if (!FeedFromUnicodeOver(cnv, sup, src, end, true, out, used)) return {};
      break;
    }
    // ICU takes the character the table does not know, and as many more
    // units as it holds back (the low half of a surrogate pair).
    const char16_t* stop = src + 1;
    do {
      if (!FeedFromUnicodeOver(cnv, sup, src, stop, stop == end, out, used)) return {};
      if (stop == end) break;
      ++stop;
    } while (PendingFromUnicode(cnv) > 0);
  }
  out.resize(used);
  return out;
}

Text IcuDecode(const CodePageEntry& entry, UConverter* cnv, const ByteString& bytes) {
  ucnv_resetToUnicode(cnv);
  const char* src = bytes.data();
  const char* const end = src + bytes.size();
  std::size_t used = 0;
  // One unit per byte is enough for every served page: a character takes at
  // least as many bytes as it has UTF-16 units, a bad sequence gives one unit.
  Text out(bytes.size() + 1, u'\0');
  const FastCodecTable* table = FastCodecTableFor(entry);
  if (table == nullptr) {
    if (!FeedToUnicode(cnv, src, end, true, out, used)) return {};
    out.resize(used);
    return out;
  }
  int detours = 0;
  while (src < end) {
    FastProgress done = FastDecode(*table, src, end - src, out.data() + used);
    src += done.consumed;
    used += done.written;
    if (src == end) break;
    if (++detours > kMaxDetours) {
      if (!FeedToUnicode(cnv, src, end, true, out, used)) return {};
      break;
    }
    // ICU takes the sequence the table does not know, then byte by byte
    // until it holds nothing back; from there on the table is exact again.
    const char* stop = src + 1;
    for (;;) {
      if (!FeedToUnicode(cnv, src, stop, stop == end, out, used)) return {};
      if (stop == end || PendingToUnicode(cnv) == 0) break;
      ++stop;
    }
  }
  out.resize(used);
  return out;
}

std::size_t IcuRestPoint(UConverter* cnv, std::string_view bytes) {
  ucnv_resetToUnicode(cnv);
  const char* src = bytes.data();
  Text out(bytes.size() + 1, u'\0');
  std::size_t used = 0;
  const bool fed = FeedToUnicode(cnv, src, src + bytes.size(), false, out, used);
  const int pending = PendingToUnicode(cnv);
  ucnv_resetToUnicode(cnv);
  if (!fed || pending < 0) return 0;
  return bytes.size() - static_cast<std::size_t>(pending);
}

}  // namespace tekvo
