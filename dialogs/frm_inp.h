// The text input dialog: asks for a short piece of text (the string to insert,
// to find, or to replace with). The caller sets the window caption and sInp,
// prepares it with Activate, shows it modally and reads Chosen(). The dialog is only hidden
// by its buttons, so one instance serves every request.
#ifndef TEKVO_DIALOGS_FRM_INP_H_
#define TEKVO_DIALOGS_FRM_INP_H_

#include <QDialog>
#include <QString>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace tekvo {

class Prompter;

class FrmInp : public QDialog {
  Q_OBJECT

 public:
  // The longest text the dialog takes or hands back, in UTF-16 units.
  static constexpr int kMaxInputLen = 300;

  // `prompter` shows the refusal of an over-long starting text.
  explicit FrmInp(Prompter& prompter, QWidget* parent = nullptr);
  ~FrmInp() override;

  // In: the starting text (line breaks as CR, LF or CR LF). Out, when bOk is
  // true: the text of the box with CR LF line breaks.
  QString sInp;
  // True only when the user confirmed.
  bool bOk = false;

  // The confirmed text (sInp); meaningful when bOk is true.
  QString Chosen() const { return sInp; }

  // What happens on every show: bOk is cleared; a starting text longer than
  // kMaxInputLen is refused with a message (false is returned and the dialog
  // stays hidden); otherwise the box gets sInp, all of it selected, and the
  // focus.
  bool Activate();

  // The two buttons: confirm takes the box's text into sInp and sets bOk;
  // cancel leaves both as they are. Both hide the dialog.
  void Confirm();
  void Cancel();

  // The edit menu as it opens: cut, copy and the mappings need a selection,
  // paste needs something on the clipboard the box accepts.
  void UpdateEditMenu();

  // Edit commands by index: 0 select all, 1 cut, 2 copy, 3 paste.
  void RunEdit(int index);
  // Mappings of the selection by index: 0 full width, 1 half width,
  // 2 simplified, 3 traditional. The mapped text stays selected.
  void MapSelection(int index);

  // Opens the edit menu at a point of the box, as a right click does.
  void PopUpEditMenu(const QPoint& global_pos);

  QPlainTextEdit* txtA() const { return txt_a_; }
  QPushButton* cmdA(int index) const { return cmd_a_[index]; }
  QMenu* mnuEdits() const { return mnu_edits_; }
  QAction* mnuEdit(int index) const { return mnu_edit_[index]; }
  QAction* mnuWnCase(int index) const { return mnu_wn_case_[index]; }

 private:
  void BuildMenu(QMenuBar* bar);

  Prompter& prompter_;
  QPlainTextEdit* txt_a_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
  QMenu* mnu_edits_ = nullptr;
  std::array<QAction*, 4> mnu_edit_{};
  std::array<QAction*, 4> mnu_wn_case_{};
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_INP_H_
