#include "files/file_encoding.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/score/text_score.h"
#include "engine/text/utf8_sequence.h"

namespace tekvo {
namespace {

constexpr char16_t kBom = u'\uFEFF';
// What the code page bridge makes of a byte sequence the page lacks.
constexpr char16_t kReplacementCharacter = u'\uFFFD';

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() && bytes.compare(0, prefix.size(), prefix) == 0;
}

// Offset of `pattern` starting at an even offset, or npos.
bool HasAtEvenOffset(std::string_view bytes, std::string_view pattern) {
  for (std::size_t pos = bytes.find(pattern); pos != std::string_view::npos;
       pos = bytes.find(pattern, pos + 1)) {
    if (pos % 2 == 0) return true;
  }
  return false;
}

std::optional<LocaleId> AnsiLocaleOf(FileEncoding e) {
  if (e == FileEncoding::kAnsiGb) return kLcidChinesePrc;
  if (e == FileEncoding::kAnsiEng) return kLcidEnglishUs;
  return std::nullopt;
}

// Splits UTF-16 into code points; a lone surrogate is a code point of its own.
std::vector<char32_t> CodePoints(const Text& text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (U16_IS_LEAD(u) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
      out.push_back(U16_GET_SUPPLEMENTARY(u, text[i + 1]));
      ++i;
    } else {
      out.push_back(u);
    }
  }
  return out;
}

// Short GB text is often valid UTF-8 as well: "小说" in GB (D0 A1 CB B5) is
// also "С˵" in UTF-8. GB pairs fall into UTF-8 as two-byte sequences; a
// three- or four-byte sequence (every CJK character, curly quotes, dashes)
// almost never forms by accident, so only text of two-byte sequences is in
// doubt. There the reading that looks more like writing wins; a tie stays
// with UTF-8. `bytes` must be valid UTF-8.
bool ReadsBetterAsGb(std::string_view bytes) {
  constexpr unsigned char kFirstLongLead = 0xE0;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= kFirstLongLead) return false;
  }
  const ByteString raw(bytes);
  std::optional<Text> gb = LocaleBytesToText(raw, kLcidChinesePrc);
  if (!gb || gb->find(kReplacementCharacter) != Text::npos) return false;
  return ScoreText(*gb) > ScoreText(Utf8BytesToText(raw));
}

Text FromCodePoint(char32_t cp) {
  if (cp < 0x10000) return Text(1, static_cast<char16_t>(cp));
  return Text{U16_LEAD(cp), U16_TRAIL(cp)};
}

}  // namespace

bool IsConcreteEncoding(FileEncoding e) { return ToInt(e) >= 1 && ToInt(e) <= 8; }

Text EncodingName(FileEncoding e) {
  switch (e) {
    case FileEncoding::kAnsiGb:
      return u"ANSI GB";
    case FileEncoding::kUnicode:
      return u"Unicode";
    case FileEncoding::kUnicodeBe:
      return u"Unicode BE";
    case FileEncoding::kUtf8:
      return u"UTF-8";
    case FileEncoding::kUnicodeNoBom:
      return u"Unicode (No BOM)";
    case FileEncoding::kUnicodeBeNoBom:
      return u"Unicode BE (No BOM)";
    case FileEncoding::kUtf8NoBom:
      return u"UTF-8 (No BOM)";
    case FileEncoding::kAnsiEng:
      return u"ANSI Eng";
    default:
      return Text();
  }
}

bool IsMultiByteUtf8(std::string_view bytes) {
  bool multi = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = Utf8SequenceAt(bytes, i);
    if (len == 0) return false;
    multi = multi || len > 1;
    i += len;
  }
  return multi;
}

FileEncoding DetectFileEncoding(std::string_view b) {
  using namespace std::string_view_literals;
  const std::size_t n = b.size();
  if (n < 2) return FileEncoding::kAnsiGb;
  if (StartsWith(b, "\xFF\xFE"sv)) return FileEncoding::kUnicode;
  if (StartsWith(b, "\xFE\xFF"sv)) return FileEncoding::kUnicodeBe;
  if (StartsWith(b, "\xEF\xBB\xBF"sv)) return FileEncoding::kUtf8;
  if (HasAtEvenOffset(b, "\x0D\x00\x0A\x00"sv)) return FileEncoding::kUnicodeNoBom;
  if (HasAtEvenOffset(b, "\x00\x0D\x00\x0A"sv)) return FileEncoding::kUnicodeBeNoBom;
  // A zero byte among the last two does not count: an ANSI file may end in a
  // stray NUL written by some tools.
  std::size_t zero = b.find('\0');
  if (zero != std::string_view::npos && n >= 3 && zero <= n - 3) {
    return zero % 2 == 1 ? FileEncoding::kUnicodeNoBom : FileEncoding::kUnicodeBeNoBom;
  }
  // Nearly every text file on Linux is UTF-8 without a mark; GB bytes seldom
  // form valid UTF-8 by accident, and when they do, they read as nonsense.
  if (IsMultiByteUtf8(b) && !ReadsBetterAsGb(b)) return FileEncoding::kUtf8NoBom;
  return FileEncoding::kAnsiGb;
}

FileEncoding ResolveFileEncoding(FileEncoding requested, FileEncoding detected) {
  const int r = ToInt(requested);
  const int d = ToInt(detected);
  if (r == 1 || r == 8) return requested;
  if (r >= 2 && r <= 4) return d == r ? requested : ToFileEncoding(r + 3);
  if (r >= 5 && r <= 7) return d == r - 3 ? ToFileEncoding(r - 3) : requested;
  return detected;
}

std::optional<Text> DecodeFileBytes(std::string_view bytes, FileEncoding used,
                                    FileEncoding detected) {
  const ByteString raw(bytes);
  Text text;
  switch (used) {
    case FileEncoding::kUnicode:
    case FileEncoding::kUnicodeNoBom:
      text = Utf16LeBytesToText(raw);
      break;
    case FileEncoding::kUnicodeBe:
    case FileEncoding::kUnicodeBeNoBom:
      text = Utf16LeBytesToText(SwapBytePairs(raw));
      break;
    case FileEncoding::kUtf8:
    case FileEncoding::kUtf8NoBom:
      text = Utf8BytesToText(raw);
      break;
    default: {
      std::optional<Text> decoded =
          LocaleBytesToText(raw, used == FileEncoding::kAnsiEng ? kLcidEnglishUs : kLcidChinesePrc);
      if (!decoded) return std::nullopt;
      text = std::move(*decoded);
      break;
    }
  }
  const int u = ToInt(used);
  if (u >= 2 && u <= 4 && used == detected && !text.empty() && text.front() == kBom) {
    text.erase(0, 1);
  }
  text.erase(std::remove(text.begin(), text.end(), u'\0'), text.end());
  return text;
}

std::optional<ByteString> EncodeFileText(const Text& text, FileEncoding e) {
  if (std::optional<LocaleId> lcid = AnsiLocaleOf(e)) return TextToLocaleBytes(text, *lcid);
  const int v = ToInt(e);
  const bool with_mark = !(v >= 5 && v <= 7);
  Text marked;
  if (with_mark) {
    marked.reserve(text.size() + 1);
    marked.push_back(kBom);
    marked.append(text);
  }
  const Text& source = with_mark ? marked : text;
  switch (e) {
    case FileEncoding::kUnicodeBe:
    case FileEncoding::kUnicodeBeNoBom:
      return SwapBytePairs(TextToUtf16LeBytes(source));
    case FileEncoding::kUtf8:
    case FileEncoding::kUtf8NoBom:
      return TextToUtf8Bytes(source);
    default:
      return TextToUtf16LeBytes(source);
  }
}

std::optional<ByteString> EncodeFileTextPiece(const Text& piece, FileEncoding e, bool first) {
  if (first) return EncodeFileText(piece, e);
  switch (e) {
    case FileEncoding::kUnicodeBe:
      return EncodeFileText(piece, FileEncoding::kUnicodeBeNoBom);
    case FileEncoding::kUtf8:
      return EncodeFileText(piece, FileEncoding::kUtf8NoBom);
    case FileEncoding::kAnsiGb:
    case FileEncoding::kAnsiEng:
    case FileEncoding::kUnicodeNoBom:
    case FileEncoding::kUnicodeBeNoBom:
    case FileEncoding::kUtf8NoBom:
      return EncodeFileText(piece, e);
    default:  // kUnicode, and what encodes as it
      return EncodeFileText(piece, FileEncoding::kUnicodeNoBom);
  }
}

std::size_t CountUnmappableCharacters(const Text& text, FileEncoding e) {
  std::optional<LocaleId> lcid = AnsiLocaleOf(e);
  if (!lcid || text.empty()) return 0;
  std::optional<ByteString> bytes = TextToLocaleBytes(text, *lcid);
  std::optional<Text> back = bytes ? LocaleBytesToText(*bytes, *lcid) : std::nullopt;
  const std::vector<char32_t> original = CodePoints(text);
  if (back) {
    const std::vector<char32_t> again = CodePoints(*back);
    // The converters write one substitute per code point, so the two line up;
    // when they do not, fall back to checking each character alone.
    if (again.size() == original.size()) {
      std::size_t lost = 0;
      for (std::size_t i = 0; i < original.size(); ++i) lost += original[i] != again[i];
      return lost;
    }
  }
  std::size_t lost = 0;
  for (char32_t cp : original) {
    Text one = FromCodePoint(cp);
    std::optional<ByteString> b = TextToLocaleBytes(one, *lcid);
    std::optional<Text> t = b ? LocaleBytesToText(*b, *lcid) : std::nullopt;
    lost += !t || *t != one;
  }
  return lost;
}

}  // namespace tekvo
