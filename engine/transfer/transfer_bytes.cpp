#include "engine/transfer/transfer_bytes.h"

#include <algorithm>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"

namespace tekvo {

namespace {}  // namespace

Text WithCrLfBreaks(const Text& text) {
  if (text.find(u'\n') != Text::npos) return text;
  const auto crs = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r'));
  if (crs == 0) return text;
  Text out(text.size() + crs, u'\0');
  std::size_t w = 0;
  for (char16_t c : text) {
    out[w++] = c;
    if (c == u'\r') out[w++] = u'\n';
  }
  return out;
}

std::optional<ByteString> ComposeTextBytes(const Text& text, ComposeBytes which) {
  if (which == ComposeBytes::kUtf8) return TextToUtf8Bytes(text);
  return TextToLocaleBytes(text, kLcidChinesePrc);
}

std::optional<Text> LanguageBytesToText(const ByteString& bytes, LocaleId language) {
  if (IsLcid(language)) return LocaleBytesToText(bytes, language);
  if (language == kIdUtf8) return Utf8BytesToText(bytes);
  return std::nullopt;
}

void RemoveNuls(Text& text) { std::erase(text, u'\0'); }

}  // namespace tekvo
