#include "cli/stream/input_scan.h"

#include <sys/stat.h>

#include <string>
#include <utility>

#include "cli/stream/encoding_options.h"
#include "cli/stream/stream.h"
#include "engine/text/utf8_cut.h"

namespace tekvo::cli {
namespace {

bool IsRegularFileArgument(const Invocation& inv, std::size_t index) {
  const auto& pos = inv.args.positional;
  if (index >= pos.size() || pos[index] == "-") return false;
  struct stat st {};
  return ::stat(pos[index].c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool ScanInput(InputSource& in, const std::function<void(const Text&)>& scan) {
  const auto anywhere = [](std::string_view, std::size_t) { return true; };
  ByteString buffer;
  std::size_t searched = 0;
  bool input_start = true;
  while (in.ReadMore(buffer, StreamReadBytes()) > 0) {
    const std::size_t cut = LastUtf8CutPoint(buffer, searched, anywhere);
    if (cut == 0) {
      searched = buffer.size() - 1;
      continue;
    }
    const ByteString piece(buffer, 0, cut);
    buffer.erase(0, cut);
    searched = 0;
    scan(DecodeInputPiece(piece, input_start));
    input_start = false;
  }
  if (in.failed()) return false;
  if (!buffer.empty()) scan(DecodeInputPiece(buffer, input_start));
  return true;
}

std::optional<InputReadTwice> InputReadTwice::Scan(const Invocation& inv, std::size_t index,
                                                   const std::function<void(const Text&)>& scan) {
  std::optional<InputReadTwice> input = Keep(inv, index);
  if (!input) return std::nullopt;
  std::optional<InputSource> in = input->Reopen();
  if (!in || !ScanInput(*in, scan)) return std::nullopt;
  return input;
}

std::optional<InputReadTwice> InputReadTwice::ScanBytes(
    const Invocation& inv, std::size_t index, const std::function<void(std::string_view)>& scan) {
  std::optional<InputReadTwice> input = Keep(inv, index);
  if (!input) return std::nullopt;
  std::optional<InputSource> in = input->Reopen();
  if (!in) return std::nullopt;
  ByteString piece;
  for (;;) {
    piece.clear();
    if (in->ReadMore(piece, StreamReadBytes()) == 0) break;
    scan(piece);
  }
  if (in->failed()) return std::nullopt;
  return input;
}

std::optional<InputReadTwice> InputReadTwice::Keep(const Invocation& inv, std::size_t index) {
  InputReadTwice input(inv, index);
  if (!IsRegularFileArgument(inv, index)) {
    std::optional<InputSource> piped = InputSource::Open(inv, index);
    if (!piped) return std::nullopt;
    std::optional<InputSpool> spool = InputSpool::Make(inv, {}, *piped);
    if (!spool) return std::nullopt;
    input.spool_.emplace(std::move(*spool));
  }
  return input;
}

std::optional<InputSource> InputReadTwice::Reopen() const {
  std::optional<InputSource> in = spool_ ? spool_->Reopen() : InputSource::Open(*inv_, index_);
  if (in) DecodeAsRequested(*inv_, *in);
  return in;
}

}  // namespace tekvo::cli
