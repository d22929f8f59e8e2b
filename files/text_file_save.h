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

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/text/text.h"
#include "files/file_encoding.h"
#include "files/file_ops.h"
#include "files/file_replace.h"
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

// Saving a text too long to hold, a piece at a time, under the same rules:
// the target keeps its old content, whole, until the last piece is written
// and flushed, and a failure or a refusal at any point leaves it so. The
// question about characters the ANSI page lacks can only be asked once
// their number is known, at the end: the pieces then wait in the temporary
// file, and a No removes it.
class TextFileStreamSave {
 public:
  // Nothing happens on disk until Begin.
  TextFileStreamSave(std::string path, FileEncoding encoding, Prompter& prompter,
                     const SaveOptions& options = {});

  // The encoding the pieces are to be written in: the request, or kUnicode
  // for a request outside 1..8 (EncodeFileTextPiece gives their bytes).
  FileEncoding encoding() const { return used_; }

  // Checks the target (a folder is refused; a read-only or hidden file asks
  // "是否改写文件？") and creates the temporary file. kSaved means ready for
  // the pieces; kDeclined and kFailed (with the save's message) mean nothing
  // was changed and the other calls do nothing.
  SaveResult Begin();

  // Appends encoded bytes. False after a failure, whose message Finish
  // gives; the temporary file is then gone.
  bool Write(std::string_view bytes);

  // Puts the file in place. `unmappable` is the number of characters of the
  // whole text the ANSI page lacks (CountUnmappableCharacters summed over
  // the pieces); when it is not 0 and warnings are on, the question is
  // asked first and a No is kDeclined.
  SaveResult Finish(std::size_t unmappable);

  // Gives up: the target keeps its old content (a device keeps what it got).
  void Abandon() { replacement_.Abandon(); }

 private:
  SaveResult Failed(std::error_code error) const;

  std::string shown_;   // the path as given, for messages
  std::string target_;  // after symbolic links
  FileEncoding used_;
  Prompter& prompter_;
  SaveOptions options_;
  StreamedReplacement replacement_;
  std::error_code error_;
  bool begun_ = false;
};

// The question asked before a lossy ANSI save; public for the tests.
Text UnmappableQuestion(const std::string& path, std::size_t count, FileEncoding encoding);

}  // namespace tekvo

#endif  // TEKVO_FILES_TEXT_FILE_SAVE_H_
