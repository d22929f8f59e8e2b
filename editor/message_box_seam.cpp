#include "editor/message_box_seam.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/qtext.h"
#include "editor/line_breaks.h"

namespace tekvo {
namespace {

// Messages are written with CR LF; a Qt label would show the CR as a glyph.
QString ForDisplay(const Text& text) { return ToQString(UnifyLineBreaks(text, u"\n")); }

}  // namespace

Text BoxTitle(const Text& title) { return title.empty() ? Text(kAppTitle) : title; }

bool MessageBoxSeam::Ask(const Text& question, DefaultButton default_button, const Text& title) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(BoxTitle(title)), ForDisplay(question),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(default_button == DefaultButton::kYes ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void MessageBoxSeam::Tell(const Text& message, const Text& title) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(BoxTitle(title)), ForDisplay(message),
                  QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void MessageBoxSeam::Beep() { QApplication::beep(); }

std::optional<Text> MessageBoxSeam::InputBox(const Text& prompt, const Text& title,
                                             const Text& default_text) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent_, ToQString(BoxTitle(title)), ForDisplay(prompt),
                            QLineEdit::Normal, ToQString(default_text), &ok);
  if (!ok) return std::nullopt;
  return ToText(answer);
}

bool MessageBoxSeam::RunDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace tekvo
