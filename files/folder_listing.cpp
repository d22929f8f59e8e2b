#include "files/folder_listing.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tekvo {
namespace {

bool NameBefore(const std::string& a, const std::string& b) {
  const int folded = ::strcasecmp(a.c_str(), b.c_str());
  return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

FolderListing ListFolder(const std::string& folder, const std::string& pattern) {
  FolderListing listing;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    listing.error = errno;
    return listing;
  }
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    struct stat st {};
    if (::stat((prefix + name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      listing.folders.push_back(name);
    } else if (S_ISREG(st.st_mode) && ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
      listing.files.push_back(name);
    }
  }
  ::closedir(dir);
  std::sort(listing.files.begin(), listing.files.end(), NameBefore);
  std::sort(listing.folders.begin(), listing.folders.end(), NameBefore);
  return listing;
}

bool IsEnterableFolder(const std::string& folder) {
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(folder.c_str(), X_OK) == 0;
}

}  // namespace tekvo
