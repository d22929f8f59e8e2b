// Ranked repair suggestions: every fixed repair of the three decode menus is
// tried on a text, and on the most promising results a second repair, and the
// results are ranked by how much they read like real text (text_score.h).
//
// Candidates are: the text unchanged ("no repair"); the fourteen code page
// pairs; the numeric escape, URL, quoted-printable and Base64 decoders (the
// last three, and Base64 in the URL alphabet, with GB, Big5 and UTF-8);
// UTF-7; HZ; the three ISO-2022 kinds; chains of two of these; and the
// segmenting repair (segment_repair.h), which repairs only the garbled
// stretches. A repair that leaves the text unchanged, or gives a text that an
// earlier candidate already gave, is not listed.
#ifndef TEKVO_ENGINE_SUGGEST_SUGGEST_H_
#define TEKVO_ENGINE_SUGGEST_SUGGEST_H_

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "engine/repair/repairs.h"
#include "engine/repair/segment_repair.h"
#include "engine/text/text.h"

namespace tekvo {

// The name of the candidate that leaves the text as it is.
inline constexpr std::u16string_view kNoRepairName = u"不修复";

// Every repair the suggestions try: the whole table of repairs, in its order.
std::span<const Repair> SuggestableRepairs();

// Runs `repair` on `text`. A result longer than `max_len` units gives the
// input unchanged, as does any failure of the routine.
Text RunRepair(const Repair& repair, const Text& text, std::size_t max_len = kMaxTextLen);

// A quick test that spares a routine a pass over a text it cannot change:
// false when `repair` surely leaves `text` as it is, or gives what another
// repair of the table gives already (Base64 in the URL alphabet without "*"
// or "-"); true when it may change it. Never fails.
bool RepairMayApply(const Repair& repair, std::u16string_view text);

struct RepairCandidate {
  // kNoRepairName, a status text ("GB--Big5 "), or two joined as the first
  // without its trailing blank, " + " and the second ("Eng--UTF8 + GB--UTF8 ").
  std::u16string name;
  Text text;  // the repaired text
  // The ranking key, higher is better: the readability of `text`
  // (ScoreText), plus for "no repair" a bonus worth two letters spread over
  // the text; less a cost for a second step, for every character a code page
  // pair's shown-as page could not have shown, every byte a UTF-8 reading
  // (of a code page pair or a transfer decoder) dropped, every Latin-1 unit a
  // byte-order swap turns into U+xx00, for turning clean text without CJK
  // characters into CJK text, and for every U+FFFD of the first step's
  // result, or of the text, that a second step hides (HiddenLossCost); and,
  // for every repair, plus the weight of the marks of loss of its result that
  // the text held already (InheritedLossCredit). An escape decoder whose
  // result holds no more non-ASCII characters than the text ("%20", "&amp;"
  // decoded) ranks below "no repair".
  double score = 0;
  int steps = 0;  // 0 for no repair, 1, or 2
  // Indexes into SuggestableRepairs() of the steps, in the order they run;
  // -1 where there is no step.
  int first = -1;
  int second = -1;
  // The segmenting candidate (steps 1, first -1): the stretches it repaired.
  // Empty for every other candidate.
  std::vector<RepairedStretch> stretches;
};

struct SuggestOptions {
  std::size_t max_len = kMaxTextLen;  // longer results are not candidates
  // Second steps are tried on every one-step result; on a long text first
  // on a probe of its start, and then this many of the best pairs are run in
  // full. 0 leaves out second steps altogether.
  int chain_width = 6;
};

// The candidates for `text`, best first. "No repair" is always among them and
// stays first unless a repair reads clearly better. The empty text gives the
// one candidate "no repair". Never fails.
std::vector<RepairCandidate> SuggestRepairs(const Text& text, const SuggestOptions& options = {});

// The first line of `text` (up to CR or LF), cut to at most `max_units` units
// without splitting a surrogate pair: what candidate lists show.
Text FirstLine(std::u16string_view text, std::size_t max_units);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_SUGGEST_SUGGEST_H_
