// What the code page pair dialog and the language pair dialog share: two
// ways to give a pair of identifiers, typed as numbers in the first row or
// picked from two lists of names in the second, with "确定" and "取消"
// below. The buttons only hide the dialog, so it keeps the user's choices
// for its next use; closing it with the window's close box counts as cancel
// and puts the defaults back, as a dialog created afresh would have them.
//
// Tests drive it without a modal loop: set the controls, call Confirm or
// Cancel (or click the buttons) and read the results.
#ifndef TEKVO_DIALOGS_PAIR_DIALOG_H_
#define TEKVO_DIALOGS_PAIR_DIALOG_H_

#include <QDialog>
#include <QPalette>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tekvo {

// What a concrete pair dialog says about itself.
struct PairDialogSpec {
  const char16_t* caption;        // window caption
  const char16_t* number_option;  // caption of optOpr 0
  const char16_t* list_option;    // caption of optOpr 1
  const char16_t* entries;        // names and identifiers alternating, comma-separated
  const char* number_box_name;    // object name stem of the number boxes ("txtCP")
  const char* number_label_name;  // the "--" between the number boxes
  const char* list_label_name;    // the "--" between the lists
  const char16_t* number_say;     // "CP: " or "LCID: "
  const char16_t* list_joiner;    // " -- " or "--"
};

// A number as the number boxes take it: an optionally signed decimal integer
// with blanks around it, within 32 signed bits. nullopt for anything else.
std::optional<std::int32_t> ParsePairNumber(const QString& text);

// What a pair dialog hands back: the two identifiers (LCIDs or code pages)
// and the pair in words for the status label.
struct PairChoice {
  std::int32_t a = 0;
  std::int32_t b = 0;
  QString say;
};

class PairDialog : public QDialog {
  Q_OBJECT

 public:
  // True when the user confirmed with "确定"; cleared each time the dialog
  // is shown.
  bool bOk = false;
  // The description of the confirmed pair.
  QString sSay;

  // The confirmed pair and its description; meaningful when bOk is true.
  virtual PairChoice Chosen() const = 0;

  // What happens each time the dialog is shown: bOk is cleared.
  void Activate();

  // "确定": reads the pair from the rows the selected option names. A number
  // box that does not hold a number stops it silently: nothing changes and
  // the dialog stays open. Otherwise sets the results and bOk and hides the
  // dialog.
  void Confirm();
  // "取消": hides the dialog; bOk stays false.
  void Cancel();

  // Puts every control back as the first use shows them.
  void LoadDefaults();

  // True in number mode ("代码页(CP)", "语文区号(LCID)").
  bool NumberMode() const;

  QRadioButton* optOpr(int index) const { return opt_opr_[index]; }
  QLineEdit* numberBox(int index) const { return number_box_[index]; }
  QComboBox* cboCS(int index) const { return cbo_cs_[index]; }
  QLabel* numberLabel() const { return number_label_; }
  QLabel* listLabel() const { return list_label_; }
  QPushButton* cmdA(int index) const { return cmd_a_[index]; }

 public slots:
  void reject() override;

 protected:
  PairDialog(const PairDialogSpec& spec, QWidget* parent);

  // Hands the confirmed pair to the subclass's own fields.
  virtual void SetPair(std::int32_t a, std::int32_t b) = 0;

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void optOpr_Click();
  void cboCS_Click(int index);
  void SetNumberBoxesActive(bool active);

  PairDialogSpec spec_;
  std::array<QRadioButton*, 2> opt_opr_{};
  std::array<QLineEdit*, 2> number_box_{};
  std::array<QComboBox*, 2> cbo_cs_{};
  QLabel* number_label_ = nullptr;
  QLabel* list_label_ = nullptr;
  std::array<QPushButton*, 2> cmd_a_{};
  QPalette active_palette_;
};

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_PAIR_DIALOG_H_
