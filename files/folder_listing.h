// The entries of one folder as the file browser lists them, by their exact
// name bytes: names that are not valid UTF-8 are listed like any other.
#ifndef TEKVO_FILES_FOLDER_LISTING_H_
#define TEKVO_FILES_FOLDER_LISTING_H_

#include <string>
#include <vector>

namespace tekvo {

struct FolderListing {
  // Regular files (symbolic links followed) whose names match the pattern.
  std::vector<std::string> files;
  // Folders (symbolic links followed) that may be entered.
  std::vector<std::string> folders;
  // The errno value when the folder could not be read; 0 otherwise.
  int error = 0;
};

// Lists `folder`. Names starting with "." stay out, as desktop file dialogs
// keep hidden files out. `pattern` is a shell wildcard ("*.txt", "*") matched
// without regard to letter case. Both lists are sorted by name, letter case
// ignored.
FolderListing ListFolder(const std::string& folder, const std::string& pattern);

// True when `folder` is a folder the process may enter and list.
bool IsEnterableFolder(const std::string& folder);

}  // namespace tekvo

#endif  // TEKVO_FILES_FOLDER_LISTING_H_
