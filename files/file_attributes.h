// A file's attribute bits in the classic form the editor shows, mapped onto
// what a Linux file system has, and the facts the "文件属性" command shows.
//
// read-only: the owner may not write; hidden: the name starts with ".";
// system: never set here; archive: a regular file.
#ifndef TEKVO_FILES_FILE_ATTRIBUTES_H_
#define TEKVO_FILES_FILE_ATTRIBUTES_H_

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <system_error>

#include "engine/text/text.h"

namespace tekvo {

inline constexpr int kAttrReadOnly = 1;
inline constexpr int kAttrHidden = 2;
inline constexpr int kAttrSystem = 4;
inline constexpr int kAttrArchive = 32;

// Read-only, hidden or system: a file replaced only after a question.
inline constexpr bool IsProtected(int attributes) {
  return (attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)) != 0;
}

// "文件属性：" followed by " 只读", " 隐藏", " 系统", " 存档" for the bits 1, 2, 4
// and 32, in that order; other bits are ignored.
Text AttributeText(int attributes);

// The attribute bits of a file with the given name (the last path component
// decides "hidden") and stat mode.
int AttributesFromMode(const std::string& path, mode_t mode);

struct FileFacts {
  int attributes = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // seconds since the Unix epoch
};

// The facts of the file at `path` (following symbolic links). On failure
// (no such file, no access) `error` is set and the returned facts are zero.
FileFacts ReadFileFacts(const std::string& path, std::error_code& error);

}  // namespace tekvo

#endif  // TEKVO_FILES_FILE_ATTRIBUTES_H_
