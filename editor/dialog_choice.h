// The one way a handler runs a dialog: show it modally through the seam (the
// scripted seam in tests, a real modal loop in the window) and take what the
// user chose. Every dialog that answers a question has a public bOk, set only
// by its confirm button, and a Chosen() built from its public fields; the
// dialog prepares itself on show.
#ifndef TEKVO_EDITOR_DIALOG_CHOICE_H_
#define TEKVO_EDITOR_DIALOG_CHOICE_H_

#include <optional>

#include "editor/seam.h"

namespace tekvo {

// The dialog's Chosen() when the user confirmed it, nothing when they
// cancelled or closed it.
template <class Dialog>
auto ChooseWith(Seam& seam, Dialog& dialog) -> std::optional<decltype(dialog.Chosen())> {
  seam.RunDialog(dialog);
  if (!dialog.bOk) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace tekvo

#endif  // TEKVO_EDITOR_DIALOG_CHOICE_H_
