#include "editor/dialog_set.h"

namespace tekvo {

int DialogSet::Count() const {
  int count = 0;
  for (const auto& entry : dialogs_) {
    if (!entry.second.isNull()) ++count;
  }
  return count;
}

void DialogSet::CloseAll() {
  for (auto& entry : dialogs_) {
    // QPointer turns null when the parent has already deleted the dialog.
    delete entry.second.data();
  }
  dialogs_.clear();
}

}  // namespace tekvo
