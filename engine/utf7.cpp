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

// Bytes of a run are put into Base64 in whole groups of three as they
// come, a few thousand at a time, so a run of any length costs little
// memory; its end writes what is left (two or three characters) and "-".
constexpr std::size_t kRunBytes = 3 * 1024;

void Utf7Writer::Add(std::u16string_view piece, bool last, Text& out) {
  ByteString run = std::move(waiting_);
  auto put_whole_groups = [&] {
    const std::size_t whole = run.size() / 3 * 3;
    out += BytesToBase64(run.substr(0, whole));
    run.erase(0, whole);
  };
  auto end_run = [&] {
    if (!in_run_) return;
    out += BytesToBase64(run);
    out.push_back(u'-');
    run.clear();
    in_run_ = false;
  };
  out.reserve(out.size() + piece.size() * 3 + 8);
  for (const char16_t c : piece) {
    if (IsDirect(c)) {
      end_run();
      out.push_back(c);
      if (c == u'+') out.push_back(u'-');
    } else {
      if (!in_run_) {
        out.push_back(u'+');
        in_run_ = true;
      }
      run.push_back(static_cast<char>(c >> 8));
      run.push_back(static_cast<char>(c & 0xFF));
      if (run.size() >= kRunBytes) put_whole_groups();
    }
  }
  if (last) {
    end_run();
  } else {
    put_whole_groups();
  }
  waiting_ = std::move(run);
}

Converted EncodeUtf7(const Text& text, std::size_t max_len) {
  if (text.empty()) return {};
  if (text.size() > EncoderInputLimit(max_len, 5)) return {text, true};
  Text out;
  Utf7Writer writer;
  writer.Add(text, true, out);
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
