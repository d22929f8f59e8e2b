#include "scripted_file_ops.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "file_test_support.h"

namespace tekvo::testing {
namespace {

// Bytes a cut-off write still gets onto the disk.
constexpr std::size_t kPartialWrite = 3;

std::error_code Eio() { return std::error_code(EIO, std::generic_category()); }

bool IsTempName(const std::string& name) {
  return name.size() > 1 && name[0] == '.' && name.find(".tekvo-") != std::string::npos;
}

}  // namespace

std::string ScriptedOps::Name(const std::string& path) const {
  std::string name = path;
  if (name.rfind(folder_ + "/", 0) == 0) name = name.substr(folder_.size() + 1);
  return IsTempName(name) ? "<tmp>" : name;
}

bool ScriptedOps::Fails(Op op, const std::string& entry) {
  log.push_back(entry);
  ++calls_;
  if (crash_at_ > 0 && calls_ >= crash_at_) return true;
  return op == fail_op_ && ++op_calls_[op] == fail_nth_;
}

std::error_code ScriptedOps::Stat(const std::string& p, FileStat& out) {
  return Fails(Op::kStat, "Stat " + Name(p)) ? Eio() : FileOps::Stat(p, out);
}
std::error_code ScriptedOps::Rename(const std::string& a, const std::string& b) {
  return Fails(Op::kRename, "Rename " + Name(a) + " " + Name(b)) ? Eio() : FileOps::Rename(a, b);
}
std::error_code ScriptedOps::Link(const std::string& a, const std::string& b) {
  return Fails(Op::kLink, "Link " + Name(a) + " " + Name(b)) ? Eio() : FileOps::Link(a, b);
}
std::error_code ScriptedOps::Remove(const std::string& p) {
  return Fails(Op::kRemove, "Remove " + Name(p)) ? Eio() : FileOps::Remove(p);
}
std::error_code ScriptedOps::CreateNew(const std::string& p, mode_t mode, int& fd) {
  return Fails(Op::kCreate, "Create " + Name(p)) ? Eio() : FileOps::CreateNew(p, mode, fd);
}
std::error_code ScriptedOps::OpenExisting(const std::string& p, int& fd) {
  return Fails(Op::kOpen, "Open " + Name(p)) ? Eio() : FileOps::OpenExisting(p, fd);
}
std::error_code ScriptedOps::Write(int fd, const char* data, std::size_t size) {
  if (!Fails(Op::kWrite, "Write")) return FileOps::Write(fd, data, size);
  FileOps::Write(fd, data, std::min(size, kPartialWrite));
  return Eio();
}
std::error_code ScriptedOps::Sync(int fd) {
  return Fails(Op::kSync, "Sync") ? Eio() : FileOps::Sync(fd);
}
std::error_code ScriptedOps::Close(int fd) {
  // A dead process still gives its descriptors back.
  std::error_code real = FileOps::Close(fd);
  return Fails(Op::kClose, "Close") ? Eio() : real;
}
std::error_code ScriptedOps::SetMode(const std::string& p, mode_t mode) {
  return Fails(Op::kSetMode, "SetMode " + Name(p)) ? Eio() : FileOps::SetMode(p, mode);
}
void ScriptedOps::SetOwner(const std::string& p, uid_t owner, gid_t group) {
  if (!Fails(Op::kSetOwner, "SetOwner " + Name(p))) FileOps::SetOwner(p, owner, group);
}
std::error_code ScriptedOps::SyncFolderOf(const std::string& p) {
  return Fails(Op::kSyncFolder, "SyncFolder " + Name(p)) ? Eio() : FileOps::SyncFolderOf(p);
}

std::map<std::string, std::string> FolderContent(const std::string& folder) {
  std::map<std::string, std::string> content;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    // A FIFO would block the reader; nodes count by name alone.
    content[IsTempName(name) ? "<tmp>" : name] =
        entry.is_regular_file() ? ReadBytes(entry.path().string()) : std::string();
  }
  return content;
}

}  // namespace tekvo::testing
