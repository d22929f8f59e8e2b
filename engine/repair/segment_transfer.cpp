#include "engine/repair/segment_transfer.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <optional>

#include "engine/score/text_score.h"
#include "engine/suggest/suggest.h"
#include "engine/suggest/suggest_cost.h"

namespace tekvo {
namespace {

// A stretch is decoded only when its decoding reads better per unit, over
// the units of the decoding, by kMinGain units' worth of score
// (TextScore::total) plus kGainPerUnit for each unit: a false alarm on a
// clean word costs the user more than a missed repair. Per unit, since a
// decoding is much shorter than its stretch (four Base64 characters or nine
// escape characters for one hanzi), and Base64 in letters and digits scores
// as a passable word.
constexpr double kMinGain = 1.5;
constexpr double kGainPerUnit = 0.2;
// The shortest Base64 token tried: two hanzi in GB without padding. Shorter
// ASCII words decode to a byte or three, which any code page reads as
// something.
constexpr std::size_t kMinBase64Units = 6;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000; }

bool IsAscii(std::u16string_view t) {
  return std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; });
}

bool IsBase64Routine(RepairRoutine r) {
  return r == RepairRoutine::kBase64 || r == RepairRoutine::kBase64Url;
}

// Base64 of any text but plain ASCII nearly always holds a digit, a "+" or
// "/" (or "*" and "-"), or a capital after the first letter; an English word
// in lower case does not and is not worth a decoder's pass.
bool LooksLikeBase64(std::u16string_view t) {
  if (t.size() < kMinBase64Units) return false;
  bool marked = false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char16_t c = t[i];
    const bool lower = c >= u'a' && c <= u'z';
    const bool upper = c >= u'A' && c <= u'Z';
    const bool digit = c >= u'0' && c <= u'9';
    const bool sign = c == u'+' || c == u'/' || c == u'*' || c == u'-';
    if (!lower && !upper && !digit && !sign && c != u'=') return false;
    if (digit || sign || (upper && i > 0)) marked = true;
  }
  return marked;
}

// How many units `in` and `out` share at their start (`head`) and, apart
// from those, at their end (`tail`), never splitting a surrogate pair.
void SharedEnds(std::u16string_view in, std::u16string_view out, std::size_t& head,
                std::size_t& tail) {
  const std::size_t both = std::min(in.size(), out.size());
  head = 0;
  while (head < both && in[head] == out[head]) ++head;
  if (head > 0 && U16_IS_LEAD(in[head - 1])) --head;
  tail = 0;
  while (tail < both - head && in[in.size() - 1 - tail] == out[out.size() - 1 - tail]) ++tail;
  if (tail > 0 && U16_IS_TRAIL(in[in.size() - tail])) --tail;
}

struct Best {
  TransferStretch stretch;
  double gain = 0;
};

// Tries every transfer decoder on line[begin, end) (Base64 only when
// `base64` allows it) and keeps in `best` the decoding that gains the most,
// when it gains enough.
void JudgeStretch(std::u16string_view line, std::size_t begin, std::size_t end, bool base64,
                  std::optional<Best>& best) {
  const std::u16string_view region = line.substr(begin, end - begin);
  const bool base64_shape = base64 && LooksLikeBase64(region);
  std::optional<Text> in;
  for (std::size_t i = 0; i < kRepairTable.size(); ++i) {
    const Repair& r = kRepairTable[i];
    if (!IsTransferRepair(r) || (IsBase64Routine(r.routine) && !base64_shape) ||
        !RepairMayApply(r, region)) {
      continue;
    }
    if (!in) in.emplace(region);
    const Text out = RunRepair(r, *in, kNoLengthLimit);
    if (out.empty() || out == *in) continue;
    std::size_t head = 0;
    std::size_t tail = 0;
    // Base64 has no stretch of its own inside the token: the whole token
    // is what was decoded.
    if (!IsBase64Routine(r.routine)) SharedEnds(*in, out, head, tail);
    std::u16string_view piece = region.substr(head, region.size() - head - tail);
    std::u16string_view decoded = std::u16string_view(out).substr(head, out.size() - head - tail);
    Text redone;
    if (r.routine == RepairRoutine::kUrl) {
      // The URL decoder turns every "+" into a blank, but only between
      // escapes does one stand for a blank: "C++" before an escaped file
      // name stays. The stretch runs from the first escape to the last.
      const std::size_t first = piece.find(u'%');
      std::size_t last = piece.size();
      while (last > first && piece[last - 1] == u'+') --last;
      if (first != 0 || last != piece.size()) {
        if (first == std::u16string_view::npos) continue;
        head += first;
        tail += piece.size() - last;
        piece = piece.substr(first, last - first);
        redone = RunRepair(r, Text(piece), kNoLengthLimit);
        decoded = redone;
      }
    }
    if (IsAscii(decoded)) continue;
    const TextScore was = ScoreTextDetail(piece);
    const TextScore now = ScoreTextDetail(decoded);
    if (now.counted == 0) continue;
    const double units = static_cast<double>(now.counted);
    const double was_per_unit = was.counted == 0 ? 0 : was.total / static_cast<double>(was.counted);
    const double cost = RepairCost(r, Text(piece), now.counted);
    const double gain = now.total - (was_per_unit + cost) * units;
    if (gain <= kMinGain + kGainPerUnit * units || (best && gain <= best->gain)) continue;
    best = Best{{begin + head, end - tail, static_cast<int>(i), Text(decoded), cost}, gain};
  }
}

}  // namespace

bool IsTransferRepair(const Repair& repair) {
  switch (repair.routine) {
    case RepairRoutine::kNumericEscapes:
    case RepairRoutine::kUrl:
    case RepairRoutine::kQuotedPrintable:
    case RepairRoutine::kBase64:
    case RepairRoutine::kBase64Url:
    case RepairRoutine::kUtf7:
      return true;
    case RepairRoutine::kReinterpret:
    case RepairRoutine::kHz:
    case RepairRoutine::kIso2022:
      return false;
  }
  return false;
}

std::vector<TransferStretch> RepairTransferStretches(std::u16string_view line) {
  std::vector<TransferStretch> found;
  struct Token {
    std::size_t begin;
    std::size_t end;
  };
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) tokens.push_back({start, i});
  }
  if (tokens.empty()) return found;
  // The line as a whole first: references or escapes with blanks between
  // them ("&#x4F60; &#x597D;") are one stretch. A line of one token is
  // judged as that token, Base64 included. Tokens outside the line's
  // stretch may still be Base64.
  std::optional<Best> line_best;
  if (tokens.size() > 1) {
    JudgeStretch(line, tokens.front().begin, tokens.back().end, false, line_best);
  }
  bool placed = !line_best;
  for (const Token& t : tokens) {
    if (line_best) {
      const TransferStretch& run = line_best->stretch;
      if (t.end > run.begin && t.begin < run.end) continue;
      if (!placed && t.begin >= run.end) {
        found.push_back(run);
        placed = true;
      }
    }
    std::optional<Best> best;
    JudgeStretch(line, t.begin, t.end, true, best);
    if (best) found.push_back(std::move(best->stretch));
  }
  if (!placed) found.push_back(std::move(line_best->stretch));
  return found;
}

}  // namespace tekvo
