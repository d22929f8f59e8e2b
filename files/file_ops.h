// The handful of file system calls a save makes, behind an interface so that
// tests can make any one of them fail (the tests run as root, for whom
// permission bits stop nothing). The default implementation is plain POSIX.
#ifndef TEKVO_FILES_FILE_OPS_H_
#define TEKVO_FILES_FILE_OPS_H_

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <system_error>

namespace tekvo {

struct FileStat {
  bool exists = false;
  bool directory = false;
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
};

class FileOps {
 public:
  virtual ~FileOps() = default;

  // Follows symbolic links. A missing file is not an error: `exists` is false.
  virtual std::error_code Stat(const std::string& path, FileStat& out);
  virtual std::error_code Rename(const std::string& from, const std::string& to);
  virtual std::error_code Remove(const std::string& path);
  // Creates (or truncates) a file for writing; `fd` receives its descriptor.
  virtual std::error_code Create(const std::string& path, int& fd);
  // Writes all of `size` bytes, however many calls that takes.
  virtual std::error_code Write(int fd, const char* data, std::size_t size);
  virtual std::error_code Sync(int fd);
  virtual std::error_code Close(int fd);
  virtual std::error_code SetMode(const std::string& path, mode_t mode);
  // Best effort: only root may give a file away.
  virtual void SetOwner(const std::string& path, uid_t owner, gid_t group);
  // Best effort: makes the folder's entries (a rename, a new file) durable.
  virtual void SyncFolderOf(const std::string& path);
};

// The process-wide POSIX implementation.
FileOps& PosixFileOps();

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_OPS_H_
