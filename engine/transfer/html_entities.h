// HTML named character entities and the line-breaking tags that web text
// carries into the editor.
//
// The entities are the 252 character entity references of HTML 4.01, each
// decoded to its code; the tags "<hr>", "<br>", "<p>", "</p>", "<div>" and
// "</div>" (in any letter case, without attributes or a closing slash) become
// a CR LF line break.
#ifndef TEKVO_ENGINE_TRANSFER_HTML_ENTITIES_H_
#define TEKVO_ENGINE_TRANSFER_HTML_ENTITIES_H_

#include <cstddef>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

// One recognised entity or tag: how many input units it covers and what it
// stands for (one character, or CR LF for a tag).
struct HtmlMarkup {
  std::size_t length = 0;  // 0 when nothing was recognised
  char16_t out[2] = {};
  std::size_t out_length = 0;
};

// Recognises an entity ("&" + name + ";", name case-sensitive and followed by
// the ";") or one of the six tags starting at `pos` of `text`. Returns a
// markup of length 0 when neither starts there. Every match is longer than
// what it stands for.
HtmlMarkup MatchHtmlMarkup(std::u16string_view text, std::size_t pos);

// Replaces every entity and tag of `text` in one left-to-right scan. What a
// replacement produces is never looked at again, so "&amp;lt;" gives "&lt;".
// Anything else, including unknown names, "&nbsp" without ";" and "<br/>",
// stays as it is. Never fails.
Text DecodeNamedEntities(const Text& text);

// The code of an entity name ("amp" -> 38), or 0 when the name is not one of
// the 252.
char16_t HtmlEntityCode(std::u16string_view name);

// The number of entities in the table (252).
std::size_t HtmlEntityCount();

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_HTML_ENTITIES_H_
