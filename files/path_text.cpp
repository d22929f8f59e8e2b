#include "files/path_text.h"

#include <unicode/utf16.h>

#include <optional>
#include <string_view>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/score/text_score.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // lone surrogate for byte b: U+DC00 + b
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;
constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr char16_t kFirstPrivateUse = 0xE000;
constexpr char16_t kLastPrivateUse = 0xF8FF;

// Decodes valid UTF-8 as such and hands every other byte to `other`.
template <class Other>
Text DecodeWith(const std::string& path, Other other) {
  Text out;
  out.reserve(path.size() * 4);
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t n = Utf8SequenceAt(path, i);
    if (n == 0) {
      other(out, static_cast<unsigned char>(path[i]));
      ++i;
    } else {
      out += Utf8BytesToText(path.substr(i, n));
      i += n;
    }
  }
  return out;
}

// The text of `name` in code page `cp` when every byte decodes.
// A reading with no undecodable byte and no private-use character: Windows
// reads some bytes no character set assigns (Shift-JIS A0, FD-FF) as private
// use, which shows nothing readable.
std::optional<Text> StrictDecode(const std::string& name, CodePageId cp) {
  Text text = CodePageBytesToText(name, cp);
  if (text.empty() || text.find(kReplacementCharacter) != Text::npos) return std::nullopt;
  for (char16_t unit : text) {
    if (unit >= kFirstPrivateUse && unit <= kLastPrivateUse) return std::nullopt;
  }
  return text;
}

}  // namespace

Text LosslessPathText(const std::string& path) {
  return DecodeWith(path, [](Text& out, unsigned char b) {
    out.push_back(static_cast<char16_t>(kEscapeBase + b));
  });
}

std::string TextPath(const Text& text) {
  std::string out;
  out.reserve(text.size() * 3);
  std::size_t run = 0;  // start of the units not written yet
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool escape = i < text.size() && text[i] >= kFirstEscape && text[i] <= kLastEscape &&
                        (i == 0 || !U16_IS_LEAD(text[i - 1]));
    if (!escape && i < text.size()) continue;
    out += TextToUtf8Bytes(text.substr(run, i - run));
    if (escape) out.push_back(static_cast<char>(text[i] - kEscapeBase));
    run = i + 1;
  }
  return out;
}

Text PathText(const std::string& path) {
  return DecodeWith(path, [](Text& out, unsigned char b) {
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u"\\x";
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0x0F]);
  });
}

Text ShownPath(const Text& lossless) { return PathText(TextPath(lossless)); }

Text ReadableFileName(const std::string& name) {
  if (IsValidUtf8(name)) return Utf8BytesToText(name);
  std::optional<Text> gb = StrictDecode(name, kCpGbk);
  std::optional<Text> sjis = StrictDecode(name, kCpShiftJis);
  if (gb && (!sjis || ScoreText(*gb) >= ScoreText(*sjis))) return *gb + u" [GB]";
  if (sjis) return *sjis + u" [Shift-JIS]";
  return PathText(name);
}

}  // namespace tekvo
