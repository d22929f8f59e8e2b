// Reading a text file whole: size limits, encoding detection and resolution,
// decoding. Nothing is shown to the user; a refusal or failure comes back with
// the exact message the editor shows (the path, two CR LF, the reason).
#ifndef TEKVO_FILES_TEXT_FILE_LOAD_H_
#define TEKVO_FILES_TEXT_FILE_LOAD_H_

#include <cstddef>
#include <string>

#include "engine/text/text.h"
#include "files/error_text.h"
#include "files/file_encoding.h"
#include "files/line_break_style.h"

namespace tekvo {

// Three bytes for each character the editor can hold.
inline constexpr std::size_t kMaxFileBytes = 3 * kMaxTextLen;

// The editor's limits by default; the command-line tool passes
// kNoLengthLimit for both.
struct LoadOptions {
  std::size_t max_bytes = kMaxFileBytes;
  std::size_t max_chars = kMaxTextLen;
};

enum class LoadStatus {
  kLoaded,
  kFileTooLarge,  // "不能打开~ 文件过大"; the file was not opened
  kTextTooLong,   // "不能打开~ 文本过长"
  kOpenFailed,    // "打开失败~ " and the system's description of the error
};

struct LoadResult {
  LoadStatus status = LoadStatus::kOpenFailed;
  Text text;
  // The encoding used (1..8). For an empty file, the request unchanged.
  FileEncoding encoding = FileEncoding::kDefaultEncoding;
  // The style most of the file's line breaks use; CR LF when it has none.
  LineBreakStyle line_breaks = LineBreakStyle::kCrLf;
  // Empty when loaded; otherwise path, CR LF, CR LF and the reason.
  Text message;

  bool ok() const { return status == LoadStatus::kLoaded; }
};

// Reads the file at `path` (UTF-8 bytes) and decodes it. `requested` is the
// user's choice (0 to detect); the encoding used follows
// ResolveFileEncoding. An empty file loads as empty text without being
// opened. Every U+0000 is dropped from the text.
LoadResult LoadTextFile(const std::string& path, FileEncoding requested,
                        const LoadOptions& options = {});

// The message for a file problem: path, CR LF, CR LF, reason.
Text FileMessage(const std::string& path, const Text& reason);

}  // namespace tekvo

#endif  // TEKVO_FILES_TEXT_FILE_LOAD_H_
