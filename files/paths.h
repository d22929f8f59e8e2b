// Small helpers for the paths the file commands pass around. Paths are byte
// strings, as Linux file names are; path_text.h turns them into text.
#ifndef TEKVO_FILES_PATHS_H_
#define TEKVO_FILES_PATHS_H_

#include <string>

#include "engine/text/text.h"
#include "files/path_text.h"

namespace tekvo {

// The part after the last "/", or the whole path when it has none.
std::string FileNameOf(const std::string& path);

// The backup kept during a save: the path followed by ".bak".
std::string BackupPathOf(const std::string& path);

// True when both paths name the same file as the file system sees it: the
// same file on disk when both exist (hard and symbolic links included),
// otherwise the same absolute path after resolving ".", ".." and the links of
// its existing part. Letter case matters, as it does to the file system. An
// empty path names no file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace tekvo

#endif  // TEKVO_FILES_PATHS_H_
