#include "cli/stream.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <utility>

#include "cli/encoding_options.h"
#include "cli/io.h"
#include "engine/codepage.h"
#include "engine/utf8_cut.h"
#include "files/file_encoding.h"

namespace tekvo::cli {
namespace {

// Bytes read at a time. Large enough that a piece's conversion costs far
// more than handing it to a thread, small enough that the pieces in flight
// stay a few megabytes.
constexpr std::size_t kReadBytes = std::size_t{1} << 19;
std::size_t read_bytes = kReadBytes;
// Pieces converted at once: one per core keeps both busy, and one more
// keeps them busy while the main thread writes a result or reads on.
constexpr std::size_t kPiecesInFlight = 3;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// A piece's result, encoded but for its edges: a result may end with the
// first half of a surrogate pair whose second half starts the next result
// (a decoder's "&#xD83D;" before the cut, "&#xDE00;" after it), and the
// output encodings write a pair differently from its halves. The edges are
// encoded in order by the thread that writes.
struct ConvertedPiece {
  Text leading_low;  // empty, or a low surrogate that began the result
  ByteString bytes;
  Text trailing_high;  // empty, or a high surrogate that ended the result
  std::size_t unmappable = 0;
  // Nothing at all: a high surrogate held from the piece before waits on for
  // the next (a decoder carrying a run over may give nothing for a piece).
  bool empty = false;
};

// Lets the pieces' results through PieceRules::in_order one at a time, in
// the order the pieces were read.
struct InOrderGate {
  std::mutex mutex;
  std::condition_variable turn;
  std::size_t next = 0;

  Text Pass(const PieceRules& rules, Text result, std::size_t index, bool last) {
    std::unique_lock lock(mutex);
    turn.wait(lock, [&] { return next == index; });
    // The next piece's turn comes even when this one fails, or it would
    // wait for ever.
    struct Advance {
      InOrderGate& gate;
      ~Advance() {
        ++gate.next;
        gate.turn.notify_all();
      }
    } advance{*this};
    return rules.in_order(std::move(result), last);
  }
};

ConvertedPiece ConvertPiece(const PieceRules& rules, const ByteString& piece, std::size_t index,
                            bool last, FileEncoding encoding, bool count_unmappable,
                            InOrderGate& gate) {
  Text result = rules.convert(DecodeInputPiece(piece, index == 0), index, last);
  if (rules.in_order) result = gate.Pass(rules, std::move(result), index, last);
  ConvertedPiece out;
  out.empty = index > 0 && !last && result.empty();
  // The first piece has nothing before it, and the mark goes first.
  if (index > 0 && !result.empty() && IsLowSurrogate(result.front())) {
    out.leading_low = result.substr(0, 1);
    result.erase(0, 1);
  }
  if (!last && !result.empty() && IsHighSurrogate(result.back())) {
    out.trailing_high = result.substr(result.size() - 1);
    result.pop_back();
  }
  if (!rules.keep_lone_surrogates) ReplaceLoneSurrogates(result);
  std::optional<ByteString> bytes = EncodeFileTextPiece(result, encoding, index == 0);
  if (bytes) out.bytes = std::move(*bytes);
  if (count_unmappable) out.unmappable = CountUnmappableCharacters(result, encoding);
  return out;
}

}  // namespace

Text DecodeInputPiece(const ByteString& piece, bool input_start) {
  Text text = Utf8BytesToText(piece);
  if (input_start && piece.starts_with("\xEF\xBB\xBF") && !text.empty() &&
      text.front() == u'\uFEFF') {
    text.erase(0, 1);
  }
  std::erase(text, u'\0');
  return text;
}

void ReplaceLoneSurrogates(Text& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      text[i] = u'\uFFFD';
    }
  }
}

void SetStreamReadBytes(std::size_t bytes) { read_bytes = bytes == 0 ? kReadBytes : bytes; }

std::size_t StreamReadBytes() { return read_bytes; }

bool CanStream(const Invocation& inv, int& status) {
  bool bad = false;
  const bool streams = InputStreams(inv, bad);
  if (bad) status = kExitError;
  return streams && !bad;
}

int StreamCommand(const Invocation& inv, std::size_t index, const PieceRules& rules) {
  std::optional<InputSource> in = InputSource::Open(inv, index);
  if (!in) return kExitError;
  DecodeAsRequested(inv, *in);
  return StreamCommand(inv, *in, rules);
}

int StreamCommand(const Invocation& inv, InputSource& source, const PieceRules& rules) {
  InputSource* in = &source;
  std::unique_ptr<EncodedOutput> out = EncodedOutput::Open(inv);
  if (!out) return kExitError;
  const FileEncoding encoding = out->encoding();
  const bool count = out->CountsUnmappable();

  InOrderGate gate;
  std::deque<std::future<ConvertedPiece>> pending;
  std::size_t unmappable = 0;
  std::size_t next_index = 0;
  bool write_failed = false;
  auto submit = [&](ByteString piece, bool last) {
    const std::size_t i = next_index++;
    pending.push_back(std::async(
        std::launch::async, [&rules, &gate, piece = std::move(piece), i, last, encoding, count] {
          return ConvertPiece(rules, piece, i, last, encoding, count, gate);
        }));
  };
  // Results are written in the order the pieces were read; a failed write
  // ends the output, and the pieces still in flight are waited for.
  Text held_high;  // the previous result's last unit, kept for the next one
  auto write_oldest = [&] {
    ConvertedPiece done = pending.front().get();
    pending.pop_front();
    if (write_failed || done.empty) return;
    Text edge = std::move(held_high);
    edge += done.leading_low;
    held_high = std::move(done.trailing_high);
    if (!rules.keep_lone_surrogates) ReplaceLoneSurrogates(edge);
    if (!edge.empty()) {
      if (count) unmappable += CountUnmappableCharacters(edge, encoding);
      if (!out->Write(EncodeFileTextPiece(edge, encoding, false).value_or(ByteString()))) {
        write_failed = true;
        return;
      }
    }
    unmappable += done.unmappable;
    if (!out->Write(done.bytes)) write_failed = true;
  };

  ByteString buffer;
  // Cuts before this position were looked for already: a long stretch
  // without a cut is searched once, not again after every read.
  std::size_t searched = 0;
  for (;;) {
    const bool at_end = in->ReadMore(buffer, read_bytes) == 0;
    if (in->failed() || write_failed) break;
    if (at_end) break;
    const std::size_t cut =
        rules.last_cut ? rules.last_cut(buffer) : LastUtf8CutPoint(buffer, searched, rules.cut);
    if (cut == 0) {
      searched = buffer.size() - 1;
      continue;
    }
    // The piece keeps the buffer it was read into; only the short rest
    // after the cut is copied.
    ByteString piece = std::move(buffer);
    buffer.assign(piece, cut, ByteString::npos);
    piece.resize(cut);
    submit(std::move(piece), false);
    searched = 0;
    while (pending.size() >= kPiecesInFlight) write_oldest();
  }
  if (!in->failed() && !write_failed) submit(std::move(buffer), true);
  while (!pending.empty()) write_oldest();
  if (in->failed() || write_failed) {
    out->Abandon();
    return kExitError;
  }
  return out->Finish(unmappable);
}

}  // namespace tekvo::cli
