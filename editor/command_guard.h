// Commands that "catch any failure and show its description" run their body
// through ShowFailures: an exception that escapes the body (in practice
// std::bad_alloc) becomes a message box with its description instead of
// ending the program.
#ifndef TEKVO_EDITOR_COMMAND_GUARD_H_
#define TEKVO_EDITOR_COMMAND_GUARD_H_

#include <QString>
#include <exception>

#include "dialogs/qtext.h"
#include "editor/seam.h"

namespace tekvo {

template <class Body>
void ShowFailures(Seam& seam, Body&& body) {
  try {
    body();
  } catch (const std::exception& failure) {
    seam.Tell(ToText(QString::fromUtf8(failure.what())));
  }
}

// The same, ending silently: for commands that end without a message.
template <class Body>
void IgnoreFailures(Body&& body) {
  try {
    body();
  } catch (const std::exception&) {
  }
}

}  // namespace tekvo

#endif  // TEKVO_EDITOR_COMMAND_GUARD_H_
