#include "files/name_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "engine/text/ascii.h"

namespace tekvo {
namespace {

constexpr char kHeader[] = "tekvo names journal 1";
constexpr mode_t kJournalMode = 0600;
constexpr mode_t kFolderMode = 0700;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LastName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Makes `folder` and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st;
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

NameJournal::~NameJournal() {
  if (fd_ >= 0) ::close(fd_);
}

int NameJournal::Create(const std::string& path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, kJournalMode);
  if (fd_ < 0) return errno;
  return WriteLine(kHeader);
}

int NameJournal::Begin(const std::string& from, const std::string& to) {
  return WriteLine("rename " + ToHex(from) + " " + ToHex(to));
}

int NameJournal::End(bool done) { return WriteLine(done ? "done" : "failed"); }

int NameJournal::WriteLine(const std::string& line) {
  const std::string data = line + "\n";
  std::size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = ::write(fd_, data.data() + written, data.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    written += static_cast<std::size_t>(n);
  }
  return ::fdatasync(fd_) == 0 ? 0 : errno;
}

JournalContents ReadNameJournal(const std::string& path) {
  JournalContents contents;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    contents.error = errno != 0 ? errno : ENOENT;
    return contents;
  }
  std::string line;
  int number = 0;
  const auto problem = [&](const std::string& what) {
    contents.problems.push_back("line " + std::to_string(number) + ": " + what);
  };
  while (std::getline(in, line)) {
    ++number;
    if (number == 1) {
      if (line != kHeader) problem("not a tekvo names journal");
      if (line != kHeader) return contents;
      continue;
    }
    if (line == "done" || line == "failed") {
      if (contents.entries.empty() || contents.entries.back().state != JournalState::kPending) {
        problem("\"" + line + "\" follows no rename");
        continue;
      }
      contents.entries.back().state = line == "done" ? JournalState::kDone : JournalState::kFailed;
      continue;
    }
    std::istringstream fields(line);
    std::string verb, from_hex, to_hex, rest;
    fields >> verb >> from_hex >> to_hex >> rest;
    JournalEntry entry;
    entry.line = number;
    if (verb != "rename" || to_hex.empty() || !rest.empty() || !FromHex(from_hex, entry.from) ||
        !FromHex(to_hex, entry.to)) {
      problem("not understood");
      continue;
    }
    if (entry.from.find('\0') != std::string::npos || entry.to.find('\0') != std::string::npos ||
        FolderOf(entry.from) != FolderOf(entry.to) || LastName(entry.from).empty() ||
        LastName(entry.to).empty() || entry.from == entry.to) {
      problem("not a rename within one folder");
      continue;
    }
    contents.entries.push_back(std::move(entry));
  }
  if (number == 0) problem("empty journal");
  return contents;
}

std::string DefaultJournalPath() {
  std::string base;
  if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
    base = state;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.local/state";
  } else {
    return {};
  }
  const std::string folder = base + "/tekvo";
  if (!MakeFolders(folder)) return {};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return folder + "/names-" + stamp + "-" + std::to_string(::getpid()) + ".journal";
}

std::string ToHex(const std::string& bytes) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

bool FromHex(const std::string& hex, std::string& bytes) {
  if (hex.empty() || hex.size() % 2 != 0) return false;
  bytes.clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigitValue(hex[i]);
    const int low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

}  // namespace tekvo
