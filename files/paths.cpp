#include "files/paths.h"

#include <filesystem>
#include <system_error>

namespace tekvo {

namespace fs = std::filesystem;

namespace {

fs::path Resolved(const fs::path& p) {
  std::error_code ec;
  fs::path absolute = fs::absolute(p, ec);
  if (ec) absolute = p;
  fs::path canonical = fs::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : canonical;
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BackupPathOf(const std::string& path) { return path + ".bak"; }

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  const fs::path pa(a);
  const fs::path pb(b);
  if (fs::exists(pa, ec) && fs::exists(pb, ec)) {
    bool same = fs::equivalent(pa, pb, ec);
    if (!ec) return same;
  }
  return Resolved(pa) == Resolved(pb);
}

}  // namespace tekvo
