#include "engine/repair/half_char.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"

namespace tekvo {
namespace {

Converted Unchanged(const Text& text) { return Converted{text, false}; }

}  // namespace

ByteString HalfCharShifter::Encode(const Text& text) const {
  if (IsLcid(id_)) return TextToLocaleBytes(text, id_).value_or(ByteString());
  // Both byte orders give the same repair: the cut drops one byte of the
  // text's own little-endian form, which realigns either way.
  return TextToUtf16LeBytes(text);
}

void HalfCharShifter::Add(const Text& piece, bool last, Text& out) {
  ByteString bytes = std::move(pending_);
  std::size_t from = 0;
  if (seen_ < pos_) {
    from = std::min(piece.size(), pos_ - seen_);
    bytes += Encode(piece.substr(0, from));
  }
  if (from < piece.size() && seen_ + from == pos_) {
    // A blank marks the cut; the text after it loses its first byte.
    bytes += Encode(u" ");
    bytes += Encode(piece.substr(from)).substr(1);
  } else if (from < piece.size()) {
    bytes += Encode(piece.substr(from));
  }
  seen_ += piece.size();

  // Decode as far as the decoder is at rest: whole UTF-16 units, whole
  // characters of the ANSI page.
  std::size_t n = bytes.size();
  if (!last && IsLcid(id_)) {
    n = CodePageRestPoint(bytes, LocaleCodePage(id_).value_or(kCpAnsi));
  } else if (!last) {
    n -= n % 2;
  }
  pending_ = bytes.substr(n);
  bytes.resize(n);
  Text decoded =
      IsLcid(id_) ? LocaleBytesToText(bytes, id_).value_or(Text()) : Utf16LeBytesToText(bytes);
  std::erase(decoded, u'\0');
  out += decoded;
}

Converted ShiftHalfCharacter(const Text& text, std::int32_t pos, LocaleId id, std::size_t max_len) {
  if (pos < 0 || static_cast<std::size_t>(pos) >= text.size()) return Unchanged(text);
  if (IsLcid(id) ? !LocaleCodePage(id) : id != kIdUtf16Be && id != kIdUtf16Le) {
    return Unchanged(text);
  }
  HalfCharShifter shifter(static_cast<std::size_t>(pos), id);
  Text result;
  shifter.Add(text, true, result);
  if (result.size() > max_len) return Converted{text, true};
  return Converted{std::move(result), false};
}

}  // namespace tekvo
