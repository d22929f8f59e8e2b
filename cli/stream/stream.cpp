#include "cli/stream/stream.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "cli/stream/encoding_options.h"
#include "cli/stream/io.h"
#include "engine/codepage/codepage.h"
#include "engine/text/utf8_cut.h"
#include "files/file_encoding.h"

namespace tekvo::cli {
namespace {

// Bytes read at a time. Large enough that a piece's conversion costs far
// more than handing it to a thread, small enough that the pieces in flight
// stay a few megabytes.
constexpr std::size_t kReadBytes = std::size_t{1} << 19;
std::size_t read_bytes = kReadBytes;
// One worker per core, up to a few: past that the main thread's reading
// and writing, which are not shared out, set the pace.
constexpr std::size_t kMaxWorkers = 4;

std::size_t WorkerCount() {
  return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, kMaxWorkers);
}

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

// Converts `bytes`, all of a piece or a stretch of it, through the
// command's `convert` (and `in_order`, for a whole piece) and appends the
// encoded result to `out`. A low surrogate that starts a piece and a high
// one that ends it are kept apart for the writer.
void ConvertStretch(const PieceRules& rules, const ByteString& bytes, std::size_t index, bool last,
                    bool piece_start, bool piece_end, FileEncoding encoding, bool count_unmappable,
                    InOrderGate* gate, ConvertedPiece& out) {
  Text result = rules.convert(DecodeInputPiece(bytes, index == 0), index, last);
  if (gate != nullptr && rules.in_order) result = gate->Pass(rules, std::move(result), index, last);
  // The first piece has nothing before it, and the mark goes first.
  if (piece_start && index > 0 && !result.empty() && IsLowSurrogate(result.front())) {
    out.leading_low = result.substr(0, 1);
    result.erase(0, 1);
  }
  if (piece_end && !last && !result.empty() && IsHighSurrogate(result.back())) {
    out.trailing_high = result.substr(result.size() - 1);
    result.pop_back();
  }
  if (!rules.keep_lone_surrogates) ReplaceLoneSurrogates(result);
  std::optional<ByteString> encoded = EncodeFileTextPiece(result, encoding, index == 0);
  if (encoded) out.bytes += *encoded;
  if (count_unmappable) out.unmappable += CountUnmappableCharacters(result, encoding);
}

// The first position from `from` on where the piece may be cut, or its size.
std::size_t NextCut(std::string_view bytes, std::size_t from, const PieceRules& rules) {
  for (std::size_t p = std::max<std::size_t>(from, 1); p < bytes.size(); ++p) {
    if (IsUtf8CutPoint(bytes, p) && rules.cut(bytes, p)) return p;
  }
  return bytes.size();
}

// Where the direct conversion stops, the converter takes over up to a cut
// at least this far on: a cut after every space would cost more in calls
// than the stretches it saves.
constexpr std::size_t kMinConvertedStretch = 4096;

ConvertedPiece ConvertPiece(const PieceRules& rules, const ByteString& piece, std::size_t index,
                            bool last, FileEncoding encoding, bool count_unmappable,
                            InOrderGate& gate) {
  ConvertedPiece out;
  // A command that carries state from piece to piece takes each piece whole,
  // in order; the direct conversion is only for commands that carry none.
  if (!rules.direct || rules.in_order || encoding != FileEncoding::kUtf8NoBom) {
    ConvertStretch(rules, piece, index, last, true, true, encoding, count_unmappable, &gate, out);
  } else {
    const std::string_view all = piece;
    std::size_t p = 0;
    while (p < all.size()) {
      p += rules.direct(all.substr(p), out.bytes);
      if (p == all.size()) break;
      const std::size_t end = NextCut(all, p + kMinConvertedStretch, rules);
      const bool piece_start = p == 0;
      const bool piece_end = end == all.size();
      ConvertStretch(rules, ByteString(all.substr(p, end - p)),
                     piece_start ? index : std::max<std::size_t>(index, 1), last && piece_end,
                     piece_start, piece_end, encoding, count_unmappable, nullptr, out);
      p = end;
    }
    // An input converted whole whose result is empty gives the input back,
    // which its stretches alone cannot tell.
    if (index == 0 && last && out.bytes.empty()) {
      ConvertStretch(rules, piece, index, last, true, true, encoding, count_unmappable, nullptr,
                     out);
    }
  }
  out.empty = index > 0 && !last && out.leading_low.empty() && out.bytes.empty() &&
              out.trailing_high.empty();
  return out;
}

// Threads that convert pieces for the whole command: a thread started per
// piece would pay for its start, and for the converters it opens, every
// half megabyte. A job that throws hands the exception to its future.
class PieceWorkers {
 public:
  explicit PieceWorkers(std::size_t count) {
    try {
      for (std::size_t i = 0; i < count; ++i) threads_.emplace_back([this] { Run(); });
    } catch (const std::system_error&) {
      // No thread, or no address space for its stack, left under the
      // process's limits: the workers that started do the work, or with
      // none the calling thread does.
    }
  }
  ~PieceWorkers() {
    {
      std::lock_guard<std::mutex> lock(mu_);
      closing_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
  }
  PieceWorkers(const PieceWorkers&) = delete;
  PieceWorkers& operator=(const PieceWorkers&) = delete;

  template <typename Job>
  std::future<ConvertedPiece> Submit(Job job) {
    std::packaged_task<ConvertedPiece()> task(std::move(job));
    std::future<ConvertedPiece> result = task.get_future();
    if (threads_.empty()) {
      task();
      return result;
    }
    {
      std::lock_guard<std::mutex> lock(mu_);
      jobs_.push_back(std::move(task));
    }
    wake_.notify_one();
    return result;
  }

 private:
  void Run() {
    for (;;) {
      std::packaged_task<ConvertedPiece()> task;
      {
        std::unique_lock<std::mutex> lock(mu_);
        wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        task = std::move(jobs_.front());
        jobs_.pop_front();
      }
      task();
    }
  }

  std::mutex mu_;
  std::condition_variable wake_;
  std::deque<std::packaged_task<ConvertedPiece()>> jobs_;
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

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

std::size_t FindCut(const PieceRules& rules, std::string_view bytes, std::size_t& searched) {
  const std::size_t cut =
      rules.last_cut ? rules.last_cut(bytes) : LastUtf8CutPoint(bytes, searched, rules.cut);
  searched = cut == 0 && !bytes.empty() ? bytes.size() - 1 : 0;
  return cut;
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
  PieceWorkers workers(WorkerCount());
  // A piece more than there are workers keeps them busy while the main
  // thread writes a result or reads on.
  const std::size_t in_flight = WorkerCount() + 1;
  std::size_t unmappable = 0;
  std::size_t next_index = 0;
  bool write_failed = false;
  auto submit = [&](ByteString piece, bool last) {
    const std::size_t i = next_index++;
    pending.push_back(
        workers.Submit([&rules, &gate, piece = std::move(piece), i, last, encoding, count] {
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
  std::size_t searched = 0;
  for (;;) {
    const bool at_end = in->ReadMore(buffer, read_bytes) == 0;
    if (in->failed() || write_failed) break;
    if (at_end) break;
    const std::size_t cut = FindCut(rules, buffer, searched);
    if (cut == 0) continue;
    // The piece keeps the buffer it was read into; only the short rest
    // after the cut is copied.
    ByteString piece = std::move(buffer);
    buffer.assign(piece, cut, ByteString::npos);
    piece.resize(cut);
    submit(std::move(piece), false);
    while (pending.size() >= in_flight) write_oldest();
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
