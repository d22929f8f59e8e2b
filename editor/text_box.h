// The editor box over a QPlainTextEdit.
//
// QTextDocument keeps each line as a block and separates blocks with U+2029,
// which takes one cursor position: exactly the position rule of the box, so
// cursor positions are used as they are. The document's raw text (not
// toPlainText(), which rewrites U+00A0 and U+2028) is the source of Text() and
// SelText(); only the block separators are turned into CR LF or CR. The
// widget stays read-only with keyboard and mouse selection, so the caret
// shows but typing never reaches the document.
//
// The widget itself keeps paragraphs apart with U+2029 and marks frames with
// U+FDD0 and U+FDD1; those three units in a text put into the box read back
// as line breaks. Every other unit survives unchanged.
#ifndef TEKVO_EDITOR_TEXT_BOX_H_
#define TEKVO_EDITOR_TEXT_BOX_H_

#include <QPlainTextEdit>
#include <QString>

#include "editor/box.h"
#include "editor/clipboard.h"

namespace tekvo {

class TextBox : public Box {
 public:
  // Configures `edit` as the locked box. Both must outlive the TextBox.
  TextBox(QPlainTextEdit& edit, Clipboard& clipboard);

  tekvo::Text Text() const override;
  void SetText(const tekvo::Text& text) override;
  std::int32_t TextLength() const override;

  std::int32_t SelStart() const override;
  void SetSelStart(std::int32_t start) override;
  std::int32_t SelLength() const override;
  void SetSelLength(std::int32_t length) override;
  tekvo::Text SelText() const override;
  void SetSelText(const tekvo::Text& text) override;

  bool Locked() const override { return locked_; }
  void SetLocked(bool locked) override { locked_ = locked; }
  bool CanPaste() const override;
  void Paste() override;
  void Copy() override;
  void SetFocus() override;

  // View properties of the box (kept in the view settings).
  bool WordWrap() const;
  void SetWordWrap(bool on);
  QString FontName() const;
  double FontSize() const;
  void SetFontName(const QString& family);
  void SetFontSize(double points);

  QPlainTextEdit& widget() { return edit_; }

 private:
  // The last position a caret can take: the number of units of the raw text.
  std::int32_t EndPosition() const;

  QPlainTextEdit& edit_;
  Clipboard& clipboard_;
  bool locked_ = true;
};

// The selection of `edit` in the clipboard's form: its raw text with each
// block separator as LF, the line break of text on this desktop.
QString SelectionForClipboard(const QPlainTextEdit& edit);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_TEXT_BOX_H_
