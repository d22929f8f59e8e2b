#include "engine/suggest.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "engine/base64.h"
#include "engine/char_refs.h"
#include "engine/codepage.h"
#include "engine/fixed_repairs.h"
#include "engine/hz.h"
#include "engine/iso2022.h"
#include "engine/quoted_printable.h"
#include "engine/reinterpret.h"
#include "engine/text_score.h"
#include "engine/utf7.h"

namespace tekvo {
namespace {

// Leaving the text alone wins unless a repair reads better by this much in
// all (about two letters' worth, spread over the text's units): a false alarm
// on clean text costs the user more than a missed repair, and the shorter the
// text the less its score can be trusted.
constexpr double kKeepTotal = 2.0;
// Text without hanzi, kana or hangul that already reads well does not turn
// into CJK text: Cyrillic and Greek have rows in every CJK page, and clean
// Russian read through GB and then as Big5 gives frequent hanzi in plenty.
// From a score of kCleanFrom up, such a result costs up to kCleanToCjk.
constexpr double kCleanFrom = 0.5;
constexpr double kCleanToCjk = 0.2;
// A second step must earn its place: between a one-step and a two-step result
// that read alike, the simpler repair is the likelier one.
constexpr double kChainCost = 0.12;
// What each character costs that the shown-as page of a pair cannot write,
// and each byte a UTF-8 reading drops.
constexpr double kUnshowable = 2.0;
// How much of a one-step result a second step is tried on before it is run
// on the whole.
constexpr std::size_t kProbeUnits = 256;

// The status text of a menu caption: up to and including the blank before
// the first " ：".
std::u16string_view CaptionSay(std::u16string_view caption) {
  const std::size_t at = caption.find(u" ：");
  return at == std::u16string_view::npos ? std::u16string_view() : caption.substr(0, at + 1);
}

std::vector<SuggestableRepair> BuildRepairs() {
  using R = RepairRoutine;
  std::vector<SuggestableRepair> v = {
      {u"HTM--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kHtml)},
      {u"NumU(1)--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kBackslash)},
      {u"NumU(2)--U ", R::kNumericEscapes, static_cast<int>(EscapeFamily::kPercent)},
      {u"URL--GB ", R::kUrl, 2052},
      {u"URL--Big5 ", R::kUrl, 1028},
      {u"URL--UTF8 ", R::kUrl, kIdUtf8},
      {u"QP--GB ", R::kQuotedPrintable, 2052},
      {u"QP--Big5 ", R::kQuotedPrintable, 1028},
      {u"QP--UTF8 ", R::kQuotedPrintable, kIdUtf8},
      {u"Base64--GB ", R::kBase64, 2052},
      {u"Base64--Big5 ", R::kBase64, 1028},
      {u"Base64--UTF8 ", R::kBase64, kIdUtf8},
      {u"UTF7--U ", R::kUtf7},
      {u"HZ--GB ", R::kHz},
  };
  for (const FixedRepair& f : FixedRepairs()) {
    v.push_back({CaptionSay(f.caption), R::kReinterpret, f.a, f.b});
  }
  v.push_back({u"Esc+中文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kChinese)});
  v.push_back({u"Esc+日文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kJapanese)});
  v.push_back({u"Esc+韩文(ISO2022) ", R::kIso2022, static_cast<int>(Iso2022Kind::kKorean)});
  return v;
}

const std::vector<SuggestableRepair>& Repairs() {
  static const std::vector<SuggestableRepair> repairs = BuildRepairs();
  return repairs;
}

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool HasPercentEscape(std::u16string_view t) {
  for (std::size_t i = t.find(u'%'); i != t.npos && i + 2 < t.size(); i = t.find(u'%', i + 1)) {
    if (IsHexDigit(t[i + 1]) && IsHexDigit(t[i + 2])) return true;
  }
  return false;
}

// Quick tests that spare a routine a pass over a text it cannot change.
bool MayApply(const SuggestableRepair& r, std::u16string_view t) {
  switch (r.routine) {
    case RepairRoutine::kNumericEscapes:
      return t.find(r.a == static_cast<int>(EscapeFamily::kHtml) ? u'&'
                    : r.a == static_cast<int>(EscapeFamily::kBackslash)
                        ? u'\\'
                        : u'%') != std::u16string_view::npos ||
             (r.a == static_cast<int>(EscapeFamily::kHtml) && t.find(u'<') != t.npos);
    case RepairRoutine::kUrl:
      // Without a "%XX" escape all a URL decoder does is turn "+" into blanks,
      // which repairs nothing ("a+b", "user+tag@example.com").
      return HasPercentEscape(t);
    case RepairRoutine::kQuotedPrintable:
      return t.find(u'=') != t.npos;
    case RepairRoutine::kUtf7:
      return t.find(u'+') != t.npos;
    case RepairRoutine::kHz:
      return t.find(u'~') != t.npos;
    case RepairRoutine::kIso2022:
      return t.find(u'$') != t.npos || t.find(u'\x1B') != t.npos;
    case RepairRoutine::kBase64:
      // Base64 is pure ASCII; one unit outside it makes the routine give up.
      return std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; });
    case RepairRoutine::kReinterpret:
      return true;
  }
  return true;
}

struct TextHash {
  std::size_t operator()(const Text& t) const { return std::hash<std::u16string_view>()(t); }
};

class CandidateList {
 public:
  // Adds the candidate unless its text is already listed; returns whether it
  // was added.
  bool Add(RepairCandidate c, double cost = 0) {
    const std::size_t h = TextHash()(c.text);
    auto [it, end] = by_hash_.equal_range(h);
    for (; it != end; ++it) {
      if (list_[it->second].text == c.text) return false;
    }
    by_hash_.emplace(h, list_.size());
    list_.push_back(std::move(c));
    costs_.push_back(cost);
    return true;
  }
  // What the repair of candidate `i` lost on the way (RepairCost).
  double cost(std::size_t i) const { return costs_[i]; }
  bool Contains(const Text& t) const {
    auto [it, end] = by_hash_.equal_range(TextHash()(t));
    for (; it != end; ++it) {
      if (list_[it->second].text == t) return true;
    }
    return false;
  }
  std::vector<RepairCandidate>& list() { return list_; }

 private:
  std::vector<RepairCandidate> list_;
  std::vector<double> costs_;
  std::unordered_multimap<std::size_t, std::size_t> by_hash_;
};

std::u16string ChainName(std::u16string_view first, std::u16string_view second) {
  std::u16string_view head = first;
  while (!head.empty() && head.back() == u' ') head.remove_suffix(1);
  std::u16string name;
  name.reserve(head.size() + 3 + second.size());
  name.append(head).append(u" + ").append(second);
  return name;
}

// Scores results against the text they came from.
class Judge {
 public:
  explicit Judge(const TextScore& own)
      : cost_(own.profile == ScriptProfile::kNone
                  ? kCleanToCjk * std::clamp((own.value - kCleanFrom) / (1 - kCleanFrom), 0.0, 1.0)
                  : 0.0) {}
  struct Verdict {
    double score;         // the readability, less the cost of turning into CJK
    std::size_t counted;  // the units that carried weight
  };
  Verdict operator()(const Text& out) const {
    const TextScore s = ScoreTextDetail(out);
    return {s.profile == ScriptProfile::kNone ? s.value : s.value - cost_, s.counted};
  }

 private:
  double cost_;  // what turning into CJK text costs
};

// The bytes that belong to no well-formed UTF-8 sequence. Surrogates coded
// as three bytes each (CESU-8) count as well-formed: the decoder pairs them.
// `cut_before` and `cut_after` say that bytes were lost just before or after
// these: the halves of the sequence cut there are not counted again.
std::size_t StrayUtf8Bytes(std::string_view bytes, bool cut_before = false,
                           bool cut_after = false) {
  std::size_t stray = 0;
  std::size_t i = 0;
  if (cut_before) {
    while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) ++i;
  }
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t tail = b < 0x80                 ? 0
                             : b >= 0xC2 && b <= 0xDF ? 1
                             : b >= 0xE0 && b <= 0xEF ? 2
                             : b >= 0xF0 && b <= 0xF4 ? 3
                                                      : 4;
    std::size_t k = 0;
    if (tail < 4) {
      while (k < tail && i + 1 + k < bytes.size() &&
             (static_cast<unsigned char>(bytes[i + 1 + k]) & 0xC0) == 0x80) {
        ++k;
      }
      if (k < tail && i + 1 + k == bytes.size() && cut_after) break;
    }
    if (tail < 4 && k == tail) {
      i += 1 + tail;
    } else {
      ++stray;
      ++i;
    }
  }
  return stray;
}

// The stray UTF-8 bytes of `input` written back through LocaleId `a`. Page A
// showed the bytes it could not read as U+FFFD; they are lost already, and
// the sequences they cut are not counted.
std::size_t StrayUtf8BytesShownAs(const Text& input, LocaleId a) {
  Text marked = input;
  std::replace(marked.begin(), marked.end(), u'\uFFFD', u'\0');
  const std::optional<ByteString> bytes = TextToLocaleBytes(marked, a);
  if (!bytes) return 0;
  std::size_t stray = 0;
  std::string_view rest = *bytes;
  bool cut_before = false;
  for (;;) {
    const std::size_t at = rest.find('\0');
    const bool last = at == std::string_view::npos;
    stray += StrayUtf8Bytes(rest.substr(0, last ? rest.size() : at), cut_before, !last);
    if (last) return stray;
    rest.remove_prefix(at + 1);
    cut_before = true;
  }
}

bool IsHexDigitAt(std::u16string_view t, std::size_t i) { return i < t.size() && IsHexDigit(t[i]); }

// The stray UTF-8 bytes of the escaped byte runs ("%E4%BD", "=E4=BD") or of
// the Base64 bytes of `text`: what a UTF-8 reading drops without a trace.
std::size_t StrayTransferBytes(RepairRoutine routine, std::u16string_view t) {
  if (routine == RepairRoutine::kBase64) {
    return StrayUtf8Bytes(Base64ToBytes(t, Base64Alphabet::kStandard));
  }
  const char16_t mark = routine == RepairRoutine::kUrl ? u'%' : u'=';
  std::size_t stray = 0;
  ByteString run;
  auto hex = [](char16_t c) { return c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10; };
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == mark && IsHexDigitAt(t, i + 1) && IsHexDigitAt(t, i + 2)) {
      run.push_back(static_cast<char>(hex(t[i + 1]) * 16 + hex(t[i + 2])));
      i += 3;
      continue;
    }
    // A soft line break of quoted-printable does not end a run.
    if (mark == u'=' && t[i] == u'=' && i + 1 < t.size() &&
        (t[i + 1] == u'\r' || t[i + 1] == u'\n')) {
      i += (i + 2 < t.size() && t[i + 1] == u'\r' && t[i + 2] == u'\n') ? 3 : 2;
      continue;
    }
    if (!run.empty()) {
      stray += StrayUtf8Bytes(run);
      run.clear();
    }
    ++i;
  }
  return stray + StrayUtf8Bytes(run);
}

// Units of Latin-1 letters and signs (U+0021-U+00FF) in a text whose byte
// order is to be swapped: each would come from a character U+2100-U+FF00
// that ends in a zero byte, and no real text is made of those. Text that
// really is UTF-16 of the wrong order shows its ASCII as U+xx00 instead.
std::size_t SwappedLatinUnits(std::u16string_view t) {
  return static_cast<std::size_t>(
      std::count_if(t.begin(), t.end(), [](char16_t c) { return c > 0x20 && c <= 0xFF; }));
}

bool IsBase64Char(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'+' || c == u'/';
}
int Base64Value(char16_t c) {
  return c >= u'a'   ? c - u'a' + 26
         : c >= u'A' ? c - u'A'
         : c >= u'0' ? c - u'0' + 52
         : c == u'+' ? 62
                     : 63;
}

// The units of the "+..." shifts that real UTF-7 cannot have written: a
// shift leaves fewer than six bits over after its last unit, and those bits
// are zero. Base64 of anything else ("+/TImW+5JCeu", a hash) seldom ends so.
std::size_t IllFormedUtf7Units(std::u16string_view t) {
  std::size_t units = 0;
  for (std::size_t i = t.find(u'+'); i != t.npos && i + 1 < t.size(); i = t.find(u'+', i + 1)) {
    std::size_t k = i + 1;
    while (k < t.size() && IsBase64Char(t[k])) ++k;  // "+" is a Base64 digit here
    const std::size_t len = k - (i + 1);
    if (len == 0) continue;
    const std::size_t over = (6 * len) % 16;
    const int last = Base64Value(t[k - 1]);
    if (over >= 6 || (last & ((1 << over) - 1)) != 0) units += len + 1;
    i = k - 1;
  }
  return units;
}

// What a repair's result is built on guesses or lost bytes, as a cost per
// unit of the result, like the score.
//
// Garbled text shows bytes through page A, so page A can write every one of
// its characters back. A character A has no code for (written as a best fit
// or "?") means the text was never shown through A. U+FFFD is exempt, being
// what A shows for bytes it could not read.
//
// UTF-8 decoding drops bytes that start no valid sequence instead of showing
// U+FFFD, so "Café" read back as UTF-8 is a clean-looking "Caf": every byte
// that the result no longer holds costs as much.
double RepairCost(const SuggestableRepair& r, const Text& input, std::size_t out_counted) {
  const double per_unit = kUnshowable / (static_cast<double>(out_counted) + 2);
  if (r.routine == RepairRoutine::kReinterpret && r.a == kIdUtf16Le && r.b == kIdUtf16Be) {
    return per_unit * static_cast<double>(SwappedLatinUnits(input));
  }
  if (r.a == kIdUtf8 && (r.routine == RepairRoutine::kBase64 || r.routine == RepairRoutine::kUrl ||
                         r.routine == RepairRoutine::kQuotedPrintable)) {
    return per_unit * static_cast<double>(StrayTransferBytes(r.routine, input));
  }
  if (r.routine == RepairRoutine::kUtf7) {
    return per_unit * static_cast<double>(IllFormedUtf7Units(input));
  }
  if (r.routine != RepairRoutine::kReinterpret || r.a < 1) return 0;
  const std::optional<ByteString> bytes = TextToLocaleBytes(input, r.a);
  if (!bytes) return 0;
  const std::optional<Text> back = LocaleBytesToText(*bytes, r.a);
  if (!back) return 0;
  std::ptrdiff_t lost = 0;
  if (back->size() == input.size()) {
    for (std::size_t i = 0; i < input.size(); ++i) {
      lost += (*back)[i] != input[i] && input[i] != 0xFFFD;
    }
  } else {
    // A best fit of another length: count the difference and the new "?".
    lost = std::abs(static_cast<std::ptrdiff_t>(back->size()) -
                    static_cast<std::ptrdiff_t>(input.size())) +
           std::max<std::ptrdiff_t>(0, std::count(back->begin(), back->end(), u'?') -
                                           std::count(input.begin(), input.end(), u'?'));
  }
  if (r.b == kIdUtf8) lost += static_cast<std::ptrdiff_t>(StrayUtf8BytesShownAs(input, r.a));
  return per_unit * static_cast<double>(lost);
}

// The units of `text` a second step is first tried on: the whole text when it
// is short, else its start, cut where no surrogate pair is split.
std::u16string_view ProbeOf(std::u16string_view text) {
  if (text.size() <= kProbeUnits) return text;
  std::size_t end = kProbeUnits;
  if (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  return text.substr(0, end);
}

// Second steps. Which first step leads somewhere cannot be told from how its
// result reads (Base64 that holds quoted-printable reads no better once
// decoded), so every second step is tried on every one-step result, on a
// probe of its start; the most promising pairs are then run on the whole
// text. A short text is its own probe and gets every pair in full.
void AddChains(const SuggestOptions& options, const Judge& judge, CandidateList& found) {
  const auto& repairs = Repairs();
  struct Lead {
    std::size_t candidate;
    std::size_t repair;
    double score;
  };
  std::vector<Lead> leads;
  const std::size_t singles = found.list().size();
  for (std::size_t i = 1; i < singles; ++i) {
    const Text base = found.list()[i].text;  // copied: adding candidates may reallocate
    const int first = found.list()[i].first;
    const std::u16string_view probe_view = ProbeOf(base);
    const bool whole = probe_view.size() == base.size();
    const Text probe(probe_view);
    for (std::size_t j = 0; j < repairs.size(); ++j) {
      if (!MayApply(repairs[j], probe)) continue;
      Text out = RunRepair(repairs[j], probe, whole ? options.max_len : kNoLengthLimit);
      if (out.empty() || out == probe) continue;
      if (!whole) {
        leads.push_back({i, j, judge(out).score - found.cost(i)});
        continue;
      }
      if (found.Contains(out)) continue;
      RepairCandidate c;
      c.name = ChainName(repairs[first].say, repairs[j].say);
      const Judge::Verdict v = judge(out);
      c.score = v.score - kChainCost - found.cost(i) - RepairCost(repairs[j], base, v.counted);
      c.text = std::move(out);
      c.steps = 2;
      c.first = first;
      c.second = static_cast<int>(j);
      found.Add(std::move(c));
    }
  }
  const std::size_t width =
      std::min(leads.size(), static_cast<std::size_t>(std::max(0, options.chain_width)));
  std::partial_sort(leads.begin(), leads.begin() + width, leads.end(),
                    [](const Lead& a, const Lead& b) { return a.score > b.score; });
  for (std::size_t k = 0; k < width; ++k) {
    const Text base = found.list()[leads[k].candidate].text;
    const int first = found.list()[leads[k].candidate].first;
    Text out = RunRepair(repairs[leads[k].repair], base, options.max_len);
    if (out.empty() || out == base || found.Contains(out)) continue;
    RepairCandidate c;
    c.name = ChainName(repairs[first].say, repairs[leads[k].repair].say);
    const Judge::Verdict v = judge(out);
    c.score = v.score - kChainCost - found.cost(leads[k].candidate) -
              RepairCost(repairs[leads[k].repair], base, v.counted);
    c.text = std::move(out);
    c.steps = 2;
    c.first = first;
    c.second = static_cast<int>(leads[k].repair);
    found.Add(std::move(c));
  }
}

}  // namespace

std::span<const SuggestableRepair> SuggestableRepairs() { return Repairs(); }

Text RunRepair(const SuggestableRepair& r, const Text& text, std::size_t max_len) {
  Text out;
  switch (r.routine) {
    case RepairRoutine::kReinterpret: {
      Converted c = ReinterpretByLocale(text, r.a, r.b, max_len);
      if (c.too_long) return text;
      out = std::move(c.text);
      break;
    }
    case RepairRoutine::kNumericEscapes:
      out = DecodeNumericEscapes(text, static_cast<EscapeFamily>(r.a));
      break;
    case RepairRoutine::kUrl:
      out = DecodeQpOrUrl(text, r.a, ByteEscapes::kUrl);
      break;
    case RepairRoutine::kQuotedPrintable:
      out = DecodeQpOrUrl(text, r.a, ByteEscapes::kQuotedPrintable);
      break;
    case RepairRoutine::kBase64:
      out = DecodeBase64Text(text, r.a, Base64Alphabet::kStandard);
      break;
    case RepairRoutine::kUtf7:
      out = DecodeUtf7(text);
      break;
    case RepairRoutine::kHz:
      out = DecodeHz(text);
      break;
    case RepairRoutine::kIso2022: {
      Converted c = DecodeIso2022Escapes(text, static_cast<Iso2022Kind>(r.a), max_len);
      if (c.too_long) return text;
      out = std::move(c.text);
      break;
    }
  }
  if (out.size() > max_len) return text;
  return out;
}

std::vector<RepairCandidate> SuggestRepairs(const Text& text, const SuggestOptions& options) {
  CandidateList found;
  RepairCandidate keep;
  keep.name = kNoRepairName;
  keep.text = text;
  const TextScore own = ScoreTextDetail(text);
  const Judge judge(own);
  keep.score = own.value + kKeepTotal / (static_cast<double>(own.counted) + 2);
  found.Add(std::move(keep));
  if (text.empty()) return std::move(found.list());

  const auto& repairs = Repairs();
  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if (!MayApply(repairs[i], text)) continue;
    Text out = RunRepair(repairs[i], text, options.max_len);
    if (out.empty() || out == text || found.Contains(out)) continue;
    RepairCandidate c;
    c.name = repairs[i].say;
    const Judge::Verdict v = judge(out);
    const double cost = RepairCost(repairs[i], text, v.counted);
    c.score = v.score - cost;
    c.text = std::move(out);
    c.steps = 1;
    c.first = static_cast<int>(i);
    found.Add(std::move(c), cost);
  }

  if (options.chain_width > 0) AddChains(options, judge, found);
  std::vector<RepairCandidate>& list = found.list();
  std::stable_sort(
      list.begin(), list.end(),
      [](const RepairCandidate& a, const RepairCandidate& b) { return a.score > b.score; });
  return std::move(list);
}

Text FirstLine(std::u16string_view text, std::size_t max_units) {
  std::size_t end = 0;
  while (end < text.size() && end < max_units && text[end] != u'\r' && text[end] != u'\n') ++end;
  if (end > 0 && end < text.size() && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF &&
      text[end] >= 0xDC00 && text[end] <= 0xDFFF) {
    --end;  // keep the pair whole
  }
  return Text(text.substr(0, end));
}

}  // namespace tekvo
