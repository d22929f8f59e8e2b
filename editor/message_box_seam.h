// The seam on the desktop: message boxes without icons, titled "TKV Tekvo"
// unless a title is given, Qt's input dialog, the system beep and exec() for
// dialogs.
#ifndef TEKVO_EDITOR_MESSAGE_BOX_SEAM_H_
#define TEKVO_EDITOR_MESSAGE_BOX_SEAM_H_

#include "editor/seam.h"

class QWidget;

namespace tekvo {

class MessageBoxSeam : public Seam {
 public:
  // `parent` (may be null) centres the boxes over the window.
  explicit MessageBoxSeam(QWidget* parent = nullptr) : parent_(parent) {}

  bool Ask(const Text& question, DefaultButton default_button = DefaultButton::kYes,
           const Text& title = Text()) override;
  void Tell(const Text& message, const Text& title = Text()) override;
  void Beep() override;
  std::optional<Text> InputBox(const Text& prompt, const Text& title,
                               const Text& default_text) override;
  bool RunDialog(QDialog& dialog) override;

 private:
  QWidget* parent_;
};

// The title a box shows for `title`: the application title when it is empty.
Text BoxTitle(const Text& title);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_MESSAGE_BOX_SEAM_H_
