// The suggestion dialog: the ranked repair candidates of the text, each with
// its name, its score and the first line of its result, and a preview of the
// whole result of the selected one.
//
// The caller hands the candidates over with SetCandidates, shows the dialog
// modally and reads Chosen() (nPick). "确定" or a double click on a candidate
// confirms; "取消", Esc and the close box leave bOk false. The first
// candidate is selected each time candidates are set.
#ifndef TEKVO_DIALOGS_FRM_SUGGEST_H_
#define TEKVO_DIALOGS_FRM_SUGGEST_H_

#include <QDialog>
#include <array>
#include <vector>

#include "engine/suggest/suggest.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace tekvo {

class FrmSuggest : public QDialog {
  Q_OBJECT

 public:
  // Columns of the candidate list.
  enum Column { kName = 0, kScore = 1, kFirstLine = 2 };

  explicit FrmSuggest(QWidget* parent = nullptr);

  // Lists `candidates` (best first) and selects the first.
  void SetCandidates(std::vector<RepairCandidate> candidates);
  const std::vector<RepairCandidate>& Candidates() const { return candidates_; }

  // True when the user confirmed; cleared each time the dialog is shown.
  bool bOk = false;
  // The confirmed candidate's position in Candidates(); -1 until one is.
  int nPick = -1;

  // The confirmed candidate's position (nPick); meaningful when bOk is true.
  int Chosen() const { return nPick; }
  // What happens each time the dialog is shown: bOk is cleared.
  void Activate();

  // Confirm takes the selected candidate (none selected: nothing happens);
  // Cancel leaves bOk false. Both hide the dialog.
  void Confirm();
  void Cancel();

  QTreeWidget* lstA() const { return lst_a_; }
  QPlainTextEdit* txtPreview() const { return txt_preview_; }
  QLabel* lblSay() const { return lbl_say_; }
  QPushButton* cmdA(int index) const { return cmd_a_[index]; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowPreview();

  std::vector<RepairCandidate> candidates_;
  QTreeWidget* lst_a_ = nullptr;
  QPlainTextEdit* txt_preview_ = nullptr;
  QLabel* lbl_say_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_SUGGEST_H_
