// Real POSIX file calls with a script on top, for the save tests: one call
// can be made to fail, the process can "die" at any call, and every call is
// written to a log with the names shortened, so that tests check the order.
#ifndef TEKVO_TESTS_FILES_SCRIPTED_FILE_OPS_H_
#define TEKVO_TESTS_FILES_SCRIPTED_FILE_OPS_H_

#include <map>
#include <string>
#include <vector>

#include "files/file_ops.h"

namespace tekvo::testing {

enum class Op {
  kStat,
  kRename,
  kLink,
  kRemove,
  kCreate,
  kOpen,
  kWrite,
  kSync,
  kClose,
  kSetMode,
  kSetOwner,
  kSyncFolder,
};

class ScriptedOps : public FileOps {
 public:
  // Names below `folder` are logged relative to it; the temporary files of a
  // save ("." + name + ".tekvo-" + salt) are logged as "<tmp>".
  explicit ScriptedOps(std::string folder) : folder_(std::move(folder)) {}

  // The `nth` call (from 1) of `op` fails with EIO and has no effect, except
  // that a failing write first writes a few bytes, as a full disk does.
  void FailAt(Op op, int nth) {
    fail_op_ = op;
    fail_nth_ = nth;
  }
  // From call number `call` (from 1, counting every call) on, the process is
  // dead: no call has any effect, and a write cut off writes a few bytes.
  void CrashAt(int call) { crash_at_ = call; }

  std::vector<std::string> log;

  std::error_code Stat(const std::string& p, FileStat& out) override;
  std::error_code Rename(const std::string& a, const std::string& b) override;
  std::error_code Link(const std::string& a, const std::string& b) override;
  std::error_code Remove(const std::string& p) override;
  std::error_code CreateNew(const std::string& p, mode_t mode, int& fd) override;
  std::error_code OpenExisting(const std::string& p, int& fd) override;
  std::error_code Write(int fd, const char* data, std::size_t size) override;
  std::error_code Sync(int fd) override;
  std::error_code Close(int fd) override;
  std::error_code SetMode(const std::string& p, mode_t mode) override;
  void SetOwner(const std::string& p, uid_t owner, gid_t group) override;
  std::error_code SyncFolderOf(const std::string& p) override;

 private:
  // Logs the call and says whether it is to fail.
  bool Fails(Op op, const std::string& entry);
  std::string Name(const std::string& path) const;

  std::string folder_;
  Op fail_op_ = Op::kStat;
  int fail_nth_ = 0;
  int crash_at_ = 0;
  int calls_ = 0;
  std::map<Op, int> op_calls_;
};

// What a folder holds: file name to content, temporary files of a save
// named "<tmp>" (several of them under one key, the last one wins).
std::map<std::string, std::string> FolderContent(const std::string& folder);

}  // namespace tekvo::testing

#endif  // TEKVO_TESTS_FILES_SCRIPTED_FILE_OPS_H_
