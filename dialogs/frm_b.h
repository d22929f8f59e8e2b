// The file browser dialog: one window for choosing a file to open, or a folder
// and name to save under, together with the file encoding. It browses one
// folder at a time, remembers the last folder across runs (settings "TKV",
// section "Paths", key "LastPath"), and offers the default text folder
// "TKV_TXT" among the user's documents (dialogs/default_folder.h), the
// desktop, the documents folder and one step back; a folder list beside the files leads to the
// parent and the subfolders. The path box takes absolute, relative and "~" folders; only a folder
// it could enter is ever used for a path or stored.
//
// Names show one way everywhere, in their readable form (files/path_text.h):
// a name that is not UTF-8 reads "中文.txt [GB]" in the list, the name box
// and the path box, and the path chosen still names its exact bytes.
//
// The caller sets bOpen (and in save mode sWay and nPat), shows the dialog
// modally and takes Chosen() when bOk is set. Confirming or cancelling only
// hides the dialog, so folder, filter and selection carry over to the next
// use. Every handler is public so that tests drive the dialog without a modal
// loop.
#ifndef TEKVO_DIALOGS_FRM_B_H_
#define TEKVO_DIALOGS_FRM_B_H_

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "dialogs/default_folder.h"
#include "engine/text/text.h"
#include "files/file_encoding.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tekvo {

class Prompter;

class FrmB : public QDialog {
  Q_OBJECT

 public:
  // `prompter` asks the dialog's questions.
  explicit FrmB(Prompter& prompter, QWidget* parent = nullptr);
  ~FrmB() override;

  // True to open a file, false to save.
  bool bOpen = true;
  // True when the user confirmed with "打 开" or "保 存"; cleared on each show.
  bool bOk = false;
  // Save mode in: the document's full path (lossless text) or empty. Out:
  // the chosen full path, empty when the user cancelled or closed the dialog.
  QString sWay;
  // Save mode in: the document's encoding. Out: the chosen one; open mode
  // never hands back one with a mark (the file's own mark decides).
  FileEncoding nPat = FileEncoding::kDefaultEncoding;
  // Where the default folder is made. Read when the dialog loads.
  UserFolders userFolders = CurrentUserFolders();

  // What the dialog hands back; meaningful when bOk is true.
  struct Choice {
    Text path;              // sWay, lossless
    FileEncoding encoding;  // nPat; kDefaultEncoding for the document's own
  };
  Choice Chosen() const;

  // Creation: filter, starting folder, default folder, last folder. Runs by
  // itself before the first show and again after Unload.
  void Load();
  // What every show does: re-reads the folder and sets the dialog up for the
  // mode. Returns false (after telling the user) when that failed; the dialog
  // then hides itself with sWay empty.
  bool Activate();
  // The window closed by its close control or with the program: sWay becomes
  // empty and the path box is stored as "LastPath". The next show loads anew.
  void Unload();

  // Selects the listed file of that name (exact spelling first, then any
  // letter case); false for an empty name or no match.
  bool SelectListedFile(const QString& name);
  // Save mode: splits sWay into the name box and the list's folder. False for
  // an empty sWay or a folder that cannot be entered.
  bool ApplyInitialPath();

  // The handlers, named after their control and event.
  bool txtPath_Validate();
  void txtPath_Enter();
  void cmdDef_Click(int index);
  void cmdWsp_Click(int index);
  void chkFilter_Click();
  void filA_Click();
  void filA_DblClick();
  // Enters the folder selected in the folder list ("..": the parent).
  void dirA_DblClick();
  void txtA_Change();
  // False when the character is swallowed (Enter, or a refused character).
  bool txtA_KeyPress(QChar key);
  void cboPat_Click();
  void cmdA_Click(int index);
  void cmdMend_Click();
  void cmdDelFile_Click();

  // The file list: its folder (the tag, always ending in "/"), entering a
  // folder (false when it does not exist), re-reading, and its entries.
  // Folders and names are lossless text (files/path_text.h): a name that is
  // not UTF-8 is shown readably in the list but travels as its exact bytes.
  // A relative folder is taken from the folder on show; "~" is the home
  // folder.
  QString ListTag() const { return list_tag_; }
  bool SetListFolder(const QString& folder);
  void RefreshList();
  QStringList ListedFiles() const;
  QString SelectedFile() const;
  // The folder list: ".." (except at "/") and the subfolders.
  QStringList ListedFolders() const;
  // The folders behind "默认路径" (0) and "后退" (1).
  QString DefTag(int index) const { return def_tag_[index]; }
  // The file the name box names, as lossless text: a listed file shown as
  // the box shows it, otherwise the bytes its text stands for.
  QString NameInBox() const;

  QLabel* lblGo() const { return lbl_go_; }
  QLineEdit* txtPath() const { return txt_path_; }
  QListWidget* filA() const { return fil_a_; }
  QListWidget* dirA() const { return dir_a_; }
  QCheckBox* chkFilter() const { return chk_filter_; }
  QPushButton* cmdWsp(int index) const { return cmd_wsp_[index]; }
  QPushButton* cmdDef(int index) const { return cmd_def_[index]; }
  QLineEdit* txtA() const { return txt_a_; }
  QPushButton* cmdMend() const { return cmd_mend_; }
  QPushButton* cmdDelFile() const { return cmd_del_file_; }
  QComboBox* cboPat() const { return cbo_pat_; }
  QCheckBox* chkBom() const { return chk_bom_; }
  QPushButton* cmdA(int index) const { return cmd_a_[index]; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void LayOutControls();
  void WireControls();
  // The check box and the buttons beside the file list, top to bottom.
  QList<QWidget*> SideControls() const;
  void filA_PathChange(const QString& old_tag);
  // `folder` made absolute and clean: "~" expanded, a relative folder taken
  // from the folder on show.
  QString ResolveFolder(const QString& folder) const;
  // Runs the path box's validation when its text is not the current folder,
  // as a button press does first. False when the validation refused.
  bool SettlePathBox();
  // The list's folder as the path box shows it, and the typed folder.
  QString ShownFolder() const;
  QString TypedFolder() const;
  // Puts the lossless `name` into the name box in its readable form and
  // selects what `start` and `length` cover of it.
  void ShowNameInBox(const QString& name, int start = 0, int length = 0);
  void StoreLastPath();
  bool Ask(const QString& question, bool default_no);
  void Tell(const QString& message);

  Prompter& prompter_;
  bool loaded_ = false;
  bool programmatic_select_ = false;
  bool validating_ = false;
  QString list_path_;  // the list's folder, without a trailing "/" (except "/")
  QString list_tag_;
  QString pattern_ = QStringLiteral("*.txt");
  std::array<QString, 2> def_tag_;

  QLabel* lbl_go_ = nullptr;
  QLineEdit* txt_path_ = nullptr;
  QListWidget* fil_a_ = nullptr;
  QListWidget* dir_a_ = nullptr;
  QCheckBox* chk_filter_ = nullptr;
  std::array<QPushButton*, 2> cmd_wsp_{};
  std::array<QPushButton*, 2> cmd_def_{};
  QLineEdit* txt_a_ = nullptr;
  QPushButton* cmd_mend_ = nullptr;
  QPushButton* cmd_del_file_ = nullptr;
  QComboBox* cbo_pat_ = nullptr;
  QCheckBox* chk_bom_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_B_H_
