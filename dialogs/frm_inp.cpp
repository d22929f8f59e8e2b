#include "dialogs/frm_inp.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/ok_cancel.h"
#include "dialogs/qtext.h"
#include "engine/text/mapping.h"
#include "files/prompter.h"

namespace tekvo {
namespace {

// QTextCursor hands out paragraph breaks as U+2029; everything else wants
// plain line feeds.
QString FromCursorText(QString s) { return s.replace(QChar::ParagraphSeparator, u'\n'); }

QString ToLineFeeds(QString s) {
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(u'\r', u'\n');
  return s;
}

// A plain text box that holds at most a fixed number of units, types a tab for
// the Tab key and leaves Enter to the dialog's default button.
class LimitedTextEdit : public QPlainTextEdit {
 public:
  LimitedTextEdit(int max_len, QWidget* parent) : QPlainTextEdit(parent), max_len_(max_len) {
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Clip(); });
  }

  // How many more units fit when the selection is replaced.
  int Room() const {
    const QTextCursor c = textCursor();
    const int selected = c.selectionEnd() - c.selectionStart();
    return max_len_ - (static_cast<int>(toPlainText().size()) - selected);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      e->ignore();
      return;
    }
    if (enter) {
      // The widget would type U+2028 for Shift+Enter, which the caller takes
      // for a character, not a line break.
      if (Room() < 1) {
        QApplication::beep();
      } else {
        insertPlainText(QStringLiteral("\n"));
      }
      e->accept();
      return;
    }
    const QString typed = e->text();
    const bool types = !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t');
    if (types && !e->matches(QKeySequence::Paste) && typed.size() > Room()) {
      QApplication::beep();
      e->accept();
      return;
    }
    QPlainTextEdit::keyPressEvent(e);
  }

  void insertFromMimeData(const QMimeData* source) override {
    if (source == nullptr || !source->hasText()) return;
    QString text = ToLineFeeds(source->text());
    const int room = std::max(0, Room());
    if (text.size() > room) {
      QApplication::beep();
      text.truncate(room);
    }
    insertPlainText(text);
  }

 private:
  // Input methods and drops can get past the checks above.
  void Clip() {
    const QString all = toPlainText();
    if (all.size() <= max_len_ || clipping_) return;
    clipping_ = true;
    QTextCursor c(document());
    c.setPosition(max_len_);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    clipping_ = false;
  }

  int max_len_;
  bool clipping_ = false;
};

}  // namespace

FrmInp::FrmInp(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  BuildMenu(bar);

  txt_a_ = new LimitedTextEdit(kMaxInputLen, this);
  txt_a_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(txt_a_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopUpEditMenu(txt_a_->viewport()->mapToGlobal(pos)); });
  layout->addWidget(txt_a_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  cmd_a_ = MakeOkCancel(this, &FrmInp::Confirm, &FrmInp::Cancel);
  buttons->addWidget(cmd_a_[0]);
  buttons->addWidget(cmd_a_[1]);
  layout->addLayout(buttons);

  resize(420, 220);
}

FrmInp::~FrmInp() = default;

void FrmInp::BuildMenu(QMenuBar* bar) {
  mnu_edits_ = bar->addMenu(QStringLiteral(" 编辑 (&E)"));
  static const char16_t* const kEditCaptions[] = {u"全选 (&A)", u"剪切 (&X)", u"复制 (&C)",
                                                  u"粘贴 (&V)"};
  for (int i = 0; i < 4; ++i) {
    mnu_edit_[i] = mnu_edits_->addAction(QString::fromUtf16(kEditCaptions[i]));
    connect(mnu_edit_[i], &QAction::triggered, this, [this, i] { RunEdit(i); });
  }
  mnu_edits_->addSeparator();
  static const char16_t* const kCaseCaptions[] = {u"转全角 (&D)", u"转半角 (&B)", u"转简体 (&G)",
                                                  u"转繁体 (&F)"};
  for (int i = 0; i < 4; ++i) {
    mnu_wn_case_[i] = mnu_edits_->addAction(QString::fromUtf16(kCaseCaptions[i]));
    connect(mnu_wn_case_[i], &QAction::triggered, this, [this, i] { MapSelection(i); });
  }
  connect(mnu_edits_, &QMenu::aboutToShow, this, &FrmInp::UpdateEditMenu);
}

bool FrmInp::Activate() {
  bOk = false;
  if (sInp.size() > kMaxInputLen) {
    hide();
    const QString message = QStringLiteral("选取字数 不能超过 ") + QString::number(kMaxInputLen);
    prompter_.Tell(ToText(message));
    return false;
  }
  txt_a_->setPlainText(ToLineFeeds(sInp));
  QTextCursor c = txt_a_->textCursor();
  c.setPosition(0);
  c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  txt_a_->setTextCursor(c);
  txt_a_->setFocus();
  return true;
}

void FrmInp::Confirm() {
  // toPlainText() would also rewrite U+00A0 as a blank and U+2028 as a line
  // feed; the raw text keeps every unit and marks only the line breaks.
  QString text = FromCursorText(txt_a_->document()->toRawText());
  text.replace(u'\n', QStringLiteral("\r\n"));
  sInp = text;
  bOk = true;
  accept();
}

void FrmInp::Cancel() { reject(); }

void FrmInp::UpdateEditMenu() {
  const bool selected = txt_a_->textCursor().hasSelection();
  mnu_edit_[0]->setEnabled(true);
  mnu_edit_[1]->setEnabled(selected);
  mnu_edit_[2]->setEnabled(selected);
  mnu_edit_[3]->setEnabled(txt_a_->canPaste());
  for (QAction* a : mnu_wn_case_) a->setEnabled(selected);
}

void FrmInp::RunEdit(int index) {
  switch (index) {
    case 0:
      txt_a_->selectAll();
      break;
    case 1:
      txt_a_->cut();
      break;
    case 2:
      txt_a_->copy();
      break;
    case 3:
      txt_a_->paste();
      break;
    default:
      break;
  }
}

void FrmInp::MapSelection(int index) {
  QTextCursor c = txt_a_->textCursor();
  if (!c.hasSelection()) return;
  const Text selected = ToText(FromCursorText(c.selectedText()));
  if (index < 0 || index > 3) return;
  const Text mapped = ApplyTextMapping(selected, static_cast<TextMapping>(index));
  const int start = c.selectionStart();
  c.insertText(ToQString(mapped));
  c.setPosition(start);
  c.setPosition(start + static_cast<int>(mapped.size()), QTextCursor::KeepAnchor);
  txt_a_->setTextCursor(c);
}

void FrmInp::PopUpEditMenu(const QPoint& global_pos) {
  UpdateEditMenu();
  mnu_edits_->popup(global_pos);
}

}  // namespace tekvo
