#include "cli/stream/repair_pieces.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "engine/codepage/decoder_rest.h"
#include "engine/text/utf8_cut.h"

namespace tekvo::cli {
namespace {

bool AfterEndsPiece(std::string_view bytes, std::size_t p) {
  return PiecewiseRepair::EndsPiece(static_cast<unsigned char>(bytes[p - 1]));
}

// The first p in [from, size) before which `bytes` may be cut as UTF-8, or
// the size when there is none.
std::size_t NextUtf8CutPoint(std::string_view bytes, std::size_t from) {
  for (std::size_t p = std::max<std::size_t>(from, 1); p < bytes.size(); ++p) {
    if (IsUtf8CutPoint(bytes, p)) return p;
  }
  return bytes.size();
}

// The stretch of input read at a time when looking for the places where
// the B side rests: long enough that a call into the converters costs
// little beside it, short enough that the cut made at the last such place
// leaves little of the buffer to read again. Never more than a read, so
// that reads of a few bytes find every place.
constexpr std::size_t kScanBytes = std::size_t{16} << 10;
// After a stretch at whose end the decoder was not at rest, the next few
// places are tried one character at a time: a decoder out of step with
// the characters often comes back a character or two on.
constexpr int kProbes = 16;
// The bytes the tables are given first from a place of rest, the longest
// character they take, and the stretch left to the converters after a
// character they do not take.
constexpr std::size_t kFirstPlainWindow = 64;
constexpr std::size_t kLongestPlainChar = 3;
constexpr std::size_t kAfterPlainBytes = 256;
// A decoder that has not come to rest in this much of a stretch is out of
// step with the characters for good, as a page's decoder reading UTF-16's
// bytes or UTF-8's reading a double-byte page's: the stretch is held whole
// rather than read through twice.
constexpr std::size_t kMaxRestlessBytes = std::size_t{4} << 20;

// Finds the last place in the bytes since the last cut before which they
// may be cut (PieceRules::last_cut). A line feed or space is looked for
// from the end first, as most inputs have them; only a stretch without one
// is read through, once, whatever the number of calls it takes to arrive.
class RepairCuts {
 public:
  explicit RepairCuts(const PiecewiseRepair& repair) : repair_(repair) {}

  std::size_t operator()(std::string_view bytes) {
    if (const std::size_t cut = LastUtf8CutPoint(bytes, searched_, AfterEndsPiece); cut > 0) {
      return Cut(cut);
    }
    searched_ = bytes.size() - 1;
    Scan(bytes);
    return rest_at_ > 0 ? Cut(rest_at_) : 0;
  }

 private:
  std::size_t Cut(std::size_t p) {
    searched_ = 0;
    scanned_ = 0;
    rest_at_ = 0;
    reader_.reset();
    resting_ = true;
    probes_left_ = 0;
    input_start_ = false;
    return p;
  }

  // Reads the bytes from where the last call stopped to the last UTF-8 cut
  // point, a stretch at a time, noting where the decoder rests.
  void Scan(std::string_view bytes) {
    if (!reader_) reader_.emplace(repair_.ReadRest());
    while (scanned_ < kMaxRestlessBytes) {
      // From a place of rest, a stretch of characters the tables repair
      // one by one leaves the decoder at rest after each: it is passed
      // over without the converters (short of the last byte, which a cut
      // point needs after it).
      if (resting_ && repair_.HasPlainTables() && PassPlain(bytes)) {
        if (GivesText(bytes, scanned_)) rest_at_ = scanned_;
        probes_left_ = 0;
        continue;
      }
      // Past a character the tables do not take, a short stretch goes to
      // the converters before the tables are tried again.
      const bool after_plain = resting_ && repair_.HasPlainTables();
      const std::size_t step = probes_left_ > 0 ? 1
                               : after_plain    ? std::min(kAfterPlainBytes, StreamReadBytes())
                                                : std::min(kScanBytes, StreamReadBytes());
      std::size_t end = NextUtf8CutPoint(bytes, scanned_ + step);
      if (end == bytes.size()) return;
      Text text = StretchText(bytes, end);
      // U+0000 is dropped before the repair, so a lone high surrogate before
      // it pairs with a low one after it: no stretch ends between them.
      while (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) {
        end = NextUtf8CutPoint(bytes, end + 1);
        if (end == bytes.size()) return;
        text = StretchText(bytes, end);
      }
      const ByteString encoded = repair_.Encode(text);
      if (!encoded.empty()) {
        const bool rests = scanned_ > 0 && reader_->RestsBefore(encoded.front());
        if (rests && GivesText(bytes, scanned_)) rest_at_ = scanned_;
        probes_left_ = rests ? 0 : (probes_left_ > 0 ? probes_left_ - 1 : kProbes);
        reader_->Feed(encoded);
        resting_ = reader_->Rests();
      }
      scanned_ = end;
    }
  }

  // Passes scanned_ over the plain characters that follow it, if any, short
  // of the last byte (a cut point needs one after it). The tables write
  // their repair into a buffer as long as what they are given, so they are
  // given a little at first and more as they take it all.
  bool PassPlain(std::string_view bytes) {
    const std::size_t start = scanned_;
    for (std::size_t window = kFirstPlainWindow;; window = std::min(window * 4, kScanBytes)) {
      const std::size_t left = bytes.size() - 1 - scanned_;
      const std::size_t given = std::min(window, left);
      plain_.clear();
      const std::size_t n = repair_.PlainUtf8(bytes.substr(scanned_, given), plain_);
      scanned_ += n;
      // The tables stop short of a window's end only at a character they do
      // not take or one the window cuts.
      if (n == 0 || given == left || n + kLongestPlainChar <= given) break;
    }
    return scanned_ > start;
  }

  // The text the repair sees of the bytes from scanned_ to `end`.
  Text StretchText(std::string_view bytes, std::size_t end) const {
    return DecodeInputPiece(ByteString(bytes.substr(scanned_, end - scanned_)),
                            input_start_ && scanned_ == 0);
  }

  // Whether the first piece would end at `p` with some text: a repair whose
  // whole result is empty gives its input back, which its pieces cannot
  // tell. Each stretch between places of rest is repaired once, until one
  // gives a character that is not dropped from the start.
  bool GivesText(std::string_view bytes, std::size_t p) {
    if (!input_start_ || gave_text_) return true;
    const ByteString stretch(bytes.substr(text_checked_, p - text_checked_));
    const Text result = repair_.Piece(DecodeInputPiece(stretch, text_checked_ == 0), false);
    gave_text_ = std::any_of(result.begin(), result.end(), [](char16_t u) { return u != 0xFEFF; });
    text_checked_ = p;
    return gave_text_;
  }

  const PiecewiseRepair repair_;
  std::size_t searched_ = 0;  // the end of the search for a line feed
  std::size_t scanned_ = 0;   // the bytes read through reader_, a UTF-8 cut point
  std::size_t rest_at_ = 0;   // the last place of rest, 0 for none
  std::optional<DecoderRest> reader_;
  bool resting_ = true;  // reader_ rests, whatever comes next
  ByteString plain_;     // the tables' repair, not needed but for its length
  int probes_left_ = 0;
  bool input_start_ = true;  // the bytes start the input
  bool gave_text_ = false;
  std::size_t text_checked_ = 0;
};

}  // namespace

PieceRules PiecewiseRepairRules(const PiecewiseRepair& repair,
                                std::function<Text(const Text&)> whole) {
  PieceRules rules;
  // Within a piece, the stretch after the table-driven one ends at a line
  // feed or space.
  rules.cut = AfterEndsPiece;
  rules.last_cut = [cuts = std::make_shared<RepairCuts>(repair)](std::string_view bytes) {
    return (*cuts)(bytes);
  };
  rules.convert = [whole = std::move(whole), repair](const Text& piece, std::size_t index,
                                                     bool last) {
    // Uncut input keeps the routines' "empty result gives the input" rule.
    if (index == 0 && last) return whole(piece);
    return repair.Piece(piece, index == 0);
  };
  if (repair.HasPlainTables()) {
    rules.direct = [repair](std::string_view bytes, ByteString& out) {
      return repair.PlainUtf8(bytes, out);
    };
  }
  return rules;
}

}  // namespace tekvo::cli
