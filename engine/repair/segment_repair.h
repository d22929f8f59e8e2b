// Repairing only the garbled stretches of a text: a mail whose subject was
// read through the wrong code page while its body is fine, a page with one
// pasted paragraph garbled, a garbled file name inside a clean sentence. Any
// whole-text repair breaks the clean parts of such a text.
//
// Each line is judged on its own first: it is kept, or the code page pair
// that reads best for it replaces it when it reads clearly better. In a line
// no pair repairs as a whole, the runs of non-ASCII characters (which every
// pair but the byte-order swap leaves unchanged around them; after a lead
// byte shown as Western text, its ASCII trail byte belongs to the run) are
// judged the same way: alone when blanks or punctuation set them off, among
// their neighbours when glued to a word. A line where no run is repaired
// either is judged as a whole, and then run by run, once more with a smaller
// margin. A line that holds a transfer encoding (segment_transfer.h) has
// its encoded stretches decoded instead.
#ifndef TEKVO_ENGINE_REPAIR_SEGMENT_REPAIR_H_
#define TEKVO_ENGINE_REPAIR_SEGMENT_REPAIR_H_

#include <cstddef>
#include <string>
#include <vector>

#include "engine/text/text.h"

namespace tekvo {

// The name the segmenting candidate starts with.
inline constexpr std::u16string_view kSegmentRepairName = u"逐段修复";

// One repaired stretch, in units of the result.
struct RepairedStretch {
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last unit
  int repair = -1;      // index into the table of repairs (kRepairTable)
};

struct SegmentRepair {
  Text text;                               // the text with every garbled stretch repaired
  std::vector<RepairedStretch> stretches;  // in text order, never empty
  // "逐段修复: GB--UTF8 ×2, Eng--UTF8 ×1": the repairs used, in table order,
  // each with how many stretches it repaired.
  std::u16string name;
  // The largest cost (RepairCost, per unit of the stretch's result) any
  // repaired stretch carried.
  double cost = 0;
};

// Repairs the garbled stretches of `text`. Returns an empty `stretches` list
// (and the input as text) when no stretch reads clearly better repaired, or
// when the result would be longer than `max_len` units. Linear in the length
// of the text; never fails.
SegmentRepair RepairSegments(const Text& text, std::size_t max_len = kMaxTextLen);

// The per-repair tally of `stretches` as RepairSegments names it.
std::u16string SegmentRepairName(const std::vector<RepairedStretch>& stretches);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_SEGMENT_REPAIR_H_
