#include "files/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include "files/paths.h"

namespace tekvo {
namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kInfoFileMode = 0600;
// Past this many files of one name in the trash, give up finding a free name.
constexpr int kMaxNameTries = 10000;

struct TrashFolder {
  std::string root;    // the folder holding files/ and info/
  std::string prefix;  // what the info file's Path is relative to; "" for absolute
};

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<dev_t> DeviceOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_dev;
}

// The device of the nearest existing folder at or above `path`.
std::optional<dev_t> DeviceOfNearest(std::string path) {
  for (;;) {
    if (std::optional<dev_t> dev = DeviceOf(path)) return dev;
    if (path == "/" || path == ".") return std::nullopt;
    path = ParentOf(path);
  }
}

std::string VolumeTopOf(const std::string& path, dev_t device) {
  std::string top = ParentOf(path);
  while (top != "/") {
    const std::string up = ParentOf(top);
    if (DeviceOf(up) != device) break;
    top = up;
  }
  return top;
}

bool MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), kPrivateFolder) == 0) return true;
  struct stat st {};
  return errno == EEXIST && ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolders(std::string path) {
  if (MakeFolder(path)) return true;
  if (errno != ENOENT) return false;
  const std::string parent = ParentOf(path);
  return parent != path && MakeFolders(parent) && MakeFolder(path);
}

// Makes files/ and info/ inside `root`; false when the trash is unusable.
bool Prepare(const std::string& root) {
  return MakeFolders(root + "/files") && MakeFolder(root + "/info") &&
         ::access((root + "/files").c_str(), W_OK) == 0 &&
         ::access((root + "/info").c_str(), W_OK) == 0;
}

// The trash folders a file on `device` may use, best first.
std::vector<TrashFolder> Candidates(const std::string& path, dev_t device,
                                    const TrashPlaces& places) {
  std::vector<TrashFolder> out;
  if (!places.home_trash.empty() && DeviceOfNearest(places.home_trash) == device) {
    out.push_back({places.home_trash, ""});
    return out;
  }
  const std::string top = places.volume_top.empty() ? VolumeTopOf(path, device) : places.volume_top;
  const std::string base = top == "/" ? "" : top;
  const std::string uid = std::to_string(::getuid());
  // The administrator's shared ".Trash" counts only as the trash standard
  // demands: a real folder with the sticky bit.
  struct stat shared {};
  if (::lstat((base + "/.Trash").c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX)) {
    out.push_back({base + "/.Trash/" + uid, top});
  }
  out.push_back({base + "/.Trash-" + uid, top});
  return out;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// Claims a free name in info/ by creating its info file; the name or "".
std::string ClaimName(const std::string& root, const std::string& name,
                      const std::string& info_text) {
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const std::string candidate = n == 1 ? name : name + "." + std::to_string(n);
    const std::string info = root + "/info/" + candidate + ".trashinfo";
    const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kInfoFileMode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return "";
    }
    const bool written =
        ::write(fd, info_text.data(), info_text.size()) == static_cast<ssize_t>(info_text.size());
    ::close(fd);
    if (written) return candidate;
    ::unlink(info.c_str());
    return "";
  }
  return "";
}

}  // namespace

std::string PercentEncodePath(const std::string& path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size() * 3);
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    const bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                       b == '/' || b == '-' || b == '_' || b == '.' || b == '~';
    if (plain) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0x0F]);
    }
  }
  return out;
}

TrashOutcome MoveToTrash(const std::string& path, const TrashPlaces& places) {
  TrashOutcome outcome;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    outcome.error = errno;
    return outcome;
  }
  if (S_ISDIR(st.st_mode)) {
    outcome.error = EISDIR;
    return outcome;
  }
  const std::string name = FileNameOf(path);
  for (const TrashFolder& trash : Candidates(path, st.st_dev, places)) {
    if (!Prepare(trash.root)) continue;
    std::string shown = path;
    if (!trash.prefix.empty() && trash.prefix != "/" &&
        path.compare(0, trash.prefix.size() + 1, trash.prefix + "/") == 0) {
      shown = path.substr(trash.prefix.size() + 1);
    }
    const std::string info_text = "[Trash Info]\nPath=" + PercentEncodePath(shown) +
                                  "\nDeletionDate=" + DeletionDate() + "\n";
    const std::string claimed = ClaimName(trash.root, name, info_text);
    if (claimed.empty()) continue;
    const std::string target = trash.root + "/files/" + claimed;
    if (::rename(path.c_str(), target.c_str()) == 0) {
      outcome.result = TrashResult::kTrashed;
      outcome.trashed_as = target;
      return outcome;
    }
    const int error = errno;
    ::unlink((trash.root + "/info/" + claimed + ".trashinfo").c_str());
    // Another volume after all (a bind mount the device numbers hid): try
    // the next trash. Any other refusal would refuse the deletion as well.
    if (error != EXDEV) {
      outcome.error = error;
      return outcome;
    }
  }
  if (::unlink(path.c_str()) != 0) {
    outcome.error = errno;
    return outcome;
  }
  outcome.result = TrashResult::kDeleted;
  return outcome;
}

}  // namespace tekvo
