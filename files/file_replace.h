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

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_REPLACE_H_
