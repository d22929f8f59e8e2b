#include "engine/repair/segment_repair.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <variant>

#include "engine/repair/repairs.h"
#include "engine/repair/segment_transfer.h"
#include "engine/score/text_score.h"
#include "engine/suggest/suggest.h"
#include "engine/suggest/suggest_cost.h"

namespace tekvo {
namespace {

// A stretch is repaired only when its repair reads better by kMinGain units'
// worth of score (TextScore::total), plus a margin for each unit of the
// stretch or of its repair, whichever is shorter: a false alarm on a clean
// stretch costs the user more than a missed repair. Stretches that already
// read well enough per unit are not tried at all. Most stretches are judged
// strictly: most are clean, and skipping those keeps long lines of many runs
// fast. A line no strict judgement repairs, as a whole or run by run, is
// judged once more leniently: Korean read as GB, say, gives hanzi that read
// almost as well as the hangul.
constexpr double kMinGain = 1.5;
struct Strictness {
  double gain_per_unit;
  double reads_clean;
};
constexpr Strictness kLenient = {0.05, 0.95};
constexpr Strictness kStrict = {0.3, 0.75};
// How much of the line on either side of a run is scored with it, so that a
// run is judged by how it fits among its neighbours (hanzi glued to kana,
// blanks between hanzi) and not as a text of its own.
constexpr std::size_t kContext = 16;
// A stretch without hanzi, kana or hangul that reads this well per unit is
// clean text and never turns into CJK text: Cyrillic and Greek have rows in
// every CJK page, and clean Russian read as GB bytes through Big5 gives
// frequent hanzi.
constexpr double kCleanFrom = 0.6;
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

bool IsPairRepair(const Repair& r) {
  const auto* pair = std::get_if<LocalePair>(&r.param);
  // The byte-order swap changes ASCII as well, so it has no stretches to
  // find: it repairs whole texts only.
  return r.routine == RepairRoutine::kReinterpret && pair != nullptr &&
         !(pair->a == kIdUtf16Le && pair->b == kIdUtf16Be);
}

struct Pick {
  int repair = -1;
  Text out;
  double cost = 0;
  double gain = 0;  // in units' worth of score
};

// Whether a run is glued to a neighbouring word: an ASCII letter or digit
// right before or after it ("H么tel").
bool Glued(std::u16string_view before, std::u16string_view after) {
  auto alnum = [](char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  };
  return (!before.empty() && alnum(before.back())) || (!after.empty() && alnum(after.front()));
}

// The pairs that repair a piece best, under the strict and the lenient
// judgement. `lenient_known` says whether the lenient one was judged: a piece
// that reads too well for the strict judgement is tried leniently only when
// that is needed.
struct Judged {
  std::optional<Pick> strict;
  std::optional<Pick> lenient;
  bool lenient_known = false;
};

// Judges `piece` inside `before` and `after` (the neighbouring context, left
// as it is) under both judgements, unless it reads well enough for
// `widest`'s reads_clean. Each pair is run and scored once for both.
Judged JudgePairs(std::u16string_view before, std::u16string_view piece, std::u16string_view after,
                  const Strictness& widest) {
  Judged judged;
  const TextScore alone = ScoreTextDetail(piece);
  const double counted = static_cast<double>(alone.counted);
  judged.lenient_known = widest.reads_clean >= kLenient.reads_clean;
  if (alone.total >= widest.reads_clean * counted) return judged;
  judged.lenient_known = true;
  if (alone.total >= kLenient.reads_clean * counted) return judged;
  const bool try_strict = alone.total < kStrict.reads_clean * counted;
  Text window;
  window.reserve(before.size() + piece.size() + after.size());
  window.append(before).append(piece).append(after);
  const TextScore own = ScoreTextDetail(window);
  // Per counted unit, not pulled towards 0 as TextScore::value is: a short
  // clean word reads as clean as a long one. Half-width katakana is no such
  // text: it is what Shift-JIS shows for the bytes of GB and Big5 hanzi.
  const bool half_kana = std::any_of(piece.begin(), piece.end(),
                                     [](char16_t c) { return c >= 0xFF61 && c <= 0xFF9F; });
  const bool clean_non_cjk = alone.profile == ScriptProfile::kNone && alone.counted > 0 &&
                             !half_kana && alone.total >= kCleanFrom * counted;
  const Text in(piece);
  for (std::size_t i = 0; i < kRepairTable.size(); ++i) {
    const Repair& r = kRepairTable[i];
    if (!IsPairRepair(r)) continue;
    Text out = RunRepair(r, in, kNoLengthLimit);
    if (out.empty() || out == in) continue;
    Text repaired;
    repaired.reserve(before.size() + out.size() + after.size());
    repaired.append(before).append(out).append(after);
    const TextScore s = ScoreTextDetail(repaired);
    if (clean_non_cjk && s.profile != ScriptProfile::kNone) continue;
    // The margin grows with the shorter of the stretch and its repair: a
    // repair that shrinks a stretch (three units of UTF-8 mojibake for one
    // letter) need not outweigh units that are gone.
    const double shorter = static_cast<double>(std::min(alone.counted, out.size()));
    // The cost only lowers the gain: most pairs read worse already and are
    // not worth writing the piece back through page A for.
    if (s.total - own.total <= kMinGain + kLenient.gain_per_unit * shorter) continue;
    const double cost = RepairCost(r, in, s.counted);
    const double gain = s.total - own.total - cost * static_cast<double>(s.counted);
    auto consider = [&](const Strictness& strictness, std::optional<Pick>& best) {
      if (gain > kMinGain + strictness.gain_per_unit * shorter && (!best || gain > best->gain)) {
        best = Pick{static_cast<int>(i), out, cost, gain};
      }
    };
    if (try_strict) consider(kStrict, judged.strict);
    consider(kLenient, judged.lenient);
  }
  return judged;
}

// What code page 1252 shows for a byte 0x80-0xFF: the lead byte of a GB or
// Big5 character read as Western text.
bool IsWesternHighByte(char16_t c) {
  static constexpr char16_t kSpecials[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                           0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                           0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
  return (c >= 0x80 && c <= 0xFF) ||
         std::find(std::begin(kSpecials), std::end(kSpecials), c) != std::end(kSpecials);
}

// The end of the run of non-ASCII units that starts at line[i]. GB and Big5
// trail bytes 0x40-0x7E are ASCII letters and signs, so where a lead byte
// shows as Western text, the one ASCII unit after it belongs to the run:
// "¦pªG" is two Big5 characters, not two runs.
std::size_t RunEnd(std::u16string_view line, std::size_t i) {
  while (i < line.size()) {
    if (line[i] >= 0x80) {
      ++i;
    } else if (line[i] >= 0x40 && line[i] <= 0x7E && IsWesternHighByte(line[i - 1])) {
      ++i;
    } else {
      break;
    }
  }
  return i;
}

bool IsAscii(std::u16string_view t) {
  return std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; });
}

class Builder {
 public:
  void Keep(std::u16string_view t) { out_.append(t); }
  void Repaired(const Pick& p) {
    stretches_.push_back({out_.size(), out_.size() + p.out.size(), p.repair});
    out_.append(p.out);
    cost_ = std::max(cost_, p.cost);
  }
  SegmentRepair Finish(const Text& input, std::size_t max_len) {
    SegmentRepair r;
    if (stretches_.empty() || out_.size() > max_len) {
      r.text = input;
      return r;
    }
    r.name = SegmentRepairName(stretches_);
    r.text = std::move(out_);
    r.stretches = std::move(stretches_);
    r.cost = cost_;
    return r;
  }

 private:
  Text out_;
  std::vector<RepairedStretch> stretches_;
  double cost_ = 0;
};

// A line cut into runs: the pieces kept and the runs repaired, in order.
struct RunRepairs {
  std::vector<std::u16string_view> kept;  // before each repaired run, and the rest
  std::vector<Pick> repaired;
  double gain = 0;
};

// Judges the runs of non-ASCII characters of `line` one by one; a line of
// one run is judged as a line already and gives no runs. `judged` keeps each
// run's judgement from a strict look for a lenient one.
RunRepairs RepairRuns(std::u16string_view line, const Strictness& strictness,
                      std::vector<Judged>& judged) {
  RunRepairs r;
  std::size_t kept_from = 0;
  std::size_t i = 0;
  const bool strict = &strictness == &kStrict;
  for (std::size_t k = 0; i < line.size(); ++k) {
    while (i < line.size() && line[i] < 0x80) ++i;
    if (i == line.size()) break;
    const std::size_t start = i;
    i = RunEnd(line, i);
    if (start == 0 && i == line.size()) break;
    // A run glued to a word is judged among its neighbours. One set off by
    // blanks or punctuation is judged alone: a name of another language
    // (a Japanese name in Chinese text) is read in its own writing system,
    // not in that of the sentence around it.
    std::size_t from = start > kContext ? start - kContext : 0;
    std::size_t to = std::min(line.size(), i + kContext);
    if (!Glued(line.substr(from, start - from), line.substr(i, to - i))) from = start, to = i;
    if (k == judged.size() || (!strict && !judged[k].lenient_known)) {
      Judged j = JudgePairs(line.substr(from, start - from), line.substr(start, i - start),
                            line.substr(i, to - i), strictness);
      if (k == judged.size()) {
        judged.push_back(std::move(j));
      } else {
        judged[k] = std::move(j);
      }
    }
    const std::optional<Pick>& p = strict ? judged[k].strict : judged[k].lenient;
    if (p) {
      r.kept.push_back(line.substr(kept_from, start - kept_from));
      r.gain += p->gain;
      r.repaired.push_back(*p);
      kept_from = i;
    }
  }
  r.kept.push_back(line.substr(kept_from));
  return r;
}

}  // namespace

std::u16string SegmentRepairName(const std::vector<RepairedStretch>& stretches) {
  std::map<int, int> tally;
  for (const RepairedStretch& s : stretches) ++tally[s.repair];
  std::u16string name(kSegmentRepairName);
  name += u": ";
  bool first = true;
  for (const auto& [repair, count] : tally) {
    if (!first) name += u", ";
    first = false;
    std::u16string_view say = repair >= 0 && static_cast<std::size_t>(repair) < kRepairTable.size()
                                  ? kRepairTable[repair].say
                                  : std::u16string_view(u"?");
    while (!say.empty() && say.back() == u' ') say.remove_suffix(1);
    name.append(say).append(u" ×");
    for (char c : std::to_string(count)) name.push_back(static_cast<char16_t>(c));
  }
  return name;
}

SegmentRepair RepairSegments(const Text& text, std::size_t max_len) {
  Builder b;
  const std::u16string_view all = text;
  std::size_t i = 0;
  while (i < all.size()) {
    std::size_t end = i;
    while (end < all.size() && !IsLineBreak(all[end])) ++end;
    const std::u16string_view line = all.substr(i, end - i);
    std::vector<TransferStretch> decoded = RepairTransferStretches(line);
    if (!decoded.empty()) {
      std::size_t kept_from = 0;
      for (TransferStretch& s : decoded) {
        b.Keep(line.substr(kept_from, s.begin - kept_from));
        b.Repaired(Pick{s.repair, std::move(s.out), s.cost, 0});
        kept_from = s.end;
      }
      b.Keep(line.substr(kept_from));
    } else if (IsAscii(line)) {
      b.Keep(line);
    } else {
      // First as a whole, strictly; then run by run, so that a garbled name
      // in a clean sentence is repaired alone; and only when no run is, as a
      // whole again, leniently.
      Judged line_judged = JudgePairs({}, line, {}, kStrict);
      std::optional<Pick> whole = line_judged.strict;
      RunRepairs runs;
      std::vector<Judged> run_judged;
      if (!whole) runs = RepairRuns(line, kStrict, run_judged);
      if (!whole && runs.repaired.empty()) {
        if (!line_judged.lenient_known) line_judged = JudgePairs({}, line, {}, kLenient);
        whole = line_judged.lenient;
      }
      if (!whole && runs.repaired.empty()) runs = RepairRuns(line, kLenient, run_judged);
      if (whole) {
        b.Repaired(*whole);
      } else {
        for (std::size_t k = 0; k < runs.repaired.size(); ++k) {
          b.Keep(runs.kept[k]);
          b.Repaired(runs.repaired[k]);
        }
        b.Keep(runs.kept.empty() ? line : runs.kept.back());
      }
    }
    std::size_t next = end;
    while (next < all.size() && IsLineBreak(all[next])) ++next;
    b.Keep(all.substr(end, next - end));
    i = next;
  }
  return b.Finish(text, max_len);
}

}  // namespace tekvo
