#include "cli/stream/io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <istream>
#include <ostream>
#include <string>

#include "cli/stream/encoding_options.h"
#include "engine/codepage/codepage.h"
#include "files/text_file_load.h"

namespace tekvo::cli {
namespace {

// Input is read in pieces of this size where it gives no size of its own.
constexpr std::size_t kChunk = std::size_t{1} << 20;

constexpr std::array<std::string_view, 4> kStandardOutputNames = {"-", "/dev/stdout", "/dev/fd/1",
                                                                  "/proc/self/fd/1"};

}  // namespace

std::string ReadFailure(const std::string& path, int error_number) {
  return path + ": 打开失败~ " + TextToUtf8Bytes(ErrorText(error_number));
}

std::string InputName(const Invocation& inv, std::size_t index) {
  const auto& pos = inv.args.positional;
  if (!inv.args.input_name.empty()) return inv.args.input_name;
  if (index >= pos.size() || pos[index] == "-") return std::string(kStandardInputName);
  return pos[index];
}

bool IsStandardOutputName(std::string_view path) {
  for (std::string_view name : kStandardOutputNames) {
    if (path == name) return true;
  }
  return false;
}

InputSource::InputSource(const Invocation& inv, int fd, std::string name)
    : inv_(&inv), fd_(fd), name_(std::move(name)) {}

InputSource InputSource::FromDescriptor(const Invocation& inv, int fd, std::string name) {
  return InputSource(inv, fd, std::move(name));
}

InputSource::InputSource(InputSource&& other) noexcept
    : inv_(other.inv_),
      fd_(other.fd_),
      name_(std::move(other.name_)),
      failed_(other.failed_),
      at_end_(other.at_end_),
      transcoder_(std::move(other.transcoder_)) {
  other.fd_ = -1;
}

InputSource::~InputSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<InputSource> InputSource::Open(const Invocation& inv, std::size_t index) {
  const auto& pos = inv.args.positional;
  if (index >= pos.size() || pos[index] == "-") {
    return InputSource(inv, -1, std::string(kStandardInputName));
  }
  const std::string& path = pos[index];
  const std::string name = InputName(inv, index);
  auto refuse = [&](int error_number) -> std::optional<InputSource> {
    Fail(inv, ReadFailure(name, error_number));
    return std::nullopt;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return refuse(errno);
  InputSource source(inv, fd, name);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return refuse(errno);
  // A folder opens for reading and fails only at the first read.
  if (S_ISDIR(st.st_mode)) return refuse(EISDIR);
  return source;
}

void InputSource::ReportReadError(int error_number) {
  failed_ = true;
  if (fd_ < 0) {
    Fail(*inv_, "cannot read standard input");
  } else {
    Fail(*inv_, ReadFailure(name_, error_number));
  }
}

void InputSource::DecodeFrom(FileEncoding requested) {
  transcoder_ = std::make_unique<InputTranscoder>(requested);
}

void InputSource::DecodeFrom(const InputReading& reading) {
  transcoder_ = std::make_unique<InputTranscoder>(reading);
}

std::size_t InputSource::ReadMore(ByteString& out, std::size_t n) {
  if (!transcoder_) return ReadRaw(out, n);
  const std::size_t old = out.size();
  ByteString raw;
  // A read may give only part of a character, which waits: read on until
  // something comes out or the input ends.
  while (out.size() == old) {
    raw.clear();
    const std::size_t got = ReadRaw(raw, n);
    if (failed_) return 0;
    transcoder_->Add(raw, got == 0, out);
    if (got == 0) break;
  }
  return out.size() - old;
}

std::size_t InputSource::ReadRaw(ByteString& out, std::size_t n) {
  if (failed_ || at_end_ || n == 0) return 0;
  const std::size_t old = out.size();
  out.resize(old + n);
  std::size_t got = 0;
  if (fd_ < 0) {
    std::istream& in = inv_->io.in;
    in.read(out.data() + old, static_cast<std::streamsize>(n));
    got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
      out.resize(old);
      ReportReadError(EIO);
      return 0;
    }
    if (!in) at_end_ = true;
  } else {
    // Pipes and terminals give what they have; read until the piece is full
    // or the input ends, so pieces do not depend on how the writer wrote.
    while (got < n) {
      const ssize_t r = ::read(fd_, out.data() + old + got, n - got);
      if (r < 0) {
        if (errno == EINTR) continue;
        out.resize(old);
        ReportReadError(errno);
        return 0;
      }
      if (r == 0) {
        at_end_ = true;
        break;
      }
      got += static_cast<std::size_t>(r);
    }
  }
  out.resize(old + got);
  return got;
}

bool InputSource::ReadAll(ByteString& out) {
  // A regular file's size sets the first read; anything else (a pipe, a
  // device, a /proc file that says 0) goes on until the end.
  std::size_t piece = kChunk;
  struct stat st {};
  if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    piece = static_cast<std::size_t>(st.st_size) + 1;
  }
  while (ReadMore(out, piece) > 0) piece = kChunk;
  return !failed_;
}

std::optional<ByteString> ReadInputBytes(const Invocation& inv, std::size_t index) {
  std::optional<InputSource> source = InputSource::Open(inv, index);
  if (!source) return std::nullopt;
  ByteString bytes;
  if (!source->ReadAll(bytes)) return std::nullopt;
  return bytes;
}

std::optional<Text> ReadInputText(const Invocation& inv, std::size_t index) {
  return ReadEncodedInput(inv, index);
}

int WriteOutputBytes(const Invocation& inv, const ByteString& bytes) {
  inv.io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  inv.io.out.flush();
  if (!inv.io.out) return Fail(inv, "cannot write the output");
  return kExitOk;
}

int WriteOutputText(const Invocation& inv, const Text& text) {
  return WriteEncodedOutput(inv, text);
}

}  // namespace tekvo::cli
