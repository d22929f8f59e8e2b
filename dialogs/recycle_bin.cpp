#include "dialogs/recycle_bin.h"

#include <QFile>
#include <QStandardPaths>

#include "dialogs/qtext.h"
#include "files/error_text.h"
#include "files/trash.h"

namespace tekvo {

bool DeleteToRecycleBin(const std::string& path, QString* error) {
  TrashPlaces places;
  // The user's data folder ($XDG_DATA_HOME, else ~/.local/share) holds the
  // home trash, made on first use in a fresh account.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (!data.isEmpty())
    places.home_trash = QFile::encodeName(data + QStringLiteral("/Trash")).toStdString();
  const TrashOutcome outcome = MoveToTrash(path, places);
  if (outcome.result != TrashResult::kFailed) return true;
  if (error) {
    *error = ToQString(ErrorText(outcome.error));
  }
  return false;
}

}  // namespace tekvo
