// Deleting a file for the file browser: into the desktop trash where the
// file's volume has one, outright where it has none (files/trash.h).
#ifndef TEKVO_DIALOGS_RECYCLE_BIN_H_
#define TEKVO_DIALOGS_RECYCLE_BIN_H_

#include <QString>
#include <string>

namespace tekvo {

// Deletes the file at `path` (its exact bytes, an absolute path). True when
// the file is gone, trashed or deleted; on failure false, with the reason in
// `error` (Chinese, as ErrorText gives it) when given.
bool DeleteToRecycleBin(const std::string& path, QString* error = nullptr);

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_RECYCLE_BIN_H_
