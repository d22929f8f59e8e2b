#include "cli/stream/input_transcoder.h"

#include <algorithm>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"

namespace tekvo::cli {
namespace {

bool IsUtf16(FileEncoding e) {
  return e == FileEncoding::kUnicode || e == FileEncoding::kUnicodeNoBom ||
         e == FileEncoding::kUnicodeBe || e == FileEncoding::kUnicodeBeNoBom;
}

}  // namespace

std::size_t InputTranscoder::Decodable(bool at_end) const {
  if (at_end) return pending_.size();
  if (IsUtf16(requested_)) return pending_.size() / 2 * 2;
  const LocaleId lcid = requested_ == FileEncoding::kAnsiEng ? kLcidEnglishUs : kLcidChinesePrc;
  return CodePageRestPoint(pending_, LocaleCodePage(lcid).value_or(kCpAnsi));
}

void InputTranscoder::AddReading(std::string_view raw, bool at_end, ByteString& out) {
  if (!started_) {
    started_ = true;
    mark_left_ = reading_->bom ? (reading_->id == CodePageId::kUtf8 ? 3 : 2) : 0;
    out += "\xEF\xBB\xBF";
  }
  const std::size_t dropped = std::min(mark_left_, raw.size());
  mark_left_ -= dropped;
  pending_ += raw.substr(dropped);
  const CodePageId id = reading_->id;
  std::size_t n = pending_.size();
  if (!at_end && (id == CodePageId::kUtf16Le || id == CodePageId::kUtf16Be)) n = n / 2 * 2;
  if (!at_end && id != CodePageId::kUtf16Le && id != CodePageId::kUtf16Be) {
    n = CodePageRestPoint(pending_, id == CodePageId::kUtf8 ? kCpUtf8 : id);
  }
  if (n == 0) return;
  const ByteString piece = pending_.substr(0, n);
  pending_.erase(0, n);
  Text text;
  if (id == CodePageId::kUtf16Le) {
    text = Utf16LeBytesToText(piece);
  } else if (id == CodePageId::kUtf16Be) {
    text = Utf16LeBytesToText(SwapBytePairs(piece));
  } else {
    text = CodePageBytesToText(piece, id == CodePageId::kUtf8 ? kCpUtf8 : id);
  }
  out += TextToUtf8Bytes(text);
}

void InputTranscoder::Add(std::string_view raw, bool at_end, ByteString& out) {
  if (reading_) return AddReading(raw, at_end, out);
  pending_ += raw;
  const std::size_t n = Decodable(at_end);
  if (n == 0) return;
  const ByteString piece = pending_.substr(0, n);
  pending_.erase(0, n);
  Text text;
  switch (requested_) {
    case FileEncoding::kUnicode:
    case FileEncoding::kUnicodeNoBom:
      text = Utf16LeBytesToText(piece);
      break;
    case FileEncoding::kUnicodeBe:
    case FileEncoding::kUnicodeBeNoBom:
      text = Utf16LeBytesToText(SwapBytePairs(piece));
      break;
    default:
      text = LocaleBytesToText(
                 piece, requested_ == FileEncoding::kAnsiEng ? kLcidEnglishUs : kLcidChinesePrc)
                 .value_or(Text());
      break;
  }
  out += TextToUtf8Bytes(text);
}

}  // namespace tekvo::cli
