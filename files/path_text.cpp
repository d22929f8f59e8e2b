#include "files/path_text.h"

#include <unicode/utf16.h>

#include <array>
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
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr std::u16string_view kByteEscape = u"\\x";

struct TaggedReading {
  NameReading reading;
  CodePageId cp;
  std::u16string_view tag;
};
constexpr std::array<TaggedReading, 2> kTaggedReadings = {{
    {NameReading::kGb, kCpGbk, u" [GB]"},
    {NameReading::kShiftJis, kCpShiftJis, u" [Shift-JIS]"},
}};

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

Text EscapedText(const std::string& bytes) {
  return DecodeWith(bytes, [](Text& out, unsigned char b) {
    out += kByteEscape;
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0x0F]);
  });
}

// The bytes of EscapedText: "\xHH" (upper-case digits, as written there)
// becomes its byte, everything else its UTF-8.
std::string UnescapedBytes(const Text& shown) {
  const std::u16string_view digits(kHexDigits);
  std::string out;
  std::size_t run = 0;  // start of the text not written yet
  for (std::size_t i = 0; i + 4 <= shown.size(); ++i) {
    if (shown.compare(i, kByteEscape.size(), kByteEscape) != 0) continue;
    const std::size_t high = digits.find(shown[i + 2]);
    const std::size_t low = digits.find(shown[i + 3]);
    if (high == std::u16string_view::npos || low == std::u16string_view::npos) continue;
    out += TextPath(shown.substr(run, i - run));
    out.push_back(static_cast<char>(high << 4 | low));
    run = i + 4;
    i += 3;
  }
  return out + TextPath(shown.substr(run));
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

std::u16string_view TagOf(NameReading reading) {
  for (const TaggedReading& t : kTaggedReadings) {
    if (t.reading == reading) return t.tag;
  }
  return {};
}

// Applies `name_to` to each name between the "/" of `path`.
template <class Out, class In, class NameTo>
Out EachName(const In& path, typename In::value_type slash, NameTo name_to) {
  Out out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(slash, start);
    out += name_to(path.substr(start, end == In::npos ? In::npos : end - start));
    if (end == In::npos) return out;
    out.push_back(static_cast<typename Out::value_type>(slash));
    start = end + 1;
  }
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

NameReading ReadingOf(const std::string& name) {
  if (IsValidUtf8(name)) return NameReading::kUtf8;
  std::optional<Text> gb = StrictDecode(name, kCpGbk);
  std::optional<Text> sjis = StrictDecode(name, kCpShiftJis);
  if (gb && (!sjis || ScoreText(*gb) >= ScoreText(*sjis))) return NameReading::kGb;
  if (sjis) return NameReading::kShiftJis;
  return NameReading::kEscaped;
}

Text ShowNameAs(const std::string& bytes, NameReading reading) {
  for (const TaggedReading& t : kTaggedReadings) {
    if (t.reading != reading) continue;
    if (std::optional<Text> text = StrictDecode(bytes, t.cp)) return *text;
  }
  return EscapedText(bytes);
}

Text ReadableFileName(const std::string& name) {
  const NameReading reading = ReadingOf(name);
  return ShowNameAs(name, reading) + Text(TagOf(reading));
}

std::string BytesOfReadableName(const Text& shown) {
  for (const TaggedReading& t : kTaggedReadings) {
    if (!shown.ends_with(t.tag)) continue;
    const std::string bytes =
        TextToCodePageBytes(shown.substr(0, shown.size() - t.tag.size()), t.cp);
    if (!bytes.empty() && ReadableFileName(bytes) == shown) return bytes;
  }
  if (shown.find(kByteEscape) != Text::npos) {
    const std::string bytes = UnescapedBytes(shown);
    if (ReadableFileName(bytes) == shown) return bytes;
  }
  return TextPath(shown);
}

Text PathText(const std::string& path) {
  return EachName<Text>(path, '/', [](const std::string& name) { return ReadableFileName(name); });
}

Text ShownPath(const Text& lossless) { return PathText(TextPath(lossless)); }

std::string BytesOfReadablePath(const Text& shown) {
  return EachName<std::string>(shown, u'/',
                               [](const Text& name) { return BytesOfReadableName(name); });
}

}  // namespace tekvo
