#include "engine/suggest/suggest.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "engine/repair/repairs.h"
#include "engine/score/text_score.h"
#include "engine/suggest/suggest_cost.h"
#include "engine/text/ascii.h"

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
// Between a whole-text repair and a repair of stretches that read alike, the
// whole-text one is the likelier: texts are more often garbled all over.
constexpr double kSegmentCost = 0.03;
// The segmenting repair has judged each stretch against leaving it alone
// already, with the stretch's own margin; a short stretch in a long text
// hardly moves the text's score, so it ranks at least this much above
// leaving the text alone.
constexpr double kSegmentOverKeep = 0.001;
// An escape decoder that brings back no character ASCII could not carry
// ("%20" in a URL, "&amp;" in markup) undoes escapes written on purpose and
// repairs nothing garbled: it ranks at least this much below leaving the
// text alone.
constexpr double kAsciiOnlyBelowKeep = 0.001;
// How much of a one-step result a second step is tried on before it is run
// on the whole.
constexpr std::size_t kProbeUnits = 256;

bool HasPercentEscape(std::u16string_view t) {
  for (std::size_t i = t.find(u'%'); i != t.npos && i + 2 < t.size(); i = t.find(u'%', i + 1)) {
    if (IsHexDigit(t[i + 1]) && IsHexDigit(t[i + 2])) return true;
  }
  return false;
}

}  // namespace

bool RepairMayApply(const Repair& r, std::u16string_view t) {
  switch (r.routine) {
    case RepairRoutine::kNumericEscapes: {
      const auto* family = std::get_if<EscapeFamily>(&r.param);
      if (family == nullptr) return false;
      const bool html = *family == EscapeFamily::kHtml;
      return t.find(html                                  ? u'&'
                    : *family == EscapeFamily::kBackslash ? u'\\'
                                                          : u'%') != std::u16string_view::npos ||
             (html && t.find(u'<') != t.npos);
    }
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
    case RepairRoutine::kBase64Url:
      // Without "*" or "-" the URL alphabet reads the text as the standard
      // one does, and that result is listed already.
      return (t.find(u'*') != t.npos || t.find(u'-') != t.npos) &&
             std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; });
    case RepairRoutine::kReinterpret:
      return true;
  }
  return true;
}

namespace {

std::size_t NonAsciiUnits(std::u16string_view t) {
  return static_cast<std::size_t>(
      std::count_if(t.begin(), t.end(), [](char16_t c) { return c >= 0x80; }));
}

bool DecodesOnlyAscii(const Repair& r, std::u16string_view in, std::u16string_view out) {
  const bool escapes = r.routine == RepairRoutine::kNumericEscapes ||
                       r.routine == RepairRoutine::kUrl ||
                       r.routine == RepairRoutine::kQuotedPrintable;
  return escapes && NonAsciiUnits(out) <= NonAsciiUnits(in);
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
  bool Contains(const Text& t) const { return Find(t).has_value(); }
  // The index of the candidate whose text is `t`.
  std::optional<std::size_t> Find(const Text& t) const {
    auto [it, end] = by_hash_.equal_range(TextHash()(t));
    for (; it != end; ++it) {
      if (list_[it->second].text == t) return it->second;
    }
    return std::nullopt;
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
      : own_(own),
        cost_(own.profile == ScriptProfile::kNone
                  ? kCleanToCjk * std::clamp((own.value - kCleanFrom) / (1 - kCleanFrom), 0.0, 1.0)
                  : 0.0) {}
  struct Verdict {
    double score;         // the readability, less the cost of turning into CJK
    std::size_t counted;  // the units that carried weight
  };
  Verdict operator()(const Text& out) const {
    const TextScore s = ScoreTextDetail(out);
    const double value = s.value + InheritedLossCredit(own_, s);
    return {s.profile == ScriptProfile::kNone ? value : value - cost_, s.counted};
  }

 private:
  TextScore own_;
  double cost_;  // what turning into CJK text costs
};

// The U+FFFD a chain hides, counted against the first step's result and
// against the text itself (candidate 0): a first step such as the byte-order
// swap turns U+FFFD into another unit, which the second step then writes as
// "?" without a trace of the loss.
double ChainLossCost(CandidateList& found, std::u16string_view base, std::u16string_view out,
                     std::size_t counted) {
  return std::max(HiddenLossCost(base, out, counted),
                  HiddenLossCost(found.list().front().text, out, counted));
}

// The units of `text` a second step is first tried on: the whole text when it
// is short, else its start, cut where no surrogate pair is split.
std::u16string_view ProbeOf(std::u16string_view text) {
  if (text.size() <= kProbeUnits) return text;
  std::size_t end = kProbeUnits;
  if (U16_IS_LEAD(text[end - 1])) --end;
  return text.substr(0, end);
}

// Lists `out`, the result of the repair `second` on `base`, the text of
// candidate `from`, as a two-step candidate.
void AddChain(const Judge& judge, CandidateList& found, std::size_t from, std::size_t second,
              const Text& base, Text out) {
  const std::span<const Repair> repairs = kRepairTable;
  const int first = found.list()[from].first;
  RepairCandidate c;
  c.name = ChainName(repairs[first].say, repairs[second].say);
  const Judge::Verdict v = judge(out);
  c.score = v.score - kChainCost - found.cost(from) - RepairCost(repairs[second], base, v.counted) -
            ChainLossCost(found, base, out, v.counted);
  c.text = std::move(out);
  c.steps = 2;
  c.first = first;
  c.second = static_cast<int>(second);
  found.Add(std::move(c));
}

// Second steps. Which first step leads somewhere cannot be told from how its
// result reads (Base64 that holds quoted-printable reads no better once
// decoded), so every second step is tried on every one-step result, on a
// probe of its start; the most promising pairs are then run on the whole
// text. A short text is its own probe and gets every pair in full.
void AddChains(const SuggestOptions& options, const Judge& judge, CandidateList& found) {
  const std::span<const Repair> repairs = kRepairTable;
  struct Lead {
    std::size_t candidate;
    std::size_t repair;
    double score;
  };
  std::vector<Lead> leads;
  const std::size_t singles = found.list().size();
  for (std::size_t i = 1; i < singles; ++i) {
    const Text base = found.list()[i].text;  // copied: adding candidates may reallocate
    const std::u16string_view probe_view = ProbeOf(base);
    const bool whole = probe_view.size() == base.size();
    const Text probe(probe_view);
    for (std::size_t j = 0; j < repairs.size(); ++j) {
      if (!RepairMayApply(repairs[j], probe)) continue;
      Text out = RunRepair(repairs[j], probe, whole ? options.max_len : kNoLengthLimit);
      if (out.empty() || out == probe) continue;
      if (!whole) {
        leads.push_back({i, j, judge(out).score - found.cost(i)});
        continue;
      }
      if (found.Contains(out)) continue;
      AddChain(judge, found, i, j, base, std::move(out));
    }
  }
  const std::size_t width =
      std::min(leads.size(), static_cast<std::size_t>(std::max(0, options.chain_width)));
  std::partial_sort(leads.begin(), leads.begin() + width, leads.end(),
                    [](const Lead& a, const Lead& b) { return a.score > b.score; });
  for (std::size_t k = 0; k < width; ++k) {
    const Text base = found.list()[leads[k].candidate].text;
    Text out = RunRepair(repairs[leads[k].repair], base, options.max_len);
    if (out.empty() || out == base || found.Contains(out)) continue;
    AddChain(judge, found, leads[k].candidate, leads[k].repair, base, std::move(out));
  }
}

}  // namespace

std::span<const Repair> SuggestableRepairs() { return kRepairTable; }

Text RunRepair(const Repair& r, const Text& text, std::size_t max_len) {
  Converted out = RunRepairRoutine(r.routine, r.param, text, max_len);
  if (out.too_long || out.text.size() > max_len) return text;
  return std::move(out.text);
}

std::vector<RepairCandidate> SuggestRepairs(const Text& text, const SuggestOptions& options) {
  CandidateList found;
  RepairCandidate keep;
  keep.name = kNoRepairName;
  keep.text = text;
  const TextScore own = ScoreTextDetail(text);
  const Judge judge(own);
  keep.score = own.value + kKeepTotal / (static_cast<double>(own.counted) + 2);
  const double keep_score = keep.score;
  found.Add(std::move(keep));
  if (text.empty()) return std::move(found.list());

  const std::span<const Repair> repairs = kRepairTable;
  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if (!RepairMayApply(repairs[i], text)) continue;
    Text out = RunRepair(repairs[i], text, options.max_len);
    if (out.empty() || out == text || found.Contains(out)) continue;
    RepairCandidate c;
    c.name = repairs[i].say;
    const Judge::Verdict v = judge(out);
    const double cost = RepairCost(repairs[i], text, v.counted);
    c.score = v.score - cost;
    if (DecodesOnlyAscii(repairs[i], text, out)) {
      c.score = std::min(c.score, keep_score - kAsciiOnlyBelowKeep);
    }
    c.text = std::move(out);
    c.steps = 1;
    c.first = static_cast<int>(i);
    found.Add(std::move(c), cost);
  }

  if (options.chain_width > 0) AddChains(options, judge, found);
  SegmentRepair segments = RepairSegments(text, options.max_len);
  if (!segments.stretches.empty()) {
    const double score =
        std::max(judge(segments.text).score - kSegmentCost, keep_score + kSegmentOverKeep);
    const bool whole = segments.stretches.size() == 1 && segments.stretches[0].begin == 0 &&
                       segments.stretches[0].end == segments.text.size();
    if (const std::optional<std::size_t> same = found.Find(segments.text)) {
      // A whole-text repair that changes only the garbled stretch (ASCII
      // around GB read as Cyrillic stays ASCII) gives the same text: it
      // ranks as the stretch's own judgement says, which the clean rest of a
      // long text does not dilute, less what the repair lost. A stretch that
      // is the whole text adds nothing to the whole-text judgement.
      RepairCandidate& c = found.list()[*same];
      if (!whole) c.score = std::max(c.score, score - found.cost(*same));
    } else {
      RepairCandidate c;
      c.name = std::move(segments.name);
      c.score = score;
      c.text = std::move(segments.text);
      c.steps = 1;
      c.stretches = std::move(segments.stretches);
      found.Add(std::move(c));
    }
  }
  std::vector<RepairCandidate>& list = found.list();
  std::stable_sort(
      list.begin(), list.end(),
      [](const RepairCandidate& a, const RepairCandidate& b) { return a.score > b.score; });
  return std::move(list);
}

Text FirstLine(std::u16string_view text, std::size_t max_units) {
  std::size_t end = 0;
  while (end < text.size() && end < max_units && text[end] != u'\r' && text[end] != u'\n') ++end;
  if (end > 0 && end < text.size() && U16_IS_LEAD(text[end - 1]) && U16_IS_TRAIL(text[end])) {
    --end;  // keep the pair whole
  }
  return Text(text.substr(0, end));
}

}  // namespace tekvo
