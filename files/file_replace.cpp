#include "files/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <random>

#include "files/paths.h"

namespace tekvo {
namespace {

// Names of temporary files tried before giving up on a folder full of them.
constexpr int kTempNameAttempts = 16;
// Room left in a 255-byte file name for the dot and the random suffix.
constexpr std::size_t kMaxTempStem = 200;
// The temporary file starts private; it gets the old file's bits once it is
// complete.
constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kNewFileMode = 0666;

bool Is(std::error_code e, int error_number) {
  return e == std::error_code(error_number, std::generic_category());
}

// ".<name>.tekvo-<8 hex digits>" beside `path`: hidden, so that file
// browsers do not show it while it exists.
std::string TempNameFor(const std::string& path, std::uint32_t salt) {
  const std::string name = FileNameOf(path);
  const std::string folder = path.substr(0, path.size() - name.size());
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".tekvo-%08x", salt);
  return folder + "." + name.substr(0, kMaxTempStem) + suffix;
}

std::error_code CreateTemp(const std::string& path, mode_t mode, FileOps& ops, std::string& temp,
                           int& fd) {
  std::random_device seed;
  std::minstd_rand salt(seed());
  std::error_code e;
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    temp = TempNameFor(path, static_cast<std::uint32_t>(salt()));
    e = ops.CreateNew(temp, mode, fd);
    if (!Is(e, EEXIST)) return e;
  }
  return e;
}

}  // namespace

std::error_code ReplaceFileContent(const std::string& path, const FileStat& old,
                                   std::string_view bytes, FileOps& ops) {
  std::string temp;
  int fd = -1;
  if (std::error_code e =
          CreateTemp(path, old.exists ? kPrivateMode : kNewFileMode, ops, temp, fd)) {
    return e;
  }
  auto abandon = [&](std::error_code e) {
    ops.Remove(temp);
    return e;
  };
  std::error_code e = ops.Write(fd, bytes.data(), bytes.size());
  // Flushed before the rename: a rename that reaches the disk before the
  // data would leave an empty or partial file under the old name.
  if (!e) e = ops.Sync(fd);
  std::error_code closed = ops.Close(fd);
  if (!e) e = closed;
  if (e) return abandon(e);
  if (old.exists) {
    // Owner first: giving a file away clears its set-user-ID bit.
    ops.SetOwner(temp, old.owner, old.group);
    if (std::error_code m = ops.SetMode(temp, old.mode)) return abandon(m);
  }

  const std::string bak = BackupPathOf(path);
  // A failed link (a taken name, a file system without hard links) only
  // means no backup: the rename below keeps the old content safe by itself.
  const bool own_backup = old.exists && !ops.Link(path, bak);
  if (std::error_code r = ops.Rename(temp, path)) {
    if (own_backup) ops.Remove(bak);
    return abandon(r);
  }
  // The new name must be durable before the other copy of the old content
  // goes; where that is not certain the backup stays.
  if (!ops.SyncFolderOf(path) && own_backup) ops.Remove(bak);
  return {};
}

std::error_code WriteInPlace(const std::string& path, std::string_view bytes, FileOps& ops) {
  int fd = -1;
  if (std::error_code e = ops.OpenExisting(path, fd)) return e;
  std::error_code e = ops.Write(fd, bytes.data(), bytes.size());
  std::error_code closed = ops.Close(fd);
  return e ? e : closed;
}

}  // namespace tekvo
