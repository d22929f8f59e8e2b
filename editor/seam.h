// Everything the window layer asks of the user: the Yes/No question, the OK
// message and the beep of Prompter, plus the standard input box and modal
// dialogs. The window implements it with real message boxes; tests use a
// scripted fake, so no test ever waits in a modal loop.
#ifndef TEKVO_EDITOR_SEAM_H_
#define TEKVO_EDITOR_SEAM_H_

#include <optional>

#include "engine/text/text.h"
#include "files/prompter.h"

class QDialog;

namespace tekvo {

class Seam : public Prompter {
 public:
  // The standard input box: `prompt` above a one-line field holding
  // `default_text`, OK and Cancel. Returns the typed text, or nullopt when the
  // user cancelled. An empty title means the application title.
  virtual std::optional<Text> InputBox(const Text& prompt, const Text& title,
                                       const Text& default_text) = 0;

  // Shows `dialog` modally and returns once it has hidden itself; true when it
  // ended accepted. Callers read the dialog's public fields afterwards.
  virtual bool RunDialog(QDialog& dialog) = 0;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_SEAM_H_
