// The names a batch rename looks at, and the one rename it does: within one
// folder, never replacing a name that exists.
#ifndef TEKVO_FILES_NAME_TREE_H_
#define TEKVO_FILES_NAME_TREE_H_

#include <string>
#include <vector>

namespace tekvo {

struct NameEntry {
  std::string folder;  // as given or joined from what was given; "." for none
  std::string name;    // exact bytes of one path component
  bool is_folder = false;
};

struct NameProblem {
  std::string path;
  int error = 0;  // errno
};

struct NameTree {
  // Every name to judge, each folder's descendants before the folder itself,
  // so that renaming in this order never changes a path still to come.
  std::vector<NameEntry> entries;
  std::vector<NameProblem> problems;  // paths that could not be read
};

// For each path: a folder's entries (with `recursive`, the entries of its
// sub-folders too, symbolic links not followed); any other path itself.
// Hidden names are included. Never fails as a whole; what cannot be read is
// listed in `problems` and the walk goes on.
NameTree CollectNames(const std::vector<std::string>& paths, bool recursive);

// `folder` + "/" + `name`.
std::string JoinPath(const std::string& folder, const std::string& name);

// `path` made absolute against the working folder, bytes kept as they are.
std::string AbsolutePath(const std::string& path);

// Renames `from` to `to`, failing with EEXIST rather than replace an existing
// `to` (also on file systems without RENAME_NOREPLACE). Returns 0 or errno.
int RenameNoReplace(const std::string& from, const std::string& to);

}  // namespace tekvo

#endif  // TEKVO_FILES_NAME_TREE_H_
