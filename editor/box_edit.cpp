#include "editor/box_edit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "editor/text_box.h"

namespace tekvo {

BoxEdit::BoxEdit(QWidget* parent) : QPlainTextEdit(parent) {}

void BoxEdit::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key(), event->modifiers(), event->isAutoRepeat());
  QPlainTextEdit::keyPressEvent(event);
}

void BoxEdit::keyReleaseEvent(QKeyEvent* event) {
  // The box sees the key first; the window's handling follows it.
  QPlainTextEdit::keyReleaseEvent(event);
  emit keyReleased(event->key(), event->modifiers(), event->isAutoRepeat());
}

void BoxEdit::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

void BoxEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The Edit menu opens on the release of the right button instead.
  event->accept();
}

QMimeData* BoxEdit::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(SelectionForClipboard(*this));
  return data;
}

}  // namespace tekvo
