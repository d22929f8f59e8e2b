// The transform-and-language dialog: asks for the transfer format that hides
// the text (URL escapes, quoted-printable, Base64, Base64 with the URL
// alphabet) and the language whose code page the decoded bytes are in.
//
// The caller shows it modally and reads Chosen() (nOpr, lLid and sSay). The
// buttons only hide the dialog, so it keeps the user's choices for the next
// use; closing it with the window's close box counts as cancel and puts the
// defaults back, as a dialog created afresh would have them.
#ifndef TEKVO_DIALOGS_FRM_TL_H_
#define TEKVO_DIALOGS_FRM_TL_H_

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;

namespace tekvo {

class FrmTl : public QDialog {
  Q_OBJECT

 public:
  // Positions in the format list.
  enum Format : std::int16_t { kUrl = 0, kQp = 1, kBase64 = 2, kBase64Url = 3 };

  explicit FrmTl(QWidget* parent = nullptr);

  // True when the user confirmed with "确定"; cleared each time the dialog
  // is shown.
  bool bOk = false;
  // Position of the chosen format (0 to 3, see Format).
  std::int16_t nOpr = 0;
  // The chosen language: an LCID, or -3 for UTF-8.
  std::int32_t lLid = 0;
  // The choice in words, e.g. "Base64(URL)--UTF8".
  QString sSay;

  // What the dialog hands back; meaningful when bOk is true.
  struct Choice {
    std::int16_t format;    // nOpr
    std::int32_t language;  // lLid
    QString say;            // sSay
  };
  Choice Chosen() const { return {nOpr, lLid, sSay}; }

  // What happens each time the dialog is shown: bOk is cleared.
  void Activate();

  // The two buttons. Confirm reads the choices into the fields and sets bOk;
  // Cancel leaves them. Both hide the dialog.
  void Confirm();
  void Cancel();

  QComboBox* cboOpr() const { return cbo_opr_; }
  QComboBox* cboCS() const { return cbo_cs_; }
  QLabel* lblA() const { return lbl_a_; }
  QPushButton* cmdA(int index) const { return cmd_a_[index]; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Fills and resets the two lists to their first entries.
  void LoadLists();

  QComboBox* cbo_opr_ = nullptr;
  QComboBox* cbo_cs_ = nullptr;
  QLabel* lbl_a_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_FRM_TL_H_
