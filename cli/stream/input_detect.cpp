#include "cli/stream/input_detect.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string_view>

#include "cli/stream/encoding_options.h"
#include "cli/stream/input_spool.h"
#include "cli/stream/io.h"
#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/text/utf8_cut.h"
#include "engine/text/utf8_sequence.h"
#include "files/detect_encoding.h"

namespace tekvo::cli {
namespace {

using namespace std::string_view_literals;

// Large enough that texts the editor opens are weighed whole, small enough
// that decoding the sample twice stays a few tens of megabytes.
constexpr std::size_t kSampleBytes = std::size_t{4} << 20;
std::size_t sample_bytes = kSampleBytes;
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
// The longest pattern looked for, less one: what a chunk keeps of the one
// before.
constexpr std::size_t kCarryBytes = 3;

// The position of FILE among each streaming command's arguments.
struct FileArgument {
  std::string_view command;
  std::size_t index;
};
constexpr std::array<FileArgument, 7> kFileArguments = {{{"convert", 0},
                                                         {"repair", 1},
                                                         {"shift", 2},
                                                         {"decode", 1},
                                                         {"encode", 1},
                                                         {"map", 1},
                                                         {"suggest", 0}}};

// What DetectFileEncoding's rules learn of the bytes, gathered piece by piece.
class Survey {
 public:
  explicit Survey(std::size_t sample_bytes) : sample_bytes_(sample_bytes) {}

  void Add(std::string_view chunk) {
    if (head_.size() < 3) head_.append(chunk.substr(0, 3 - head_.size()));
    if (sample_.size() < sample_bytes_) {
      sample_.append(chunk.substr(0, sample_bytes_ - sample_.size()));
    }
    const ByteString window = carry_ + ByteString(chunk);
    crlf_le_ = crlf_le_ || AtEvenOffset(window, "\x0D\x00\x0A\x00"sv);
    crlf_be_ = crlf_be_ || AtEvenOffset(window, "\x00\x0D\x00\x0A"sv);
    if (!zero_) {
      if (const std::size_t z = chunk.find('\0'); z != std::string_view::npos) zero_ = size_ + z;
    }
    if (utf8_valid_) ReadUtf8(chunk);
    size_ += chunk.size();
    const std::size_t keep = std::min(kCarryBytes, window.size());
    carry_at_ += window.size() - keep;
    carry_ = window.substr(window.size() - keep);
  }

  FileEncoding Verdict() {
    if (size_ < 2) return FileEncoding::kAnsiGb;
    if (head_.starts_with("\xFF\xFE")) return FileEncoding::kUnicode;
    if (head_.starts_with("\xFE\xFF")) return FileEncoding::kUnicodeBe;
    if (head_.starts_with("\xEF\xBB\xBF")) return FileEncoding::kUtf8;
    if (crlf_le_) return FileEncoding::kUnicodeNoBom;
    if (crlf_be_) return FileEncoding::kUnicodeBeNoBom;
    if (zero_ && size_ >= 3 && *zero_ <= size_ - 3) {
      return *zero_ % 2 == 1 ? FileEncoding::kUnicodeNoBom : FileEncoding::kUnicodeBeNoBom;
    }
    // A sequence cut short by the end of the file.
    if (!pending_.empty()) utf8_valid_ = false;
    if (!utf8_valid_ || !multibyte_) return FileEncoding::kAnsiGb;
    if (long_sequence_) return FileEncoding::kUtf8NoBom;
    if (size_ <= sample_.size()) return DetectFileEncoding(sample_);
    // Only two-byte sequences: GB or UTF-8 as the sample reads better, cut
    // after a whole character.
    const std::size_t end =
        LastUtf8CutPoint(sample_, 0, [](std::string_view, std::size_t) { return true; });
    const std::string_view sample = std::string_view(sample_).substr(0, end);
    const bool gb = IsMultiByteUtf8(sample) && DetectFileEncoding(sample) == FileEncoding::kAnsiGb;
    return gb ? FileEncoding::kAnsiGb : FileEncoding::kUtf8NoBom;
  }

 private:
  bool AtEvenOffset(const ByteString& window, std::string_view pattern) const {
    for (std::size_t pos = window.find(pattern); pos != ByteString::npos;
         pos = window.find(pattern, pos + 1)) {
      if ((carry_at_ + pos) % 2 == 0) return true;
    }
    return false;
  }

  void ReadUtf8(std::string_view chunk) {
    const ByteString bytes = pending_ + ByteString(chunk);
    std::size_t i = 0;
    while (i < bytes.size()) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      if (b < 0x80) {
        ++i;
        continue;
      }
      const std::size_t length = Utf8SequenceAt(bytes, i);
      if (length == 0) {
        // The next chunk may finish the sequence.
        if (bytes.size() - i < 4) break;
        utf8_valid_ = false;
        pending_.clear();
        return;
      }
      multibyte_ = true;
      if (length > 2) long_sequence_ = true;
      i += length;
    }
    pending_ = bytes.substr(i);
  }

  std::size_t sample_bytes_;
  std::uint64_t size_ = 0;
  ByteString head_;
  ByteString sample_;
  ByteString carry_;  // the last bytes of the chunks so far
  std::uint64_t carry_at_ = 0;
  bool crlf_le_ = false;
  bool crlf_be_ = false;
  std::optional<std::uint64_t> zero_;
  bool utf8_valid_ = true;
  bool multibyte_ = false;
  bool long_sequence_ = false;
  ByteString pending_;  // an unfinished sequence at the end of the chunks so far
};

// The reading RankEncodings puts first for the file's first `sample` bytes,
// cut after the last line feed (and the zero byte of a UTF-16 one) so that
// no character is cut short; nullopt when the file cannot be read or the
// reading's page keeps state from character to character, which is then
// read whole.
std::optional<InputReading> RankSample(const std::string& path, std::size_t sample) {
  std::ifstream file(path, std::ios::binary);
  ByteString bytes(sample, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad() || static_cast<std::size_t>(file.gcount()) != sample) return std::nullopt;
  if (const std::size_t lf = bytes.rfind('\n'); lf != ByteString::npos) {
    const std::size_t end = lf + 1 < bytes.size() && bytes[lf + 1] == '\0' ? lf + 2 : lf + 1;
    bytes.resize(end);
  }
  const EncodingReading best = RankEncodings(bytes).front();
  const bool utf16 = best.id == CodePageId::kUtf16Le || best.id == CodePageId::kUtf16Be;
  if (!utf16 && !IsCodePageStateless(best.id == CodePageId::kUtf8 ? kCpUtf8 : best.id))
    return std::nullopt;
  return InputReading{best.id, best.bom};
}

}  // namespace

std::optional<FileEncoding> DetectFileEncodingInPieces(const std::string& path,
                                                       std::size_t sample) {
  std::ifstream file(path, std::ios::binary);
  Survey survey(sample);
  std::string chunk(kChunkBytes, '\0');
  while (file) {
    file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got == 0) break;
    survey.Add(std::string_view(chunk.data(), got));
  }
  const bool failed = file.bad() || !file.eof();
  if (failed) return std::nullopt;
  return survey.Verdict();
}

// Where FILE stands among the arguments, when "--in" is one that is settled
// on the input and the command streams.
std::optional<std::size_t> SettledFileIndex(const ParsedArgs& args) {
  const std::optional<std::string> in = args.Option("--in");
  if (in != "auto" && in != "detect") return std::nullopt;
  const auto it = std::find_if(kFileArguments.begin(), kFileArguments.end(),
                               [&](const FileArgument& f) { return f.command == args.command; });
  if (it == kFileArguments.end()) return std::nullopt;
  return it->index;
}

std::optional<ParsedArgs> SettleAutoInput(const ParsedArgs& args) {
  const std::optional<std::size_t> index = SettledFileIndex(args);
  if (!index || *index >= args.positional.size()) return std::nullopt;
  const std::optional<std::string> in = args.Option("--in");
  const std::string& path = args.positional[*index];
  struct stat st {};
  if (path == "-" || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uint64_t>(st.st_size) <= sample_bytes) {
    return std::nullopt;
  }
  ParsedArgs settled = args;
  if (in == "detect") {
    settled.reading = RankSample(path, sample_bytes);
    if (!settled.reading) return std::nullopt;
    return settled;
  }
  const std::optional<FileEncoding> found = DetectFileEncodingInPieces(path, sample_bytes);
  if (!found) return std::nullopt;
  settled.options["--in"] = std::string(EncodingOptionName(*found));
  return settled;
}

std::optional<int> RunOnSettledPipe(const Command& command, const ParsedArgs& args, Io& io) {
  const std::optional<std::size_t> index = SettledFileIndex(args);
  // Missing arguments before FILE are the command's to report.
  if (!index || *index > args.positional.size()) return std::nullopt;
  if (*index < args.positional.size() && args.positional[*index] != "-") {
    struct stat st {};
    const std::string& path = args.positional[*index];
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
      return std::nullopt;
    }
  }
  const Invocation inv{command, args, io};
  std::optional<InputSource> in = InputSource::Open(inv, *index);
  if (!in) return kExitError;
  ByteString head;
  in->ReadMore(head, sample_bytes + 1);
  if (in->failed()) return kExitError;
  ParsedArgs settled = args;
  if (*index == settled.positional.size()) settled.positional.emplace_back();
  if (head.size() <= sample_bytes) {
    std::istringstream whole(head);
    Io from_memory{whole, io.out, io.err};
    settled.positional[*index] = "-";
    return command.run(Invocation{command, settled, from_memory});
  }
  std::optional<InputSpool> spool = InputSpool::Make(inv, head, *in);
  head = ByteString();
  if (!spool) return kExitError;
  settled.input_name = InputName(inv, *index);
  settled.positional[*index] = spool->Path();
  if (std::optional<ParsedArgs> found = SettleAutoInput(settled)) settled = std::move(*found);
  return command.run(Invocation{command, settled, io});
}

void SetDetectionSampleBytes(std::size_t bytes) {
  sample_bytes = bytes == 0 ? kSampleBytes : bytes;
}

}  // namespace tekvo::cli
