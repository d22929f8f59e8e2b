// Writing the editor's text to a file in a chosen encoding, without ever
// losing the old content: the new content replaces the file only once it is
// completely written and flushed to disk, and a failed save leaves the file
// as it was (see files/file_replace.h for the steps and the "<path>.bak"
// kept while they run).
//
// Questions (replacing a read-only or hidden file, characters the ANSI page
// lacks) go through the Prompter; failures come back as the exact message.
#ifndef TEKVO_FILES_TEXT_FILE_SAVE_H_
#define TEKVO_FILES_TEXT_FILE_SAVE_H_

#include <string>

#include "engine/text.h"
#include "files/file_encoding.h"
#include "files/file_ops.h"
#include "files/prompter.h"

namespace tekvo {

struct SaveOptions {
  // Ask before characters the ANSI code page lacks are written as "?".
  bool warn_unmappable = true;
  // The file system calls; null means PosixFileOps().
  FileOps* ops = nullptr;
};

enum class SaveStatus {
  kSaved,
  kDeclined,  // the user answered No to a question; nothing was changed
  kFailed,    // `message` says why
};

struct SaveResult {
  SaveStatus status = SaveStatus::kFailed;
  // The encoding written: the request, or kUnicode for a request outside 1..8.
  FileEncoding encoding = FileEncoding::kUnicode;
  // For kFailed: path, CR LF, CR LF, "保存失败~ " and the reason.
  Text message;

  bool ok() const { return status == SaveStatus::kSaved; }
};

// Writes `text` to `path` (UTF-8 bytes) in `encoding`. See the file comment
// for the backup; the new file takes the old file's permission bits (and,
// for root, its owner). Replacing a protected file asks "是否改写文件？"; a
// folder at `path` is refused; a symbolic link is written through; a device
// or FIFO is written where it is. On kFailed the file at `path` holds its
// old content, whole.
SaveResult SaveTextFile(const Text& text, const std::string& path, FileEncoding encoding,
                        Prompter& prompter, const SaveOptions& options = {});

// The question asked before a lossy ANSI save; public for the tests.
Text UnmappableQuestion(const std::string& path, std::size_t count, FileEncoding encoding);

}  // namespace tekvo

#endif  // TEKVO_FILES_TEXT_FILE_SAVE_H_
