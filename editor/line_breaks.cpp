#include "editor/line_breaks.h"

namespace tekvo {
namespace {

// Length of the line break that starts at `i`, 0 when none does.
std::size_t LineBreakAt(const Text& text, std::size_t i) {
  const char16_t c = text[i];
  if (c == kCr) return (i + 1 < text.size() && text[i + 1] == kLf) ? 2 : 1;
  if (c == kLf || c == kParagraphSeparator) return 1;
  return 0;
}

}  // namespace

Text CrLfToCr(const Text& text) {
  Text out(text);
  std::size_t w = 0;
  for (std::size_t r = 0; r < out.size(); ++r) {
    out[w++] = out[r];
    if (out[r] == kCr && r + 1 < out.size() && out[r + 1] == kLf) ++r;
  }
  out.resize(w);
  return out;
}

Text CrToCrLf(const Text& text) {
  std::size_t extra = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCr && (i + 1 >= text.size() || text[i + 1] != kLf)) ++extra;
  }
  Text out;
  out.reserve(text.size() + extra);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == kCr && (i + 1 >= text.size() || text[i + 1] != kLf)) out.push_back(kLf);
  }
  return out;
}

Text UnifyLineBreaks(const Text& text, const Text& line_break) {
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = LineBreakAt(text, i);
    if (n > 0) {
      ++breaks;
      i += n - 1;
    }
  }
  Text out;
  out.reserve(text.size() + breaks * line_break.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = LineBreakAt(text, i);
    if (n == 0) {
      out.push_back(text[i]);
    } else {
      out.append(line_break);
      i += n - 1;
    }
  }
  return out;
}

std::size_t BoxFormLength(const Text& text) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // The widget also starts a new block at its frame markers.
    if (text[i] == kFrameStart || text[i] == kFrameEnd) {
      length += 2;
      continue;
    }
    const std::size_t n = LineBreakAt(text, i);
    if (n == 0) {
      ++length;
    } else {
      length += 2;
      i += n - 1;
    }
  }
  return length;
}

}  // namespace tekvo
