#include "dialogs/recycle_bin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tekvo {

bool DeleteToRecycleBin(const QString& path, QString* error) {
  if (!QFileInfo(path).isFile()) {
    if (error) *error = QStringLiteral("No such file");
    return false;
  }
  // Qt 6.4 puts a file bound for the home trash under the process's current
  // folder when the user's data folder does not exist yet (a fresh account),
  // so that folder is made first; without it there is no trash to move into.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data)) {
    if (error) *error = QStringLiteral("No trash folder");
    return false;
  }
  QFile file(path);
  if (file.moveToTrash()) return true;
  if (error) *error = file.errorString();
  return false;
}

}  // namespace tekvo
