// Rules for the single file names typed into the file browser's name box:
// the characters a name may not hold, and "起新名", which turns whatever was
// typed into a usable name that does not overwrite an existing file.
#ifndef TEKVO_DIALOGS_FILE_NAME_RULES_H_
#define TEKVO_DIALOGS_FILE_NAME_RULES_H_

#include <QChar>
#include <QString>
#include <functional>

namespace tekvo {

// The double quote, * / : < > ? \ and |: characters Windows refuses in file
// names; refused here too so that files travel between the two systems.
bool IsRefusedNameChar(QChar c);

// The message shown when one of them is typed.
QString RefusedNameMessage();

struct MendedName {
  QString name;
  // The part that was added or replaced, to be selected in the name box.
  int sel_start = 0;
  int sel_length = 0;
  // True when "_2" was added because the plain name is taken.
  bool second = false;
};

// Builds the new name from the typed text. An extension counts only when the
// last "." is followed by at most 5 characters; otherwise ".txt" is added.
// Every other "." of the base becomes a space; an empty base becomes "!未起名".
// When `exists` reports the result as taken, "_2" goes before the extension,
// once only.
MendedName MendFileName(const QString& typed, const std::function<bool(const QString&)>& exists);

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FILE_NAME_RULES_H_
