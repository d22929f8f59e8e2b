#include "dialogs/frm_suggest.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/ok_cancel.h"
#include "dialogs/qtext.h"

namespace tekvo {
namespace {

// Units of a result shown in the list; the preview shows all of it.
constexpr std::size_t kLineUnits = 80;

// The names are status texts, which end in a blank.
QString NameOf(const RepairCandidate& c) {
  std::u16string_view name = c.name;
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  return ToQString(name);
}

// The plain text widget would show a CR LF as two breaks.
QString PreviewText(const Text& text) {
  QString s = ToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(u'\r'), QChar(u'\n'));
  return s;
}

// The background of the stretches the segmenting candidate repaired, so that
// the user sees what changes and what stays.
const QColor kRepairedBackground(255, 232, 150);

// Marks each repaired stretch of `c` in `edit`, which shows `c.text` as
// PreviewText gives it: one unit less for each CR LF before a position.
QList<QTextEdit::ExtraSelection> RepairedMarks(QPlainTextEdit* edit, const RepairCandidate& c) {
  QList<QTextEdit::ExtraSelection> marks;
  const Text& t = c.text;
  std::size_t scanned = 0;
  std::size_t removed = 0;
  auto preview_pos = [&](std::size_t unit) {
    for (; scanned < unit && scanned < t.size(); ++scanned) {
      if (t[scanned] == u'\r' && scanned + 1 < t.size() && t[scanned + 1] == u'\n') ++removed;
    }
    return static_cast<int>(unit - removed);
  };
  for (const RepairedStretch& s : c.stretches) {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(kRepairedBackground);
    mark.cursor = QTextCursor(edit->document());
    mark.cursor.setPosition(preview_pos(s.begin));
    mark.cursor.setPosition(preview_pos(s.end), QTextCursor::KeepAnchor);
    marks.push_back(mark);
  }
  return marks;
}

}  // namespace

FrmSuggest::FrmSuggest(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("自动推荐"));
  setModal(true);

  lst_a_ = new QTreeWidget(this);
  lst_a_->setObjectName(QStringLiteral("lstA"));
  lst_a_->setColumnCount(3);
  lst_a_->setHeaderLabels({QStringLiteral("修复"), QStringLiteral("得分"), QStringLiteral("首行")});
  lst_a_->setRootIsDecorated(false);
  lst_a_->setUniformRowHeights(true);
  lst_a_->setSelectionMode(QAbstractItemView::SingleSelection);
  lst_a_->header()->setStretchLastSection(true);
  lst_a_->setColumnWidth(kName, 190);
  lst_a_->setColumnWidth(kScore, 60);

  lbl_say_ = new QLabel(QStringLiteral("预览"), this);
  lbl_say_->setObjectName(QStringLiteral("lblSay"));
  txt_preview_ = new QPlainTextEdit(this);
  txt_preview_->setObjectName(QStringLiteral("txtPreview"));
  txt_preview_->setReadOnly(true);

  cmd_a_ = MakeOkCancel(this, &FrmSuggest::Confirm, &FrmSuggest::Cancel);
  connect(lst_a_, &QTreeWidget::currentItemChanged, this, [this] { ShowPreview(); });
  connect(lst_a_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) lst_a_->setCurrentItem(item);
    Confirm();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmd_a_[0]);
  buttons->addWidget(cmd_a_[1]);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lst_a_, 3);
  layout->addWidget(lbl_say_);
  layout->addWidget(txt_preview_, 2);
  layout->addLayout(buttons);
  resize(680, 460);
}

void FrmSuggest::SetCandidates(std::vector<RepairCandidate> candidates) {
  candidates_ = std::move(candidates);
  nPick = -1;
  lst_a_->clear();
  for (const RepairCandidate& c : candidates_) {
    auto* item = new QTreeWidgetItem(lst_a_);
    item->setText(kName, NameOf(c));
    item->setText(kScore, QString::number(c.score, 'f', 3));
    item->setTextAlignment(kScore, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(kFirstLine, ToQString(FirstLine(c.text, kLineUnits)));
  }
  if (lst_a_->topLevelItemCount() > 0) lst_a_->setCurrentItem(lst_a_->topLevelItem(0));
  ShowPreview();
}

void FrmSuggest::ShowPreview() {
  const int row = lst_a_->currentItem() ? lst_a_->indexOfTopLevelItem(lst_a_->currentItem()) : -1;
  if (row < 0 || row >= static_cast<int>(candidates_.size())) {
    txt_preview_->clear();
    txt_preview_->setExtraSelections({});
    lbl_say_->setText(QStringLiteral("预览"));
    return;
  }
  txt_preview_->setPlainText(PreviewText(candidates_[row].text));
  txt_preview_->setExtraSelections(RepairedMarks(txt_preview_, candidates_[row]));
  lbl_say_->setText(QStringLiteral("预览: ") + NameOf(candidates_[row]));
}

void FrmSuggest::Activate() { bOk = false; }

void FrmSuggest::showEvent(QShowEvent* event) {
  Activate();
  QDialog::showEvent(event);
}

void FrmSuggest::Confirm() {
  const int row = lst_a_->currentItem() ? lst_a_->indexOfTopLevelItem(lst_a_->currentItem()) : -1;
  if (row < 0 || row >= static_cast<int>(candidates_.size())) return;
  nPick = row;
  bOk = true;
  accept();
}

void FrmSuggest::Cancel() {
  bOk = false;
  QDialog::reject();
}

// Esc and the close box are the cancel button.
void FrmSuggest::reject() { Cancel(); }

}  // namespace tekvo
