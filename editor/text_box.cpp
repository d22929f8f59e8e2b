#include "editor/text_box.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "dialogs/qtext.h"
#include "editor/fonts.h"
#include "editor/line_breaks.h"

namespace tekvo {
namespace {

// The raw units of `text` with every block separator replaced by `line_break`.
Text WithLineBreaks(const QString& raw, std::u16string_view line_break) {
  const Text units = ToText(raw);
  std::size_t separators = std::count(units.begin(), units.end(), kParagraphSeparator);
  Text out;
  out.reserve(units.size() + separators * line_break.size());
  for (char16_t c : units) {
    if (c == kParagraphSeparator) {
      out.append(line_break);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

TextBox::TextBox(QPlainTextEdit& edit, Clipboard& clipboard) : edit_(edit), clipboard_(clipboard) {
  edit_.setReadOnly(true);
  // After setReadOnly, which resets the flags: keyboard selection keeps the
  // caret visible in a read-only widget.
  edit_.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  edit_.document()->setUndoRedoEnabled(false);
}

Text TextBox::Text() const { return WithLineBreaks(edit_.document()->toRawText(), u"\r\n"); }

void TextBox::SetText(const tekvo::Text& text) { edit_.setPlainText(ToQString(text)); }

std::int32_t TextBox::TextLength() const {
  const QTextDocument* doc = edit_.document();
  return EndPosition() + (doc->blockCount() - 1);
}

std::int32_t TextBox::EndPosition() const { return edit_.document()->characterCount() - 1; }

std::int32_t TextBox::SelStart() const { return edit_.textCursor().selectionStart(); }

void TextBox::SetSelStart(std::int32_t start) {
  QTextCursor cursor = edit_.textCursor();
  cursor.setPosition(std::clamp(start, 0, EndPosition()));
  edit_.setTextCursor(cursor);
}

std::int32_t TextBox::SelLength() const {
  const QTextCursor cursor = edit_.textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void TextBox::SetSelLength(std::int32_t length) {
  const std::int64_t start = SelStart();
  const std::int64_t end =
      std::min<std::int64_t>(start + std::max<std::int64_t>(length, 0), EndPosition());
  QTextCursor cursor = edit_.textCursor();
  cursor.setPosition(static_cast<int>(start));
  cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
  edit_.setTextCursor(cursor);
}

Text TextBox::SelText() const { return WithLineBreaks(edit_.textCursor().selectedText(), u"\r"); }

void TextBox::SetSelText(const tekvo::Text& text) {
  QTextCursor cursor = edit_.textCursor();
  cursor.insertText(ToQString(text));
  edit_.setTextCursor(cursor);
}

bool TextBox::CanPaste() const { return !locked_ && clipboard_.HasText(); }

void TextBox::Paste() {
  // A clipboard without text leaves the selection in place.
  if (locked_ || !clipboard_.HasText()) return;
  SetSelText(clipboard_.ReadText());
}

void TextBox::Copy() {
  if (SelLength() == 0) return;
  clipboard_.WriteText(ToText(SelectionForClipboard(edit_)));
}

void TextBox::SetFocus() { edit_.setFocus(Qt::OtherFocusReason); }

bool TextBox::WordWrap() const { return edit_.lineWrapMode() != QPlainTextEdit::NoWrap; }

void TextBox::SetWordWrap(bool on) {
  edit_.setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

QString TextBox::FontName() const { return PrimaryFamily(edit_.font()); }

double TextBox::FontSize() const { return edit_.font().pointSizeF(); }

void TextBox::SetFontName(const QString& family) {
  edit_.setFont(FontWithCjkFallback(family, FontSize()));
}

void TextBox::SetFontSize(double points) {
  if (points <= 0) return;
  edit_.setFont(FontWithCjkFallback(FontName(), points));
}

QString SelectionForClipboard(const QPlainTextEdit& edit) {
  QString text = edit.textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QChar::LineFeed);
  return text;
}

}  // namespace tekvo
