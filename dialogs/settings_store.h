// The program's per-user settings store, "TKV" (~/.config/TKV/TKV.conf): the
// window's view settings in [Picks], the file browser's last folder in
// [Paths]. Every part of the program opens it here, so that all of them read
// and write the same file.
#ifndef TEKVO_DIALOGS_SETTINGS_STORE_H_
#define TEKVO_DIALOGS_SETTINGS_STORE_H_

#include <QSettings>
#include <memory>

namespace tekvo {

// The store, opened for reading and writing; never null.
std::unique_ptr<QSettings> OpenSettingsStore();

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_SETTINGS_STORE_H_
