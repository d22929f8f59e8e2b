// The handful of file system calls a save makes, behind an interface so that
// tests can make any one of them fail, or record their order (the tests run
// as root, for whom permission bits stop nothing). The default
// implementation is plain POSIX. Every call returns the system's error, or
// an empty error_code on success.
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
  bool regular = false;  // false for devices, FIFOs and sockets too
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
};

class FileOps {
 public:
  virtual ~FileOps() = default;

  // Follows symbolic links. A missing file is not an error: `exists` is false.
  virtual std::error_code Stat(const std::string& path, FileStat& out);
  // Replaces `to` atomically when it exists.
  virtual std::error_code Rename(const std::string& from, const std::string& to);
  // A second name for an existing file; EEXIST when `new_name` is taken,
  // which is never replaced.
  virtual std::error_code Link(const std::string& existing, const std::string& new_name);
  virtual std::error_code Remove(const std::string& path);
  // Creates a file that must not exist yet (EEXIST otherwise), for writing,
  // with the permission bits `mode` less the process's umask.
  virtual std::error_code CreateNew(const std::string& path, mode_t mode, int& fd);
  // Opens an existing file for writing without creating or replacing it: for
  // devices and FIFOs, which are written where they are.
  virtual std::error_code OpenExisting(const std::string& path, int& fd);
  // Writes all of `size` bytes, however many calls that takes.
  virtual std::error_code Write(int fd, const char* data, std::size_t size);
  virtual std::error_code Sync(int fd);
  virtual std::error_code Close(int fd);
  virtual std::error_code SetMode(const std::string& path, mode_t mode);
  // Best effort: only root may give a file away.
  virtual void SetOwner(const std::string& path, uid_t owner, gid_t group);
  // Makes the entries of the folder holding `path` (a rename, a new or a
  // removed name) durable.
  virtual std::error_code SyncFolderOf(const std::string& path);
};

// The process-wide POSIX implementation.
FileOps& PosixFileOps();

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_OPS_H_
