// Access to the clipboard's text. The window uses the system clipboard; tests
// use an in-memory one so that they never touch the desktop's clipboard.
#ifndef TEKVO_EDITOR_CLIPBOARD_H_
#define TEKVO_EDITOR_CLIPBOARD_H_

#include "engine/text/text.h"

namespace tekvo {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // True when the clipboard holds text (possibly empty text).
  virtual bool HasText() const = 0;
  // The clipboard's text as it is there; empty when it holds none.
  virtual Text ReadText() const = 0;
  // Replaces the clipboard's content with `text`.
  virtual void WriteText(const Text& text) = 0;
};

// The clipboard of the desktop session, through QGuiApplication.
class SystemClipboard : public Clipboard {
 public:
  bool HasText() const override;
  Text ReadText() const override;
  void WriteText(const Text& text) override;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_CLIPBOARD_H_
