#include "engine/utf7.h"

#include <string_view>
#include <utility>

#include "engine/base64.h"
#include "engine/transfer_bytes.h"

namespace tekvo {

namespace {

bool IsDirect(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 32 && c <= 126);
}

bool IsBase64Char(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'+' || c == u'/';
}

}  // namespace

Converted EncodeUtf7(const Text& text, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 5)) return {text, true};
  // A lone non-direct unit costs 5 ("+Ti0-"); a run of k costs 2 + ceil(16k/6)
  // <= 3k + 3 for k >= 2; "+" costs 2. So 4 per unit plus 3 always fits.
  Text out(text.size() * 4 + 3, u'\0');
  std::size_t w = 0;
  ByteString run;
  run.reserve(text.size() * 2);

  auto flush = [&] {
    if (run.empty()) return;
    const Text b64 = BytesToBase64(run);
    out[w++] = u'+';
    for (char16_t c : b64) out[w++] = c;
    out[w++] = u'-';
    run.clear();
  };

  for (const char16_t c : text) {
    if (IsDirect(c)) {
      flush();
      out[w++] = c;
      if (c == u'+') out[w++] = u'-';
    } else {
      run.push_back(static_cast<char>(c >> 8));
      run.push_back(static_cast<char>(c & 0xFF));
    }
  }
  flush();
  out.resize(w);
  return {std::move(out), false};
}

Text DecodeUtf7(const Text& text) {
  if (text.empty()) return text;
  const std::u16string_view s(text);
  Text work = text;
  std::size_t w = 0;
  std::size_t r = 0;
  while (r < s.size()) {
    const std::size_t plus = s.find(u'+', r);
    if (plus == std::u16string_view::npos) {
      while (r < s.size()) work[w++] = s[r++];
      break;
    }
    while (r < plus) work[w++] = s[r++];
    std::size_t end = plus + 1;
    while (end < s.size() && IsBase64Char(s[end])) ++end;
    const std::size_t len = end - plus - 1;
    if (len >= 3) {
      // Big-endian units: high byte first. An odd last byte is dropped.
      const ByteString bytes = Base64ToBytes(s.substr(plus + 1, len), Base64Alphabet::kStandard);
      for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        work[w++] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                          static_cast<unsigned char>(bytes[i + 1]));
      }
      r = end;
      if (r < s.size() && s[r] == u'-') ++r;
    } else if (len > 0) {
      while (r < end) work[w++] = s[r++];
    } else {
      work[w++] = u'+';
      r = end;
      if (r < s.size() && s[r] == u'-') ++r;
    }
  }
  work.resize(w);
  RemoveNuls(work);
  return work;
}

}  // namespace tekvo
