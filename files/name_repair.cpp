#include "files/name_repair.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/score/text_score.h"
#include "files/path_text.h"

namespace tekvo {
namespace {

// Measured on about 1,150 clean names cut from Chinese, Japanese, Korean,
// Russian and English prose plus accented Latin, Greek and emoji controls, and
// the same CJK names garbled every way this unit undoes: no clean name was
// renamed even at a floor of 0.3 and no gain required, because a clean name
// seldom has a reading at all. The floors sit well above that; raising them
// further only misses more short garbled names.
// A name that is not UTF-8 is broken whatever we do, so its reading only has
// to read as text at all.
constexpr double kMinScoreOfBytesReading = 0.3;
// A UTF-8 name is only renamed when its reading reads well and clearly better.
constexpr double kMinScoreOfReading = 0.5;
constexpr double kMinGain = 0.3;

constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr char16_t kFirstPrivateUse = 0xE000;
constexpr char16_t kLastPrivateUse = 0xF8FF;
constexpr char16_t kFirstC1Control = 0x80;
constexpr char16_t kLastC1Control = 0x9F;

struct LegacyPage {
  CodePageId cp;
  const char* name;
};

// In order of preference when two readings score alike.
constexpr std::array<LegacyPage, 4> kLegacyPages = {{
    {kCpGbk, "GB"},
    {kCpBig5, "Big5"},
    {kCpShiftJis, "Shift-JIS"},
    {kCpUhc, "EUC-KR"},
}};

// The pages unpackers read foreign names in.
constexpr std::array<LegacyPage, 2> kMisreadPages = {{
    {kCpDosUs, "CP437"},
    {kCpWestern, "Windows-1252"},
}};

struct Candidate {
  Text text;
  std::string repair;
  // Share of the double-byte characters in the page's everyday range; breaks
  // ties between pages whose readings score alike (see CoreShare).
  double core = 1;
};

// Scores within this of each other are a tie: short names of everyday
// characters score the same in every CJK page.
constexpr double kScoreTie = 0.02;

bool InRange(unsigned char b, unsigned char first, unsigned char last) {
  return b >= first && b <= last;
}

// The share of double-byte characters of `bytes` in `cp` that lie in the
// range everyday text of that page uses: GB2312 for GB (not the GBK
// extension, where Shift-JIS kana land), the frequent hanzi and symbols of
// Big5, kana and level 1 kanji of Shift-JIS, symbols and hangul of EUC-KR (not
// hanja, where much of GB lands). Names are short, so their readings in
// several pages often score the same; which range the bytes keep to is then
// the better clue.
double CoreShare(const std::string& bytes, CodePageId cp) {
  int pairs = 0;
  int core = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) continue;
    // Single-byte half-width katakana in Shift-JIS: rare in names.
    if (cp == kCpShiftJis && InRange(lead, 0xA1, 0xDF)) {
      ++pairs;
      continue;
    }
    if (i + 1 >= bytes.size()) break;
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    ++pairs;
    bool everyday = false;
    switch (cp) {
      case kCpGbk:
        everyday = InRange(lead, 0xA1, 0xF7) && InRange(trail, 0xA1, 0xFE);
        break;
      case kCpBig5:
        everyday = InRange(lead, 0xA1, 0xC6);
        break;
      case kCpShiftJis:
        everyday = InRange(lead, 0x81, 0x83) || InRange(lead, 0x88, 0x98);
        break;
      case kCpUhc:
        everyday =
            (InRange(lead, 0xA1, 0xAF) || InRange(lead, 0xB0, 0xC8)) && InRange(trail, 0xA1, 0xFE);
        break;
      default:
        everyday = true;
    }
    if (everyday) ++core;
  }
  return pairs == 0 ? 1 : static_cast<double>(core) / pairs;
}

// A character that must not appear in a name we propose: controls, and what
// only a wrong reading gives (U+FFFD, private use).
bool IsUnwanted(char16_t unit) {
  return unit < 0x20 || unit == 0x7F || unit == u'/' ||
         (unit >= kFirstC1Control && unit <= kLastC1Control) || unit == kReplacementCharacter ||
         (unit >= kFirstPrivateUse && unit <= kLastPrivateUse);
}

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// `bytes` read in `cp` when every byte is a character a name may hold.
std::optional<Text> StrictReading(const std::string& bytes, CodePageId cp) {
  Text text = CodePageBytesToText(bytes, cp);
  if (text.empty()) return std::nullopt;
  for (char16_t unit : text) {
    if (IsUnwanted(unit)) return std::nullopt;
  }
  // A page that reads a byte pair as one character must give the same bytes
  // back; otherwise the bytes were not really in that page.
  if (TextToCodePageBytes(text, cp) != bytes) return std::nullopt;
  return text;
}

// The bytes `text` was read from in `cp`, when it is exactly such a reading.
std::optional<std::string> BytesBehind(const Text& text, CodePageId cp) {
  std::string bytes = TextToCodePageBytes(text, cp);
  if (bytes.empty() || CodePageBytesToText(bytes, cp) != text) return std::nullopt;
  return bytes;
}

// Every reading of raw legacy bytes: each page, and UTF-8 when they are that.
void AddReadingsOfBytes(const std::string& bytes, const std::string& suffix,
                        std::vector<Candidate>& out) {
  if (IsValidUtf8(bytes)) {
    if (!suffix.empty()) out.push_back({Utf8BytesToText(bytes), "UTF-8" + suffix});
    return;
  }
  for (const LegacyPage& page : kLegacyPages) {
    if (std::optional<Text> text = StrictReading(bytes, page.cp)) {
      out.push_back({*text, page.name + suffix, CoreShare(bytes, page.cp)});
    }
  }
}

std::vector<Candidate> Readings(const std::string& name, bool valid_utf8) {
  std::vector<Candidate> out;
  if (!valid_utf8) {
    AddReadingsOfBytes(name, "", out);
    if (std::optional<Text> text = StrictReading(name, kCpWestern)) {
      out.push_back({*text, "Windows-1252"});
    }
    return out;
  }
  const Text text = Utf8BytesToText(name);
  for (const LegacyPage& via : kMisreadPages) {
    if (std::optional<std::string> bytes = BytesBehind(text, via.cp)) {
      AddReadingsOfBytes(*bytes, std::string(" read as ") + via.name, out);
    }
  }
  for (const LegacyPage& via : kLegacyPages) {
    std::optional<std::string> bytes = BytesBehind(text, via.cp);
    if (bytes && *bytes != name && IsValidUtf8(*bytes)) {
      out.push_back({Utf8BytesToText(*bytes), std::string("UTF-8 read as ") + via.name});
    }
  }
  return out;
}

bool IsProposable(const Text& text, const std::string& name) {
  if (text.empty() || text == u"." || text == u"..") return false;
  for (char16_t unit : text) {
    if (IsUnwanted(unit)) return false;
  }
  return TextToUtf8Bytes(text) != name;
}

}  // namespace

NameProposal ProposeNameRepair(const std::string& name) {
  NameProposal proposal;
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      !HasNonAscii(name)) {
    return proposal;
  }
  const bool valid_utf8 = IsValidUtf8(name);
  proposal.score_before = valid_utf8 ? ScoreText(Utf8BytesToText(name)) : 0;
  const Candidate* best = nullptr;
  double best_score = 0;
  const std::vector<Candidate> readings = Readings(name, valid_utf8);
  for (const Candidate& c : readings) {
    if (!IsProposable(c.text, name)) continue;
    const double score = ScoreText(c.text);
    const bool tie =
        best != nullptr && score > best_score - kScoreTie && score < best_score + kScoreTie;
    if (best == nullptr || (tie ? c.core > best->core : score > best_score)) {
      best = &c;
      best_score = score;
    }
  }
  const bool good_enough =
      best != nullptr && (valid_utf8 ? best_score >= kMinScoreOfReading &&
                                           best_score - proposal.score_before >= kMinGain
                                     : best_score >= kMinScoreOfBytesReading);
  if (!good_enough) {
    if (!valid_utf8) proposal.verdict = NameVerdict::kUnreadable;
    return proposal;
  }
  proposal.new_name = TextToUtf8Bytes(best->text);
  proposal.repair = best->repair;
  proposal.score_after = best_score;
  proposal.verdict =
      proposal.new_name.size() > kMaxNameBytes ? NameVerdict::kTooLong : NameVerdict::kRepair;
  return proposal;
}

}  // namespace tekvo
