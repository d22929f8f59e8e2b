// Putting new content into a file so that no failure, no retry and no crash
// can cost the last complete content.
//
// A regular file is never rewritten where it stands. The new content goes
// into a hidden temporary file in the same folder, which is flushed to disk
// and given the old file's owner and permissions; only then is it renamed
// over the target, which replaces it atomically: at every moment the target
// holds either its old or its new content, whole. While the rename is under
// way the old content also has a second name, "<path>.bak" (a hard link),
// which goes once the folder has been synced. A "<path>.bak" that exists
// before the save is not ours to judge (an interrupted earlier save, or the
// user's own file): it is left as it is and no backup is made.
//
// Devices, FIFOs and sockets cannot be replaced without destroying the node
// (a terminal, /dev/null, a pipe some reader waits on), so they are written
// where they are.
#ifndef TEKVO_FILES_FILE_REPLACE_H_
#define TEKVO_FILES_FILE_REPLACE_H_

#include <string>
#include <string_view>
#include <system_error>

#include "files/file_ops.h"

namespace tekvo {

// Makes `bytes` the whole content of the file at `path`, a regular file or a
// name not taken yet; `old` is what Stat said about `path` (exists false for
// a new file). Returns the error of the step that failed; then `path` is
// exactly as it was and the temporary file is removed. Once the rename has
// replaced the file the save counts as done: a folder that cannot be synced,
// or a backup that cannot be removed, leaves the backup beside the file.
std::error_code ReplaceFileContent(const std::string& path, const FileStat& old,
                                   std::string_view bytes, FileOps& ops);

// Writes `bytes` into the existing non-regular file at `path` where it is.
// Returns the error of the step that failed.
std::error_code WriteInPlace(const std::string& path, std::string_view bytes, FileOps& ops);

// The same two ways of putting content into a file, for content written a
// piece at a time because it is too long to hold: Begin creates the
// temporary file beside `path` (or opens a device or FIFO, which is written
// where it is), Write appends, Commit puts the temporary file in place as
// ReplaceFileContent does. A failed step, Abandon, or destruction before
// Commit removes the temporary file: `path` keeps its old content, whole.
// Devices and FIFOs have no old content to keep: what was written stays.
class StreamedReplacement {
 public:
  explicit StreamedReplacement(FileOps& ops) : ops_(ops) {}
  StreamedReplacement(const StreamedReplacement&) = delete;
  StreamedReplacement& operator=(const StreamedReplacement&) = delete;
  ~StreamedReplacement() { Abandon(); }

  // `old` is what Stat said about `path`. Returns the error of the step
  // that failed.
  std::error_code Begin(const std::string& path, const FileStat& old);
  // Appends all of `bytes`; after a failure every later call fails too.
  std::error_code Write(std::string_view bytes);
  std::error_code Commit();
  void Abandon();

 private:
  FileOps& ops_;
  std::string path_;
  std::string temp_;  // empty when writing in place
  FileStat old_;
  int fd_ = -1;
  std::error_code failed_;
};

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_REPLACE_H_
