// The seam through which the layers below the window ask the user something or
// tell them something. The editor implements it with message boxes; the
// command-line tool and the tests implement it with scripted answers.
#ifndef TEKVO_FILES_PROMPTER_H_
#define TEKVO_FILES_PROMPTER_H_

#include "engine/text/text.h"

namespace tekvo {

// Which button of a Yes/No question has the focus when it opens.
enum class DefaultButton { kYes, kNo };

class Prompter {
 public:
  virtual ~Prompter() = default;

  // A question with Yes and No buttons. An empty title means the application
  // title. Returns true for Yes.
  virtual bool Ask(const Text& question, DefaultButton default_button = DefaultButton::kYes,
                   const Text& title = Text()) = 0;

  // A message with an OK button alone. An empty title means the application
  // title.
  virtual void Tell(const Text& message, const Text& title = Text()) = 0;

  // The system beep.
  virtual void Beep() = 0;
};

// The title of every message box that gives none of its own.
inline constexpr char16_t kAppTitle[] = u"TKV Tekvo";

}  // namespace tekvo

#endif  // TEKVO_FILES_PROMPTER_H_
