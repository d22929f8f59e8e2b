// Small helpers for the paths the file commands pass around. Paths are UTF-8
// byte strings, as Linux file names are in practice; the editor converts at
// its boundary.
#ifndef TEKVO_FILES_PATHS_H_
#define TEKVO_FILES_PATHS_H_

#include <string>

#include "engine/text.h"

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

// UTF-8 path bytes to text for messages, and back.
Text PathText(const std::string& path);
std::string TextPath(const Text& text);

}  // namespace tekvo

#endif  // TEKVO_FILES_PATHS_H_
