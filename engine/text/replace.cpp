#include "engine/text/replace.h"

namespace tekvo {

Text ReplaceAll(const Text& text, std::u16string_view from, std::u16string_view to) {
  if (from.empty() || text.size() < from.size()) return text;
  const std::u16string_view whole(text);
  std::size_t hits = 0;
  for (std::size_t at = whole.find(from); at != std::u16string_view::npos;
       at = whole.find(from, at + from.size())) {
    ++hits;
  }
  if (hits == 0) return text;

  Text out;
  out.reserve(text.size() - hits * from.size() + hits * to.size());
  std::size_t done = 0;
  for (std::size_t at = whole.find(from); at != std::u16string_view::npos;
       at = whole.find(from, at + from.size())) {
    out.append(whole.substr(done, at - done));
    out.append(to);
    done = at + from.size();
  }
  out.append(whole.substr(done));
  return out;
}

}  // namespace tekvo
