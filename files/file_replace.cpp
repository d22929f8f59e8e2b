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
  StreamedReplacement replacement(ops);
  if (std::error_code e = replacement.Begin(path, old)) return e;
  if (std::error_code e = replacement.Write(bytes)) return e;
  return replacement.Commit();
}

std::error_code WriteInPlace(const std::string& path, std::string_view bytes, FileOps& ops) {
  int fd = -1;
  if (std::error_code e = ops.OpenExisting(path, fd)) return e;
  std::error_code e = ops.Write(fd, bytes.data(), bytes.size());
  std::error_code closed = ops.Close(fd);
  return e ? e : closed;
}

std::error_code StreamedReplacement::Begin(const std::string& path, const FileStat& old) {
  path_ = path;
  old_ = old;
  if (old.exists && !old.regular) {
    failed_ = ops_.OpenExisting(path, fd_);
    return failed_;
  }
  failed_ = CreateTemp(path, old.exists ? kPrivateMode : kNewFileMode, ops_, temp_, fd_);
  if (failed_) temp_.clear();
  return failed_;
}

std::error_code StreamedReplacement::Write(std::string_view bytes) {
  if (failed_) return failed_;
  if (fd_ < 0) return failed_ = std::error_code(EBADF, std::generic_category());
  failed_ = ops_.Write(fd_, bytes.data(), bytes.size());
  if (failed_) Abandon();
  return failed_;
}

void StreamedReplacement::Abandon() {
  if (fd_ >= 0) ops_.Close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ops_.Remove(temp_);
  temp_.clear();
}

std::error_code StreamedReplacement::Commit() {
  if (failed_) return failed_;
  if (fd_ < 0) return failed_ = std::error_code(EBADF, std::generic_category());
  const int fd = fd_;
  fd_ = -1;
  if (temp_.empty()) return failed_ = ops_.Close(fd);
  auto abandon = [&](std::error_code e) {
    failed_ = e;
    Abandon();
    return e;
  };
  // Flushed before the rename: a rename that reaches the disk before the
  // data would leave an empty or partial file under the old name.
  std::error_code e = ops_.Sync(fd);
  std::error_code closed = ops_.Close(fd);
  if (!e) e = closed;
  if (e) return abandon(e);
  if (old_.exists) {
    // Owner first: giving a file away clears its set-user-ID bit.
    ops_.SetOwner(temp_, old_.owner, old_.group);
    if (std::error_code m = ops_.SetMode(temp_, old_.mode)) return abandon(m);
  }

  const std::string bak = BackupPathOf(path_);
  // A failed link (a taken name, a file system without hard links) only
  // means no backup: the rename below keeps the old content safe by itself.
  const bool own_backup = old_.exists && !ops_.Link(path_, bak);
  if (std::error_code r = ops_.Rename(temp_, path_)) {
    if (own_backup) ops_.Remove(bak);
    return abandon(r);
  }
  temp_.clear();
  // The new name must be durable before the other copy of the old content
  // goes; where that is not certain the backup stays.
  if (!ops_.SyncFolderOf(path_) && own_backup) ops_.Remove(bak);
  return {};
}

}  // namespace tekvo
