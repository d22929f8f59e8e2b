#include "dialogs/frm_b.h"

#include <sys/stat.h>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>

#include "dialogs/file_name_rules.h"
#include "dialogs/qtext.h"
#include "dialogs/recycle_bin.h"
#include "dialogs/settings_store.h"
#include "files/error_text.h"
#include "files/file_encoding.h"
#include "files/folder_listing.h"
#include "files/path_text.h"
#include "files/prompter.h"

namespace tekvo {
namespace {

// Folders and names travel through the dialog as lossless text, whose lone
// surrogates stand for bytes that are not UTF-8; only these two helpers turn
// them into the bytes the file system sees.
std::string Bytes(const QString& lossless) { return TextPath(ToText(lossless)); }
QString Lossless(const std::string& bytes) { return ToQString(LosslessPathText(bytes)); }

constexpr int kNameRole = Qt::UserRole;
const QString kParentFolder = QStringLiteral("..");

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QString SystemError(int error_number) { return ToQString(ErrorText(error_number)); }

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

FrmB::FrmB(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  setObjectName(QStringLiteral("frmB"));
  sAppDir = WithSlash(QCoreApplication::applicationDirPath());
  BuildControls();
}

FrmB::~FrmB() {
  // Destroyed with the program without being closed first: still remember
  // the folder, as closing would.
  if (loaded_) StoreLastPath();
}

void FrmB::BuildControls() {
  auto button = [this](const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    // Enter confirms only from the name box and the file list.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
  };
  lbl_go_ = new QLabel(QStringLiteral("转到"), this);
  lbl_go_->setObjectName(QStringLiteral("lblGo"));
  txt_path_ = new QLineEdit(this);
  txt_path_->setObjectName(QStringLiteral("txtPath"));
  fil_a_ = new QListWidget(this);
  fil_a_->setObjectName(QStringLiteral("filA"));
  fil_a_->setSelectionMode(QAbstractItemView::SingleSelection);
  dir_a_ = new QListWidget(this);
  dir_a_->setObjectName(QStringLiteral("dirA"));
  dir_a_->setSelectionMode(QAbstractItemView::SingleSelection);
  chk_filter_ = new QCheckBox(QStringLiteral("仅见txt文件"), this);
  chk_filter_->setObjectName(QStringLiteral("chkFilter"));
  cmd_wsp_[0] = button(QStringLiteral("cmdWsp0"), QStringLiteral("桌面"));
  cmd_wsp_[1] = button(QStringLiteral("cmdWsp1"), QStringLiteral("我的文档"));
  cmd_def_[0] = button(QStringLiteral("cmdDef0"), QStringLiteral("默认路径"));
  cmd_def_[1] = button(QStringLiteral("cmdDef1"), QStringLiteral("后退"));
  txt_a_ = new QLineEdit(this);
  txt_a_->setObjectName(QStringLiteral("txtA"));
  cmd_mend_ = button(QStringLiteral("cmdMend"), QStringLiteral("起新名"));
  cmd_del_file_ = button(QStringLiteral("cmdDelFile"), QStringLiteral("删除文件"));
  cbo_pat_ = new QComboBox(this);
  cbo_pat_->setObjectName(QStringLiteral("cboPat"));
  chk_bom_ = new QCheckBox(QStringLiteral("BOM"), this);
  chk_bom_->setObjectName(QStringLiteral("chkBom"));
  cmd_a_[0] = button(QStringLiteral("cmdA0"), QStringLiteral("打 开"));
  cmd_a_[1] = button(QStringLiteral("cmdA1"), QStringLiteral("取 消"));

  cbo_pat_->addItem(QStringLiteral("默认编码格式"));
  for (int e : {1, 2, 3, 4, 8}) cbo_pat_->addItem(ToQString(EncodingName(ToFileEncoding(e))));

  QFont small = txt_a_->font();
  if (small.pointSizeF() > 0) small.setPointSizeF(small.pointSizeF() * 0.9);
  for (QWidget* w : {static_cast<QWidget*>(cmd_def_[0]), static_cast<QWidget*>(cmd_def_[1]),
                     static_cast<QWidget*>(cmd_wsp_[0]), static_cast<QWidget*>(cmd_wsp_[1]),
                     static_cast<QWidget*>(cmd_del_file_), static_cast<QWidget*>(cmd_mend_),
                     static_cast<QWidget*>(chk_bom_), static_cast<QWidget*>(chk_filter_)}) {
    w->setFont(small);
  }

  auto* grid = new QGridLayout(this);
  auto* go = new QHBoxLayout();
  go->addWidget(lbl_go_);
  go->addWidget(txt_path_, 1);
  grid->addLayout(go, 0, 0, 1, 5);
  grid->addWidget(dir_a_, 1, 0, 1, 1);
  grid->addWidget(fil_a_, 1, 1, 1, 3);
  // The folder list narrow, the file list wide.
  grid->setColumnStretch(0, 2);
  for (int column = 1; column <= 3; ++column) grid->setColumnStretch(column, 3);
  auto* side = new QVBoxLayout();
  for (QWidget* w : {static_cast<QWidget*>(chk_filter_), static_cast<QWidget*>(cmd_wsp_[0]),
                     static_cast<QWidget*>(cmd_wsp_[1]), static_cast<QWidget*>(cmd_def_[0]),
                     static_cast<QWidget*>(cmd_def_[1]), static_cast<QWidget*>(cmd_del_file_)}) {
    side->addWidget(w);
  }
  side->addStretch();
  grid->addLayout(side, 1, 4);
  grid->addWidget(txt_a_, 2, 0, 1, 4);
  grid->addWidget(cmd_mend_, 2, 4);
  grid->addWidget(cbo_pat_, 3, 0, 1, 2);
  grid->addWidget(chk_bom_, 3, 2);
  auto* confirm = new QHBoxLayout();
  confirm->addWidget(cmd_a_[0]);
  confirm->addWidget(cmd_a_[1]);
  grid->addLayout(confirm, 3, 3, 1, 2);
  resize(680, 420);

  chk_filter_->setChecked(true);
  connect(chk_filter_, &QCheckBox::clicked, this, [this] { chkFilter_Click(); });
  connect(cmd_wsp_[0], &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdWsp_Click(0);
  });
  connect(cmd_wsp_[1], &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdWsp_Click(1);
  });
  connect(cmd_def_[0], &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdDef_Click(0);
  });
  connect(cmd_def_[1], &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdDef_Click(1);
  });
  connect(cmd_mend_, &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdMend_Click();
  });
  connect(cmd_del_file_, &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdDelFile_Click();
  });
  connect(cmd_a_[0], &QPushButton::clicked, this, [this] {
    if (SettlePathBox()) cmdA_Click(0);
  });
  connect(cmd_a_[1], &QPushButton::clicked, this, [this] { cmdA_Click(1); });
  connect(fil_a_, &QListWidget::currentItemChanged, this, [this] {
    if (!programmatic_select_) filA_Click();
  });
  connect(fil_a_, &QListWidget::itemClicked, this, [this] { filA_Click(); });
  connect(fil_a_, &QListWidget::itemDoubleClicked, this, [this] { filA_DblClick(); });
  connect(dir_a_, &QListWidget::itemDoubleClicked, this, [this] {
    if (SettlePathBox()) dirA_DblClick();
  });
  connect(txt_a_, &QLineEdit::textChanged, this, [this] { txtA_Change(); });
  connect(cbo_pat_, &QComboBox::activated, this, [this] { cboPat_Click(); });
  txt_path_->installEventFilter(this);
  txt_a_->installEventFilter(this);
  fil_a_->installEventFilter(this);
  dir_a_->installEventFilter(this);
}

// ---- creation, showing, closing -------------------------------------------

QString FrmB::DefaultFolder(const QString& start_tag) const {
  // Beside the program as the user knows it; a program installed where the
  // user may not write keeps its folder among the user's documents instead.
  QString base = sAppDir;
  if (!QFileInfo(base).isWritable()) {
    base = WithSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  }
  const QString folder = base + QStringLiteral("TKV_TXT");
  if (QDir(folder).exists() || QDir().mkpath(folder)) return WithSlash(folder);
  return start_tag;
}

void FrmB::Load() {
  loaded_ = true;
  chk_filter_->setChecked(true);
  pattern_ = QStringLiteral("*.txt");

  const QString start = QDir::currentPath();
  const QString previous_tag = list_tag_;
  list_path_ = QDir::cleanPath(start);
  RefreshList();
  filA_PathChange(previous_tag);
  def_tag_[1] = list_tag_;
  const QString start_tag = list_tag_;
  def_tag_[0] = DefaultFolder(start_tag);

  const QString last =
      OpenSettingsStore()->value(QStringLiteral("Paths/LastPath")).toString().trimmed();
  if (!last.isEmpty() && SetListFolder(last)) return;
  if (!SetListFolder(def_tag_[0])) def_tag_[0] = start_tag;
}

bool FrmB::Activate() {
  if (!loaded_) Load();
  RefreshList();
  if (bOpen) {
    setWindowTitle(QStringLiteral("打开文件"));
    cmd_a_[0]->setText(QStringLiteral("打 开"));
    fil_a_->setFocus();
    txt_a_->setEnabled(false);
    QPalette face = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      face.setColor(group, QPalette::Base, face.color(group, QPalette::Button));
    }
    txt_a_->setPalette(face);
    cmd_mend_->setEnabled(false);
    chk_bom_->setChecked(false);
    chk_bom_->hide();
    cbo_pat_->setCurrentIndex(0);
    return true;
  }
  setWindowTitle(QStringLiteral("保存文件"));
  cmd_a_[0]->setText(QStringLiteral("保 存"));
  if (!ApplyInitialPath())
    txt_a_->setText(QStringLiteral("!未起名") + u'.' + QStringLiteral("txt"));
  if (fil_a_->selectedItems().isEmpty()) SelectListedFile(txt_a_->text());
  txt_a_->setEnabled(true);
  txt_a_->setPalette(palette());
  cmd_mend_->setEnabled(true);
  cmd_mend_->setFocus();
  int index = 0;
  if (nPat >= 0 && nPat <= 4) index = nPat;
  if (nPat >= 5 && nPat <= 8) index = nPat - 3;
  cbo_pat_->setCurrentIndex(index);
  chk_bom_->show();
  cboPat_Click();
  if (nPat >= 5 && nPat <= 7) chk_bom_->setChecked(false);
  return true;
}

void FrmB::Unload() {
  sWay.clear();
  StoreLastPath();
  loaded_ = false;
}

void FrmB::StoreLastPath() {
  auto settings = OpenSettingsStore();
  // Only a folder that was entered: text the validation refused is no path.
  settings->setValue(QStringLiteral("Paths/LastPath"), list_tag_);
  settings->sync();
}

void FrmB::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous() && !Activate()) {
    sWay.clear();
    QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
  }
}

void FrmB::closeEvent(QCloseEvent* event) {
  Unload();
  QDialog::closeEvent(event);
}

void FrmB::reject() { cmdA_Click(1); }

// ---- the file list --------------------------------------------------------

QString FrmB::ResolveFolder(const QString& folder) const {
  QString full = folder;
  if (full == u'~' || full.startsWith(QStringLiteral("~/"))) {
    full = QDir::homePath() + full.mid(1);
  } else if (!full.startsWith(u'/')) {
    // Relative to the folder on show, as in a shell.
    full = (list_tag_.isEmpty() ? WithSlash(QDir::currentPath()) : list_tag_) + full;
  }
  return QDir::cleanPath(full);
}

bool FrmB::SetListFolder(const QString& folder) {
  if (folder.trimmed().isEmpty()) return false;
  const QString path = ResolveFolder(folder);
  if (!IsEnterableFolder(Bytes(path))) return false;
  const QString old_tag = list_tag_;
  const bool changed = path != list_path_;
  list_path_ = path;
  RefreshList();
  if (changed) filA_PathChange(old_tag);
  return true;
}

void FrmB::RefreshList() {
  const QString selected = SelectedFile();
  programmatic_select_ = true;
  fil_a_->clear();
  dir_a_->clear();
  const FolderListing listing = ListFolder(Bytes(list_path_), Bytes(pattern_));
  for (const std::string& name : listing.files) {
    auto* item = new QListWidgetItem(ToQString(ReadableFileName(name)), fil_a_);
    item->setData(kNameRole, Lossless(name));
  }
  if (list_path_ != u'/') {
    auto* up = new QListWidgetItem(kParentFolder, dir_a_);
    up->setData(kNameRole, kParentFolder);
  }
  for (const std::string& name : listing.folders) {
    auto* item = new QListWidgetItem(ToQString(ReadableFileName(name)) + u'/', dir_a_);
    item->setData(kNameRole, Lossless(name));
  }
  programmatic_select_ = false;
  if (!selected.isEmpty()) {
    for (int i = 0; i < fil_a_->count(); ++i) {
      if (fil_a_->item(i)->data(kNameRole).toString() != selected) continue;
      programmatic_select_ = true;
      fil_a_->setCurrentItem(fil_a_->item(i));
      programmatic_select_ = false;
      break;
    }
  }
}

QStringList FrmB::ListedFolders() const {
  QStringList names;
  for (int i = 0; i < dir_a_->count(); ++i) {
    names << dir_a_->item(i)->data(kNameRole).toString();
  }
  return names;
}

QStringList FrmB::ListedFiles() const {
  QStringList names;
  for (int i = 0; i < fil_a_->count(); ++i) {
    names << fil_a_->item(i)->data(kNameRole).toString();
  }
  return names;
}

QString FrmB::SelectedFile() const {
  const auto items = fil_a_->selectedItems();
  return items.isEmpty() ? QString() : items.front()->data(kNameRole).toString();
}

bool FrmB::SelectListedFile(const QString& name) {
  if (name.isEmpty()) return false;
  // Linux names differ by letter case, so the exact spelling wins over a
  // case-insensitive match.
  QListWidgetItem* match = nullptr;
  const auto name_of = [this](int i) { return fil_a_->item(i)->data(kNameRole).toString(); };
  for (int i = 0; i < fil_a_->count() && !match; ++i) {
    if (name_of(i) == name) match = fil_a_->item(i);
  }
  for (int i = 0; i < fil_a_->count() && !match; ++i) {
    if (name_of(i).compare(name, Qt::CaseInsensitive) == 0) match = fil_a_->item(i);
  }
  if (!match) return false;
  programmatic_select_ = true;
  fil_a_->setCurrentItem(match);
  match->setSelected(true);
  programmatic_select_ = false;
  return true;
}

bool FrmB::ApplyInitialPath() {
  if (sWay.isEmpty()) return false;
  const qsizetype slash = sWay.lastIndexOf(u'/');
  txt_a_->setText(sWay.mid(slash + 1));
  if (slash < 0) return false;
  return SetListFolder(sWay.left(slash + 1));
}

void FrmB::filA_PathChange(const QString& old_tag) {
  if (bOpen) {
    txt_a_->clear();
  } else {
    SelectListedFile(txt_a_->text());
  }
  def_tag_[1] = old_tag;
  list_tag_ = WithSlash(list_path_);
  txt_path_->setText(list_tag_);
}

// ---- path box and buttons -------------------------------------------------

bool FrmB::txtPath_Validate() {
  if (SetListFolder(txt_path_->text().trimmed())) {
    txt_path_->setText(list_tag_);
    return true;
  }
  if (Ask(QStringLiteral("路径有错，是否自动撤消？"), false)) txt_path_->setText(list_tag_);
  txt_path_->setFocus();
  return false;
}

void FrmB::txtPath_Enter() {
  if (validating_) return;
  validating_ = true;
  const bool ok = txtPath_Validate();
  validating_ = false;
  if (ok) fil_a_->setFocus();
}

bool FrmB::SettlePathBox() {
  if (validating_ || txt_path_->text() == list_tag_) return true;
  validating_ = true;
  const bool ok = txtPath_Validate();
  validating_ = false;
  return ok;
}

void FrmB::cmdDef_Click(int index) { SetListFolder(def_tag_[index]); }

void FrmB::cmdWsp_Click(int index) {
  const QString folder = QStandardPaths::writableLocation(
      index == 0 ? QStandardPaths::DesktopLocation : QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !SetListFolder(WithSlash(folder))) {
    Tell(QStringLiteral("路径转换失败~ ") + SystemError(ENOENT));
  }
}

void FrmB::dirA_DblClick() {
  const QListWidgetItem* item = dir_a_->currentItem();
  if (!item) return;
  SetListFolder(list_tag_ + item->data(kNameRole).toString());
}

void FrmB::chkFilter_Click() {
  // "*" rather than "*.*": Linux names need no dot.
  pattern_ = chk_filter_->isChecked() ? QStringLiteral("*.txt") : QStringLiteral("*");
  RefreshList();
}

void FrmB::filA_Click() {
  const QString name = SelectedFile();
  if (!name.isEmpty()) txt_a_->setText(name);
}

void FrmB::filA_DblClick() {
  if (bOpen) {
    cmdA_Click(0);
  } else {
    txt_a_->setFocus();
    txt_a_->selectAll();
  }
}

void FrmB::txtA_Change() {
  if (bOpen) cbo_pat_->setCurrentIndex(0);
}

bool FrmB::txtA_KeyPress(QChar key) {
  if (key == u'\r' || key == u'\n') {
    if (SettlePathBox()) cmdA_Click(0);
    return false;
  }
  if (IsRefusedNameChar(key)) {
    Tell(RefusedNameMessage());
    return false;
  }
  return true;
}

void FrmB::cboPat_Click() {
  if (chk_bom_->isHidden()) return;
  const int index = cbo_pat_->currentIndex();
  const bool has_mark = index >= 2 && index <= 4;
  chk_bom_->setChecked(has_mark);
  chk_bom_->setEnabled(has_mark);
}

void FrmB::cmdA_Click(int index) {
  if (index >= 1) {
    sWay.clear();
    done(QDialog::Rejected);
    return;
  }
  QString name;
  if (bOpen) {
    name = SelectedFile();
    if (name.isEmpty()) return;
  } else {
    name = txt_a_->text().trimmed();
    if (name.isEmpty()) return;
    if (!name.contains(u'.')) name += QStringLiteral(".txt");
  }
  // The last entry is ANSI Eng (8); it must be told apart before the entries
  // with a mark move up by 3, or Unicode without a mark (2 + 3) would be taken
  // for it.
  int pat = cbo_pat_->currentIndex();
  if (pat == 5) {
    pat = 8;
  } else if (pat >= 2 && pat <= 4 && !chk_bom_->isChecked()) {
    pat += 3;
  }
  nPat = pat;
  // The folder on show, never text the path box's validation refused.
  sWay = list_tag_ + name;
  done(QDialog::Accepted);
}

void FrmB::cmdMend_Click() {
  txt_a_->setFocus();
  const QString typed = txt_a_->text().trimmed();
  RefreshList();
  SelectListedFile(typed);
  const QString folder = list_tag_;
  const MendedName mended = MendFileName(typed, [&folder](const QString& name) {
    struct stat st {};
    return ::lstat(Bytes(folder + name).c_str(), &st) == 0;
  });
  if (mended.second) SelectListedFile(mended.name);
  txt_a_->setText(mended.name);
  txt_a_->setSelection(mended.sel_start, mended.sel_length);
}

void FrmB::cmdDelFile_Click() {
  const QString name = SelectedFile();
  if (name.isEmpty()) return;
  const QString path = list_tag_ + name;
  const QString shown = ToQString(ShownPath(ToText(path)));
  const QString question = shown + QStringLiteral("\r\n\r\n是否删除？\r\n\r\n") +
                           QStringLiteral("(通常，硬盘文件进回收站，U盘文件直接删除)");
  if (!Ask(question, true)) return;
  QString error;
  if (DeleteToRecycleBin(Bytes(path), &error)) {
    RefreshList();
    txt_a_->clear();
  } else {
    // The desktop shows nothing of its own when the trash refuses a file.
    Tell(shown + QStringLiteral("\r\n\r\n删除失败~ ") + error);
  }
}

// ---- keys -----------------------------------------------------------------

bool FrmB::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == txt_path_ && IsEnter(key)) {
      txtPath_Enter();
      return true;
    }
    if (watched == fil_a_ && IsEnter(key)) {
      filA_DblClick();
      return true;
    }
    if (watched == dir_a_ && IsEnter(key)) {
      if (SettlePathBox()) dirA_DblClick();
      return true;
    }
    if (watched == txt_a_) {
      if (IsEnter(key)) return !txtA_KeyPress(u'\r');
      const QString typed = key->text();
      if (typed.size() == 1 && IsRefusedNameChar(typed[0])) return !txtA_KeyPress(typed[0]);
    }
  } else if (event->type() == QEvent::FocusOut && watched == txt_path_ && isVisible()) {
    // Leaving the path box for another control with a folder that cannot be
    // entered keeps the focus. Focus taken by another window (the question
    // box itself, a menu) is no move inside the dialog and validates nothing.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        !SettlePathBox()) {
      QTimer::singleShot(0, txt_path_, [this] { txt_path_->setFocus(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---- questions ------------------------------------------------------------

bool FrmB::Ask(const QString& question, bool default_no) {
  const DefaultButton def = default_no ? DefaultButton::kNo : DefaultButton::kYes;
  return prompter_.Ask(ToText(question), def);
}

void FrmB::Tell(const QString& message) { prompter_.Tell(ToText(message)); }

}  // namespace tekvo
