// frmA, the main window: the menu bar, the status label lblSay, the history
// buttons cmdUd, the find buttons cmdSeek and the text box txtA. The window
// builds and wires; the work is done by the history, the key table and the
// command handlers, which all receive the window's EditorContext.
#ifndef TEKVO_EDITOR_MAIN_WINDOW_H_
#define TEKVO_EDITOR_MAIN_WINDOW_H_

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <memory>

#include "editor/box_edit.h"
#include "editor/clipboard.h"
#include "editor/dialog_set.h"
#include "editor/editor_context.h"
#include "editor/history.h"
#include "editor/key_table.h"
#include "editor/menu_bar.h"
#include "editor/say_label.h"
#include "editor/say_view.h"
#include "editor/seam.h"
#include "editor/text_box.h"

namespace tekvo {

// Twips of the designed layout to pixels at 96 dpi (15 twips a pixel).
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Null arguments select the message boxes and the system clipboard.
  explicit MainWindow(std::unique_ptr<Seam> seam = nullptr,
                      std::unique_ptr<Clipboard> clipboard = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  EditorContext& context() { return *ctx_; }
  TextBox& box() { return *box_; }
  History& history() { return *history_; }
  Menus& menus() { return menus_; }
  BoxEdit& edit() { return *edit_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void WireMenus();
  void WireBox();
  // Lays the text box out in the client area, keeping its margins.
  void Form_Resize(QSize client);
  void SaveView();

  std::unique_ptr<Seam> seam_;
  std::unique_ptr<Clipboard> clipboard_;
  QWidget* client_ = nullptr;
  SayView* say_view_ = nullptr;
  BoxEdit* edit_ = nullptr;
  std::array<QPushButton*, 4> cmdUd_{};
  std::array<QPushButton*, 2> cmdSeek_{};
  std::unique_ptr<TextBox> box_;
  std::unique_ptr<SayLabel> say_;
  std::unique_ptr<History> history_;
  Menus menus_;
  std::unique_ptr<DialogSet> dialogs_;
  std::unique_ptr<EditorContext> ctx_;
  KeyTracker keys_;
};

}  // namespace tekvo

#endif  // TEKVO_EDITOR_MAIN_WINDOW_H_
