// Deleting a file into the desktop trash, where it can be restored.
#ifndef TEKVO_DIALOGS_RECYCLE_BIN_H_
#define TEKVO_DIALOGS_RECYCLE_BIN_H_

#include <QString>

namespace tekvo {

// Moves the file at `path` to the trash (freedesktop.org trash of the file's
// volume or the user's home). True on success; on failure false, with the
// reason in `error` when given.
bool DeleteToRecycleBin(const QString& path, QString* error = nullptr);

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_RECYCLE_BIN_H_
