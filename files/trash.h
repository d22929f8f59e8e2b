// Moving a file to the desktop trash as the freedesktop.org trash standard
// lays it out: the home trash for files on the home volume, the volume's own
// ".Trash/<uid>" or ".Trash-<uid>" for files elsewhere, and an info file
// "<name>.trashinfo" with the percent-encoded original path for each trashed
// file. Where the file's volume has no trash the user can use (a USB stick
// without a trash folder the user may create, a network share), the file is
// deleted outright, as the deletion question tells the user beforehand; a
// move across volumes into the home trash is never attempted.
#ifndef TEKVO_FILES_TRASH_H_
#define TEKVO_FILES_TRASH_H_

#include <string>

namespace tekvo {

enum class TrashResult {
  kTrashed,  // moved into a trash folder; `trashed_as` names it
  kDeleted,  // no usable trash on the file's volume: removed outright
  kFailed,   // nothing changed; `error` says why
};

struct TrashOutcome {
  TrashResult result = TrashResult::kFailed;
  int error = 0;           // errno value for kFailed
  std::string trashed_as;  // the file's path inside the trash for kTrashed
};

struct TrashPlaces {
  // The home trash ($XDG_DATA_HOME/Trash); empty when the user has none.
  std::string home_trash;
  // The top folder of the file's volume; empty: found by walking up from the
  // file until the device number changes.
  std::string volume_top;
};

// Moves the file (not a folder) at `path`, an absolute path, to the trash of
// its volume, or deletes it where there is none; see the file comment.
TrashOutcome MoveToTrash(const std::string& path, const TrashPlaces& places);

// The path written after "Path=" in an info file: every byte other than
// ASCII letters, digits, "/" and "-_.~" written as "%" and two hex digits.
std::string PercentEncodePath(const std::string& path);

}  // namespace tekvo

#endif  // TEKVO_FILES_TRASH_H_
