// Transfer encodings left in part of a text: a note with one line of Base64,
// a URL-escaped file name in a clean sentence, one line of character
// references in a page. Decoding the whole text breaks the clean rest, or
// (Base64) fails on it altogether.
//
// The stretches looked at in a line are the line itself and each of its
// blank-delimited tokens. Base64 must fill a token: it has no mark of its own
// where it starts and ends, and a blank ends it. The escape decoders (URL,
// quoted-printable, character references, "\u" escapes, UTF-7) leave the
// characters around their escapes as they are, so their stretch is the run
// from the first escape they change to the last, with what lies between.
// A stretch is decoded only when it reads clearly better so and gives back at
// least one non-ASCII character: "%20" in a URL and "&amp;" in markup are
// written on purpose, and a clean word that happens to be Base64 ("abcd")
// decodes to bytes no text is made of.
#ifndef TEKVO_ENGINE_REPAIR_SEGMENT_TRANSFER_H_
#define TEKVO_ENGINE_REPAIR_SEGMENT_TRANSFER_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/repair/repairs.h"
#include "engine/text/text.h"

namespace tekvo {

// One decoded stretch of a line.
struct TransferStretch {
  std::size_t begin = 0;  // in units of the line
  std::size_t end = 0;    // one past the last unit
  int repair = -1;        // index into kRepairTable
  Text out;               // what the stretch decodes to
  double cost = 0;        // RepairCost of the decoding, per unit of `out`
};

// Whether `repair` is one of the transfer decoders a stretch may be decoded
// with: numeric escapes, URL, quoted-printable, Base64 in either alphabet and
// UTF-7.
bool IsTransferRepair(const Repair& repair);

// The stretches of `line` (a text without line breaks) that a transfer
// decoder repairs: the whole line's escape run when that reads clearly
// better decoded, else each token's. In line order and not overlapping;
// empty when no stretch reads better decoded. Linear in the length of the
// line; never fails.
std::vector<TransferStretch> RepairTransferStretches(std::u16string_view line);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_SEGMENT_TRANSFER_H_
