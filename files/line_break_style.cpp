#include "files/line_break_style.h"

#include <cstddef>

namespace tekvo {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

}  // namespace

LineBreakStyle DetectLineBreakStyle(const Text& text) {
  std::size_t crlf = 0;
  std::size_t lf = 0;
  std::size_t cr = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCr) {
      if (i + 1 < text.size() && text[i + 1] == kLf) {
        ++crlf;
        ++i;
      } else {
        ++cr;
      }
    } else if (text[i] == kLf) {
      ++lf;
    }
  }
  if (crlf >= lf && crlf >= cr) return LineBreakStyle::kCrLf;
  return lf >= cr ? LineBreakStyle::kLf : LineBreakStyle::kCr;
}

Text ApplyLineBreakStyle(const Text& text, LineBreakStyle style) {
  const Text line_break = style == LineBreakStyle::kCrLf ? Text(u"\r\n")
                          : style == LineBreakStyle::kLf ? Text(u"\n")
                                                         : Text(u"\r");
  Text out;
  // At most two units for each unit of the input.
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kCr) {
      if (i + 1 < text.size() && text[i + 1] == kLf) ++i;
      out += line_break;
    } else if (text[i] == kLf) {
      out += line_break;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

Text LineBreakStyleName(LineBreakStyle style) {
  switch (style) {
    case LineBreakStyle::kLf:
      return u"LF";
    case LineBreakStyle::kCr:
      return u"CR";
    default:
      return u"CR LF";
  }
}

}  // namespace tekvo
