#include "files/text_file_load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "engine/codepage/codepage.h"
#include "files/paths.h"

namespace tekvo {
namespace {

LoadResult Refuse(const std::string& path, LoadStatus status, const Text& reason) {
  LoadResult result;
  result.status = status;
  result.message = FileMessage(path, reason);
  return result;
}

LoadResult OpenFailed(const std::string& path, int error_number) {
  return Refuse(path, LoadStatus::kOpenFailed, u"打开失败~ " + ErrorText(error_number));
}

}  // namespace

Text FileMessage(const std::string& path, const Text& reason) {
  return PathText(path) + u"\r\n\r\n" + reason;
}

LoadResult LoadTextFile(const std::string& path, FileEncoding requested,
                        const LoadOptions& options) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return OpenFailed(path, errno);
  if (st.st_size <= 0) {
    LoadResult result;
    result.status = LoadStatus::kLoaded;
    result.encoding = requested;
    return result;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > options.max_bytes) {
    return Refuse(path, LoadStatus::kFileTooLarge, u"不能打开~ 文件过大");
  }

  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return OpenFailed(path, errno);
  ByteString bytes(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      ::close(fd);
      return OpenFailed(path, error_number);
    }
    if (r == 0) break;  // the file shrank since its size was taken
    got += static_cast<std::size_t>(r);
  }
  ::close(fd);
  bytes.resize(got);

  const FileEncoding detected = DetectFileEncoding(bytes);
  const FileEncoding used = ResolveFileEncoding(requested, detected);
  std::optional<Text> text = DecodeFileBytes(bytes, used, detected);
  if (!text) return OpenFailed(path, EILSEQ);
  if (text->size() > options.max_chars) {
    return Refuse(path, LoadStatus::kTextTooLong, u"不能打开~ 文本过长");
  }
  LoadResult result;
  result.status = LoadStatus::kLoaded;
  result.text = std::move(*text);
  result.encoding = used;
  result.line_breaks = DetectLineBreakStyle(result.text);
  return result;
}

}  // namespace tekvo
