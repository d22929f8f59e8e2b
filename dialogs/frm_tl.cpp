#include "dialogs/frm_tl.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "dialogs/ok_cancel.h"

namespace tekvo {

namespace {

const char* const kFormats[] = {"URL", "QP", "Base64", "Base64(URL)"};

// Names and identifiers alternate, as the language pair dialog lists them,
// without the UTF-16 entry: decoded bytes are never UTF-16 here.
constexpr char16_t kLanguages[] =
    u"GB,2052,Big5,1028,日文,1041,韩文,1042,泰文,1054,越南文,1066,Eng,1033,希腊文,1032,"
    u"俄文,1049,阿拉伯文,1025,希伯莱文,1037,UTF8,-3";

}  // namespace

FrmTl::FrmTl(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("转换格式--语文名称"));
  setModal(true);

  cbo_opr_ = new QComboBox(this);
  cbo_opr_->setObjectName(QStringLiteral("cboOpr"));
  cbo_opr_->setEditable(false);
  lbl_a_ = new QLabel(QStringLiteral("--"), this);
  lbl_a_->setObjectName(QStringLiteral("lblA"));
  cbo_cs_ = new QComboBox(this);
  cbo_cs_->setObjectName(QStringLiteral("cboCS"));
  cbo_cs_->setEditable(false);

  cmd_a_ = MakeOkCancel(this, &FrmTl::Confirm, &FrmTl::Cancel);

  auto* row = new QHBoxLayout;
  row->addWidget(cbo_opr_, 1);
  row->addWidget(lbl_a_);
  row->addWidget(cbo_cs_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmd_a_[0]);
  buttons->addWidget(cmd_a_[1]);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);

  LoadLists();
  resize(320, 100);
}

void FrmTl::LoadLists() {
  cbo_opr_->clear();
  for (const char* format : kFormats) cbo_opr_->addItem(QString::fromLatin1(format));
  cbo_opr_->setCurrentIndex(0);

  cbo_cs_->clear();
  const QStringList parts = QString::fromUtf16(kLanguages).split(u',');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    cbo_cs_->addItem(parts[i], parts[i + 1].toInt());
  }
  cbo_cs_->setCurrentIndex(0);
}

void FrmTl::Activate() { bOk = false; }

void FrmTl::showEvent(QShowEvent* event) {
  Activate();
  QDialog::showEvent(event);
}

void FrmTl::Confirm() {
  nOpr = static_cast<std::int16_t>(cbo_opr_->currentIndex());
  lLid = cbo_cs_->currentData().toInt();
  sSay = cbo_opr_->currentText() + QStringLiteral("--") + cbo_cs_->currentText();
  bOk = true;
  accept();
}

void FrmTl::Cancel() { QDialog::reject(); }

// Esc is the cancel button.
void FrmTl::reject() { Cancel(); }

void FrmTl::closeEvent(QCloseEvent* event) {
  bOk = false;
  LoadLists();
  QDialog::closeEvent(event);
}

}  // namespace tekvo
