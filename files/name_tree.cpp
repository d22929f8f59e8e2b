#include "files/name_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tekvo {
namespace {

bool IsFolderNoFollow(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Walk(const std::string& folder, bool recursive, NameTree& tree) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    tree.problems.push_back({folder, errno});
    return;
  }
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  // A stable order, so that plans and journals come out alike on every run.
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    const bool is_folder = IsFolderNoFollow(path);
    if (is_folder && recursive) Walk(path, recursive, tree);
    tree.entries.push_back({folder, name, is_folder});
  }
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  std::string cwd(4096, '\0');
  while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
    if (errno != ERANGE) return path;
    cwd.resize(cwd.size() * 2);
  }
  cwd.resize(cwd.find('\0'));
  if (path.empty() || path == ".") return cwd;
  return JoinPath(cwd, path.rfind("./", 0) == 0 ? path.substr(2) : path);
}

NameTree CollectNames(const std::vector<std::string>& paths, bool recursive) {
  NameTree tree;
  for (std::string path : paths) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
      tree.problems.push_back({path, errno});
      continue;
    }
    // A folder named on the command line is where to look, as with ls; a
    // symbolic link to one is too.
    struct stat target;
    if (S_ISDIR(st.st_mode) || (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode))) {
      Walk(path, recursive, tree);
      continue;
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
      tree.entries.push_back({".", path, false});
    } else {
      tree.entries.push_back(
          {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1), false});
    }
  }
  return tree;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
  // The file system cannot refuse to replace by itself. A hard link fails on
  // an existing name; folders cannot be linked, so they are checked first,
  // which leaves a small window only for folders.
  if (::link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) == 0) return 0;
    const int error = errno;
    ::unlink(to.c_str());
    return error;
  }
  if (errno == EEXIST) return EEXIST;
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace tekvo
