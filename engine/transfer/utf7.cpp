#include "engine/transfer/utf7.h"

#include <string_view>
#include <utility>

#include "engine/transfer/base64.h"
#include "engine/transfer/transfer_bytes.h"

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

bool Utf7Reader::EndRun(Text& out) {
  in_run_ = false;
  if (run_chars_ == 0) {
    out.push_back(u'+');
    return true;
  }
  if (run_chars_ < 3) {
    out.push_back(u'+');
    out.append(first_chars_, run_chars_);
    return false;
  }
  return true;
}

void Utf7Reader::Add(std::u16string_view piece, bool last, Text& out) {
  out.reserve(out.size() + piece.size() + 2);
  for (const char16_t c : piece) {
    if (in_run_) {
      if (IsBase64Char(c)) {
        if (run_chars_ < 2) first_chars_[run_chars_] = c;
        ++run_chars_;
        // Big-endian units: high byte first. Leftover bits are dropped.
        bits_ =
            bits_ << 6 | static_cast<std::uint32_t>(Base64CharValue(c, Base64Alphabet::kStandard));
        bit_count_ += 6;
        if (bit_count_ >= 16) {
          bit_count_ -= 16;
          const auto unit = static_cast<char16_t>(bits_ >> bit_count_);
          if (unit != 0) out.push_back(unit);
          bits_ &= (std::uint32_t{1} << bit_count_) - 1;
        }
        continue;
      }
      if (EndRun(out) && c == u'-') continue;
    }
    if (c == u'+') {
      in_run_ = true;
      run_chars_ = 0;
      bits_ = 0;
      bit_count_ = 0;
    } else if (c != 0) {
      out.push_back(c);
    }
  }
  if (last && in_run_) EndRun(out);
}

Text DecodeUtf7(const Text& text) {
  if (text.empty()) return text;
  Text out;
  Utf7Reader reader;
  reader.Add(text, true, out);
  return out;
}

}  // namespace tekvo
