#include "cli/stream/input_spool.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "engine/codepage/codepage.h"
#include "engine/text/utf8_cut.h"
#include "files/text_file_load.h"

namespace tekvo::cli {
namespace {

constexpr std::size_t kCopyBytes = std::size_t{1} << 20;
// Bytes looked at past a slice's nominal ends for a place to cut.
constexpr std::size_t kCutReach = 64;

std::string TempFolder() {
  const char* dir = std::getenv("TMPDIR");
  return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

// An unnamed file: nothing is left behind however the process ends.
int OpenUnnamed(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  // File systems without O_TMPFILE: a named file, unlinked at once.
  std::string name = folder + "/tekvo-cli-XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.c_str());
  return fd;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t w = ::write(fd, data, size);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    size -= static_cast<std::size_t>(w);
  }
  return true;
}

// The nearest position from `p` on (step +1) or back (step -1), a few bytes
// at most, that lies at a multiple of four bytes from the file's start and
// where UTF-8 may be cut; `p` itself when there is none.
std::size_t AlignedCut(const ByteString& raw, std::size_t from, std::size_t p, int step) {
  constexpr std::size_t kGroup = 4;
  constexpr std::size_t kReach = 16;
  std::size_t q = p;
  for (std::size_t moved = 0; moved <= kReach && q > 0 && q < raw.size(); ++moved) {
    if ((from + q) % kGroup == 0 && IsUtf8CutPoint(raw, q)) return q;
    q = step > 0 ? q + 1 : q - 1;
  }
  return p;
}

}  // namespace

InputSpool::InputSpool(InputSpool&& other) noexcept
    : inv_(other.inv_), fd_(other.fd_), size_(other.size_) {
  other.fd_ = -1;
}

InputSpool::~InputSpool() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<InputSpool> InputSpool::Make(const Invocation& inv, const ByteString& head,
                                           InputSource& in) {
  const std::string folder = TempFolder();
  const int fd = OpenUnnamed(folder);
  auto fail = [&](int error_number) -> std::optional<InputSpool> {
    Fail(inv, folder + ": cannot keep the input: " + TextToUtf8Bytes(ErrorText(error_number)));
    return std::nullopt;
  };
  if (fd < 0) return fail(errno);
  InputSpool spool(inv, fd);
  if (!WriteAll(fd, head.data(), head.size())) return fail(errno);
  spool.size_ = head.size();
  ByteString piece;
  for (;;) {
    piece.clear();
    if (in.ReadMore(piece, kCopyBytes) == 0) break;
    if (!WriteAll(fd, piece.data(), piece.size())) return fail(errno);
    spool.size_ += piece.size();
  }
  if (in.failed()) return std::nullopt;
  return spool;
}

std::optional<ByteString> InputSpool::Sample(std::size_t count, std::size_t slice_bytes) const {
  ByteString sample;
  if (count == 0) return sample;
  const std::size_t stride = count > 1 ? (size_ - slice_bytes) / (count - 1) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    // Read a little on either side, so the slice can start and end on a cut.
    const std::size_t nominal = i * stride;
    const std::size_t from = nominal >= kCutReach ? nominal - kCutReach : 0;
    const std::size_t want = std::min(size_ - from, slice_bytes + 2 * kCutReach);
    ByteString raw(want, '\0');
    const ssize_t got = ::pread(fd_, raw.data(), want, static_cast<off_t>(from));
    if (got < 0) {
      Fail(*inv_, "cannot read the kept input: " + TextToUtf8Bytes(ErrorText(errno)));
      return std::nullopt;
    }
    raw.resize(static_cast<std::size_t>(got));
    std::size_t start = 0;
    if (from > 0) {
      start = nominal - from;
      while (start < raw.size() && !IsUtf8CutPoint(raw, start)) ++start;
    }
    std::size_t end = raw.size();
    if (from + raw.size() < size_) {
      end = std::min(raw.size(), start + slice_bytes);
      while (end > start && !IsUtf8CutPoint(raw, end)) --end;
    }
    // Whole lines where lines are short enough: a Base64 block, a mail's
    // encoded lines and the segmenting repair read line by line, and a slice
    // that starts or ends inside a line would show them damage the input
    // does not have.
    bool start_on_line = from == 0;
    if (from > 0) {
      const std::size_t feed = raw.find('\n', start);
      if (feed != ByteString::npos && feed < start + slice_bytes / 2) {
        start = feed + 1;
        start_on_line = true;
      }
    }
    bool end_on_line = end == raw.size();
    if (end < raw.size() && end > start) {
      const std::size_t feed = raw.rfind('\n', end - 1);
      if (feed != ByteString::npos && feed >= start && end - feed < slice_bytes / 2) {
        end = feed + 1;
        end_on_line = true;
      }
    }
    // Inside a line too long to take whole (a file of one line of Base64),
    // keep to the four-character groups counted from the file's start, or
    // every slice would decode as noise.
    if (!start_on_line) start = AlignedCut(raw, from, start, +1);
    if (!end_on_line) end = AlignedCut(raw, from, end, -1);
    if (end <= start) continue;
    if (!sample.empty() && sample.back() != '\n') sample += '\n';
    sample.append(raw, start, end - start);
  }
  return sample;
}

std::optional<InputSource> InputSpool::Reopen() const {
  const int fd = ::dup(fd_);
  if (fd < 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
    Fail(*inv_, "cannot read the kept input: " + TextToUtf8Bytes(ErrorText(errno)));
    if (fd >= 0) ::close(fd);
    return std::nullopt;
  }
  return InputSource::FromDescriptor(*inv_, fd, "the kept input");
}

}  // namespace tekvo::cli
