// The text widget of the main window. It reports key presses and releases and
// mouse releases to the window (which routes them through the key table),
// keeps right clicks for the Edit menu, and copies and drags the selection's
// raw text so that U+00A0 and U+2028 leave the box unchanged.
#ifndef TEKVO_EDITOR_BOX_EDIT_H_
#define TEKVO_EDITOR_BOX_EDIT_H_

#include <QPlainTextEdit>
#include <QPoint>

namespace tekvo {

class BoxEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit BoxEdit(QWidget* parent = nullptr);

 signals:
  void keyPressed(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat);
  void keyReleased(int key, Qt::KeyboardModifiers modifiers, bool auto_repeat);
  void mouseReleased(Qt::MouseButton button, QPoint global_position);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_BOX_EDIT_H_
