// The editor box contract: what every command may rely on when it reads or
// changes the document.
//
// - Text() is the whole document with CR LF line breaks; TextLength() is its
//   length in UTF-16 units (a line break counts 2).
// - SelStart()/SelLength() count a line break as ONE position. Setting either
//   beyond the end cuts it back to the end; a negative value counts as 0.
//   SetSelStart() leaves a caret (nothing selected); SetSelLength() selects
//   that many positions from SelStart().
// - SelText() is the selection with each line break as a single CR.
//   SetSelText() replaces the selection (CR LF, lone CR and lone LF all make a
//   line break) and leaves the caret after the inserted text.
// - While Locked() the user cannot change the text; CanPaste() is only true
//   while unlocked and the clipboard holds text, and Paste() pastes only while
//   unlocked.
// - Every UTF-16 unit survives a round trip unchanged (U+00A0, U+2028, U+FEFF,
//   lone surrogates, controls); line breaks are the one thing normalised
//   (U+2029 counts as a line break, see text_box.h).
#ifndef TEKVO_EDITOR_BOX_H_
#define TEKVO_EDITOR_BOX_H_

#include <cstdint>

#include "engine/text/text.h"

namespace tekvo {

class Box {
 public:
  virtual ~Box() = default;

  virtual tekvo::Text Text() const = 0;
  virtual void SetText(const tekvo::Text& text) = 0;
  virtual std::int32_t TextLength() const = 0;

  virtual std::int32_t SelStart() const = 0;
  virtual void SetSelStart(std::int32_t start) = 0;
  virtual std::int32_t SelLength() const = 0;
  virtual void SetSelLength(std::int32_t length) = 0;
  virtual tekvo::Text SelText() const = 0;
  virtual void SetSelText(const tekvo::Text& text) = 0;

  virtual bool Locked() const = 0;
  virtual void SetLocked(bool locked) = 0;
  virtual bool CanPaste() const = 0;
  virtual void Paste() = 0;
  virtual void Copy() = 0;
  virtual void SetFocus() = 0;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_BOX_H_
