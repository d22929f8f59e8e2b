#include "dialogs/default_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tekvo {
namespace {

const QString kFolderName = QStringLiteral("TKV_TXT");

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// True when the nearest existing folder on the way to `path` belongs to the
// user the process runs as: what is made below it is made in their space.
bool MayMake(const QString& path) {
  QString at = QDir::cleanPath(path);
  for (;;) {
    struct stat st {};
    if (::stat(QFile::encodeName(at).constData(), &st) == 0) {
      return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    }
    const qsizetype slash = at.lastIndexOf(u'/');
    if (slash <= 0) return false;
    at.truncate(slash);
  }
}

}  // namespace

UserFolders CurrentUserFolders() {
  return {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)};
}

std::optional<QString> EnsureDefaultTextFolder(const UserFolders& folders) {
  const QString folder = IsFolder(folders.documents)
                             ? folders.documents + u'/' + kFolderName
                             : folders.data + QStringLiteral("/tekvo/") + kFolderName;
  if (!folder.startsWith(u'/')) return std::nullopt;
  if (!IsFolder(folder) && (!MayMake(folder) || !QDir().mkpath(folder))) return std::nullopt;
  return QDir::cleanPath(folder) + u'/';
}

}  // namespace tekvo
