#include "dialogs/pair_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/ok_cancel.h"

namespace tekvo {

std::optional<std::int32_t> ParsePairNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  // Only ASCII digits after an optional sign: QString::toInt would also take
  // blanks inside and a leading "+" twice over in some locales.
  qsizetype start = (trimmed[0] == u'+' || trimmed[0] == u'-') ? 1 : 0;
  if (start == trimmed.size()) return std::nullopt;
  for (qsizetype i = start; i < trimmed.size(); ++i) {
    if (trimmed[i] < u'0' || trimmed[i] > u'9') return std::nullopt;
  }
  bool ok = false;
  const qlonglong value = trimmed.toLongLong(&ok, 10);
  if (!ok || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

PairDialog::PairDialog(const PairDialogSpec& spec, QWidget* parent) : QDialog(parent), spec_(spec) {
  setWindowTitle(QString::fromUtf16(spec.caption));
  setModal(true);

  const QString box_name = QString::fromLatin1(spec.number_box_name);
  auto* options = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) {
    opt_opr_[i] =
        new QRadioButton(QString::fromUtf16(i == 0 ? spec.number_option : spec.list_option), this);
    opt_opr_[i]->setObjectName(QStringLiteral("optOpr%1").arg(i));
    options->addButton(opt_opr_[i], i);
    number_box_[i] = new QLineEdit(this);
    number_box_[i]->setObjectName(box_name + QString::number(i));
    number_box_[i]->installEventFilter(this);
    cbo_cs_[i] = new QComboBox(this);
    cbo_cs_[i]->setObjectName(QStringLiteral("cboCS%1").arg(i));
    cbo_cs_[i]->setEditable(false);
    connect(cbo_cs_[i], &QComboBox::currentIndexChanged, this, [this, i] { cboCS_Click(i); });
  }
  connect(options, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) optOpr_Click();
  });
  number_label_ = new QLabel(QStringLiteral("--"), this);
  number_label_->setObjectName(QString::fromLatin1(spec.number_label_name));
  list_label_ = new QLabel(QStringLiteral("--"), this);
  list_label_->setObjectName(QString::fromLatin1(spec.list_label_name));

  cmd_a_ = MakeOkCancel(this, &PairDialog::Confirm, &PairDialog::Cancel);

  auto* rows = new QGridLayout;
  rows->addWidget(opt_opr_[0], 0, 0);
  rows->addWidget(number_box_[0], 0, 1);
  rows->addWidget(number_label_, 0, 2);
  rows->addWidget(number_box_[1], 0, 3);
  rows->addWidget(opt_opr_[1], 1, 0);
  rows->addWidget(cbo_cs_[0], 1, 1);
  rows->addWidget(list_label_, 1, 2);
  rows->addWidget(cbo_cs_[1], 1, 3);
  rows->setColumnStretch(1, 1);
  rows->setColumnStretch(3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmd_a_[0]);
  buttons->addWidget(cmd_a_[1]);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addLayout(buttons);

  active_palette_ = number_box_[0]->palette();
  const QStringList parts = QString::fromUtf16(spec.entries).split(u',');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const int id = parts[i + 1].toInt();
    for (QComboBox* cbo : cbo_cs_) cbo->addItem(parts[i], id);
  }
  LoadDefaults();
  resize(440, 120);
}

void PairDialog::LoadDefaults() {
  // The first entry for A and the last for B; each choice writes its number
  // into the box beside it.
  cbo_cs_[0]->setCurrentIndex(-1);
  cbo_cs_[1]->setCurrentIndex(-1);
  cbo_cs_[0]->setCurrentIndex(0);
  cbo_cs_[1]->setCurrentIndex(cbo_cs_[1]->count() - 1);
  opt_opr_[1]->setChecked(true);
  optOpr_Click();
}

bool PairDialog::NumberMode() const { return opt_opr_[0]->isChecked(); }

void PairDialog::SetNumberBoxesActive(bool active) {
  QPalette palette = active_palette_;
  if (!active) palette.setColor(QPalette::Base, active_palette_.color(QPalette::Button));
  for (QLineEdit* box : number_box_) {
    box->setEnabled(active);
    box->setPalette(palette);
  }
}

void PairDialog::optOpr_Click() {
  const bool numbers = NumberMode();
  SetNumberBoxesActive(numbers);
  for (QComboBox* cbo : cbo_cs_) cbo->setVisible(!numbers);
  list_label_->setVisible(!numbers);
  if (numbers) {
    number_box_[0]->setFocus();
  } else {
    cbo_cs_[0]->setFocus();
  }
}

void PairDialog::cboCS_Click(int index) {
  const QVariant id = cbo_cs_[index]->currentData();
  if (id.isValid()) number_box_[index]->setText(QString::number(id.toInt()));
}

// A number box gets its whole text selected when it takes the focus, after
// the click that gave the focus has placed the caret.
bool PairDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (QLineEdit* box : number_box_) {
      if (watched == box) QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PairDialog::Activate() { bOk = false; }

void PairDialog::showEvent(QShowEvent* event) {
  Activate();
  QDialog::showEvent(event);
}

void PairDialog::Confirm() {
  std::int32_t a = 0, b = 0;
  if (NumberMode()) {
    std::optional<std::int32_t> na = ParsePairNumber(number_box_[0]->text());
    std::optional<std::int32_t> nb = ParsePairNumber(number_box_[1]->text());
    if (!na || !nb) return;
    a = *na;
    b = *nb;
    sSay = QString::fromUtf16(spec_.number_say) + QStringLiteral("(%1)--(%2)").arg(a).arg(b);
  } else {
    a = cbo_cs_[0]->currentData().toInt();
    b = cbo_cs_[1]->currentData().toInt();
    sSay = cbo_cs_[0]->currentText() + QString::fromUtf16(spec_.list_joiner) +
           cbo_cs_[1]->currentText();
  }
  SetPair(a, b);
  bOk = true;
  accept();
}

void PairDialog::Cancel() { QDialog::reject(); }

// Esc is the cancel button.
void PairDialog::reject() { Cancel(); }

void PairDialog::closeEvent(QCloseEvent* event) {
  bOk = false;
  LoadDefaults();
  QDialog::closeEvent(event);
}

}  // namespace tekvo
