#include "dialogs/recycle_bin.h"

#include <QFile>
#include <QFileInfo>

namespace tekvo {

bool DeleteToRecycleBin(const QString& path, QString* error) {
  if (!QFileInfo(path).isFile()) {
    if (error) *error = QStringLiteral("No such file");
    return false;
  }
  QFile file(path);
  if (file.moveToTrash()) return true;
  if (error) *error = file.errorString();
  return false;
}

}  // namespace tekvo
