// Where the file browser's default text folder "TKV_TXT" lives: in the space
// of the user running the editor, never beside the program. An installed
// program sits in a system folder that root may write to and no package
// owns what is made there; the folder goes among the user's documents, or,
// on an account without a documents folder (root's, a server's), under the
// user's data folder.
#ifndef TEKVO_DIALOGS_DEFAULT_FOLDER_H_
#define TEKVO_DIALOGS_DEFAULT_FOLDER_H_

#include <QString>
#include <optional>

namespace tekvo {

// The folders of the account the editor runs for.
struct UserFolders {
  QString documents;  // the XDG documents folder (may not exist)
  QString data;       // $XDG_DATA_HOME (may not exist)
};

// The running user's folders, as the desktop names them.
UserFolders CurrentUserFolders();

// The default text folder with a trailing "/": "TKV_TXT" in the documents
// folder when that exists, otherwise "tekvo/TKV_TXT" in the data folder.
// Created when missing, but only below a folder that belongs to the user the
// process runs as: "sudo tekvo" that kept another user's HOME must not leave
// root's folders in it. Nothing when the folder does not exist and may not or
// cannot be made.
std::optional<QString> EnsureDefaultTextFolder(const UserFolders& folders);

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_DEFAULT_FOLDER_H_
