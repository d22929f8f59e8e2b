#include "files/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tekvo {
namespace {

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

}  // namespace

std::error_code FileOps::Stat(const std::string& path, FileStat& out) {
  out = FileStat();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return LastError();
  }
  out.exists = true;
  out.directory = S_ISDIR(st.st_mode);
  out.regular = S_ISREG(st.st_mode);
  out.mode = st.st_mode;
  out.owner = st.st_uid;
  out.group = st.st_gid;
  return {};
}

std::error_code FileOps::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code FileOps::Link(const std::string& existing, const std::string& new_name) {
  return ::link(existing.c_str(), new_name.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code FileOps::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code FileOps::CreateNew(const std::string& path, mode_t mode, int& fd) {
  fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  return fd >= 0 ? std::error_code() : LastError();
}

std::error_code FileOps::OpenExisting(const std::string& path, int& fd) {
  // O_TRUNC empties a regular file reached this way and is ignored by
  // terminals, FIFOs and the null device.
  fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
  return fd >= 0 ? std::error_code() : LastError();
}

std::error_code FileOps::Write(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return {};
}

std::error_code FileOps::Sync(int fd) { return ::fsync(fd) == 0 ? std::error_code() : LastError(); }

std::error_code FileOps::Close(int fd) {
  return ::close(fd) == 0 ? std::error_code() : LastError();
}

std::error_code FileOps::SetMode(const std::string& path, mode_t mode) {
  return ::chmod(path.c_str(), mode & 07777) == 0 ? std::error_code() : LastError();
}

void FileOps::SetOwner(const std::string& path, uid_t owner, gid_t group) {
  if (::geteuid() == 0) (void)::chown(path.c_str(), owner, group);
}

std::error_code FileOps::SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastError();
  std::error_code error;
  // Some file systems cannot sync a folder and say so; their entries are as
  // durable as they get.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) error = LastError();
  ::close(fd);
  return error;
}

FileOps& PosixFileOps() {
  static FileOps ops;
  return ops;
}

}  // namespace tekvo
