#include "dialogs/settings_store.h"

namespace tekvo {

std::unique_ptr<QSettings> OpenSettingsStore() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral("TKV"), QStringLiteral("TKV"));
}

}  // namespace tekvo
