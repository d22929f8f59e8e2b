#include "engine/half_char.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/codepage.h"

namespace tekvo {
namespace {

Converted Unchanged(const Text& text) { return Converted{text, false}; }

}  // namespace

Converted ShiftHalfCharacter(const Text& text, std::int32_t pos, LocaleId id, std::size_t max_len) {
  if (pos < 0 || static_cast<std::size_t>(pos) >= text.size()) {
    return Unchanged(text);
  }
  const std::size_t cut = static_cast<std::size_t>(pos);

  Text head;
  head.reserve(cut + 1);
  head.assign(text, 0, cut);
  head.push_back(u' ');
  const Text tail(text, cut);

  ByteString joined;
  Text result;
  if (id >= 1) {
    std::optional<ByteString> head_bytes = TextToLocaleBytes(head, id);
    std::optional<ByteString> tail_bytes = TextToLocaleBytes(tail, id);
    if (!head_bytes || !tail_bytes) return Unchanged(text);
    joined.reserve(head_bytes->size() + tail_bytes->size());
    joined.append(*head_bytes);
    if (!tail_bytes->empty()) joined.append(*tail_bytes, 1);
    std::optional<Text> decoded = LocaleBytesToText(joined, id);
    if (!decoded) return Unchanged(text);
    result = std::move(*decoded);
  } else if (id == kIdUtf16Be || id == kIdUtf16Le) {
    // Both byte orders give the same repair: the cut drops one byte of the
    // text's own little-endian form, which realigns either way.
    const ByteString head_bytes = TextToUtf16LeBytes(head);
    const ByteString tail_bytes = TextToUtf16LeBytes(tail);
    joined.reserve(head_bytes.size() + tail_bytes.size());
    joined.append(head_bytes);
    if (!tail_bytes.empty()) joined.append(tail_bytes, 1);
    result = Utf16LeBytesToText(joined);
  } else {
    return Unchanged(text);
  }

  result.erase(std::remove(result.begin(), result.end(), u'\0'), result.end());
  if (result.size() > max_len) return Converted{text, true};
  return Converted{std::move(result), false};
}

}  // namespace tekvo
