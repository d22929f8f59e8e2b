#include "files/detect_encoding.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "engine/codepage/codepage.h"
#include "engine/codepage/codepage_registry.h"
#include "engine/codepage/windows_ids.h"
#include "engine/score/text_score.h"
#include "files/file_encoding.h"

namespace tekvo {
namespace {

constexpr std::size_t kJudgedBytes = 64 * 1024;

struct Named {
  CodePageId id;
  std::string_view name;
};

// In the order readings that give the same text keep.
constexpr std::array<Named, 11> kNamed = {{
    {CodePageId::kUtf8, "utf8"},
    {kCpGb18030, "gb18030"},
    {kCpBig5, "big5"},
    {kCpShiftJis, "shift-jis"},
    {kCpUhc, "euc-kr"},
    {kCpEucJp, "euc-jp"},
    {kCpWestern, "cp1252"},
    {kCpCyrillic, "cp1251"},
    {kCpKoi8R, "koi8-r"},
    {CodePageId::kUtf16Le, "utf16le"},
    {CodePageId::kUtf16Be, "utf16be"},
}};

// Pages another candidate reads the same for every text worth finding, or
// that are not a plain byte-per-character or multi-byte page.
bool Skipped(CodePageId cp) {
  switch (cp) {
    case kCpGbk:      // gb18030 reads all of it
    case kCpEucCn:    // a part of gb18030
    case kCpEucJpMs:  // the same table as 20932
    case kCpEucKr:    // EUC-KR proper, a part of 949
    case kCpAscii:    // which every page reads alike
    case kCpLatin1:   // differs from 1252 only in controls
    case kCpUtf7:
    case kCpUtf8:
      return true;
    default:
      return !IsCodePageStateless(cp);
  }
}

std::string_view NumberedName(CodePageId cp) {
  // The names outlive every call; the set of served pages is fixed.
  static const std::vector<std::string>* const names = [] {
    auto* list = new std::vector<std::string>;
    for (const CodePageEntry& e : ServedCodePages())
      list->push_back("cp" + std::to_string(ToInt(e.cp)));
    return list;
  }();
  const auto served = ServedCodePages();
  for (std::size_t i = 0; i < served.size(); ++i) {
    if (served[i].cp == cp) return (*names)[i];
  }
  return "cp";
}

Text Decode(std::string_view bytes, CodePageId id) {
  const ByteString b(bytes);
  if (id == CodePageId::kUtf16Le) return Utf16LeBytesToText(b);
  if (id == CodePageId::kUtf16Be) return Utf16LeBytesToText(SwapBytePairs(b));
  return CodePageBytesToText(b, id == CodePageId::kUtf8 ? kCpUtf8 : id);
}

bool IsBad(char16_t c) {
  // Escape starts the colour sequences of text made for a terminal, and is
  // the same byte in every page that could be wrong instead.
  if (c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r' || c == 0x1B) return false;
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFD;
}

// Units that show the reading is wrong. A sample cut off may end inside a
// character, so its last few units do not count.
std::size_t CountBad(const Text& text, bool cut) {
  std::size_t end = text.size();
  if (cut) end = end > 3 ? end - 3 : 0;
  std::size_t bad = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const char16_t c = text[i];
    if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
      ++i;
      continue;
    }
    if (IsBad(c) || U16_IS_SURROGATE(c)) ++bad;
  }
  return bad;
}

bool HasLongUtf8Sequence(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0xF0) >= 0xE0; });
}

// Real writing is mostly small letters; a single-byte Cyrillic page read as
// another swaps the cases (1251 and KOI8-R), which the score alone, blind to
// case in a word of one case, cannot see.
double CapitalsCost(const Text& text) {
  std::size_t upper = 0;
  std::size_t lower = 0;
  for (const char16_t c : text) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3A9) || (c >= 0x400 && c <= 0x42F)) {
      ++upper;
    } else if ((c >= u'a' && c <= u'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) ||
               (c >= 0x3B1 && c <= 0x3C9) || (c >= 0x430 && c <= 0x45F)) {
      ++lower;
    }
  }
  if (upper + lower < 4 || upper <= lower) return 0;
  return 0.3 * static_cast<double>(upper - lower) / static_cast<double>(upper + lower);
}

double Judge(std::string_view bytes, CodePageId id, bool named, bool cut) {
  const Text text = Decode(bytes, id);
  std::size_t bad = CountBad(text, cut);
  if ((id == CodePageId::kUtf16Le || id == CodePageId::kUtf16Be) && bytes.size() % 2 != 0 && !cut)
    ++bad;
  double score = ScoreTextDetail(text).value - CapitalsCost(text);
  // The rarer pages need clearer evidence to beat the common ones.
  if (!named) score -= 0.1;
  if (bad > 0) {
    // Below every clean reading, and the more damage the lower.
    score -= 2.0 + 2.0 * static_cast<double>(bad) / static_cast<double>(text.size() + 1);
  }
  if (id == CodePageId::kUtf8 && bad == 0 && IsMultiByteUtf8(bytes)) {
    // Three-byte sequences by chance are rare in other encodings; two-byte
    // ones are common in short GB, which must then win on its own merit.
    score += HasLongUtf8Sequence(bytes) ? 0.4 : 0.05;
  }
  return score;
}

}  // namespace

std::vector<EncodingReading> RankEncodings(std::string_view bytes) {
  auto starts = [bytes](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xEF\xBB\xBF")) return {{"utf8-bom", CodePageId::kUtf8, true, 1}};
  if (starts("\xFF\xFE")) return {{"utf16le-bom", CodePageId::kUtf16Le, true, 1}};
  if (starts("\xFE\xFF")) return {{"utf16be-bom", CodePageId::kUtf16Be, true, 1}};
  if (bytes.empty()) return {{"utf8", CodePageId::kUtf8, false, 0}};

  const bool cut = bytes.size() > kJudgedBytes;
  const std::string_view judged = bytes.substr(0, kJudgedBytes);
  std::vector<EncodingReading> readings;
  for (const Named& n : kNamed) readings.push_back({n.name, n.id, false, 0});
  for (const CodePageEntry& e : ServedCodePages()) {
    const bool named =
        std::any_of(kNamed.begin(), kNamed.end(), [&e](const Named& n) { return n.id == e.cp; });
    if (!named && !Skipped(e.cp)) readings.push_back({NumberedName(e.cp), e.cp, false, 0});
  }
  for (std::size_t i = 0; i < readings.size(); ++i) {
    // A hair for the order of the list, so that readings that give the same
    // text keep the common encoding first.
    readings[i].score =
        Judge(judged, readings[i].id, i < kNamed.size(), cut) - 1e-6 * static_cast<double>(i);
  }
  std::stable_sort(
      readings.begin(), readings.end(),
      [](const EncodingReading& a, const EncodingReading& b) { return a.score > b.score; });
  return readings;
}

Text DecodeReading(std::string_view bytes, const EncodingReading& reading) {
  if (reading.bom) bytes.remove_prefix(reading.id == CodePageId::kUtf8 ? 3 : 2);
  return Decode(bytes, reading.id);
}

}  // namespace tekvo
