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
#include <algorithm>
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

// The entries of the encoding list: what each stands for with the BOM box
// checked and unchecked. An entry whose two are the same has no use for the
// box. The one table both ways: a caller's encoding to an entry and the box,
// the entry and the box to the encoding chosen.
struct PatEntry {
  FileEncoding with_mark;
  FileEncoding without_mark;
};
constexpr std::array<PatEntry, 6> kPatEntries = {{
    {FileEncoding::kDefaultEncoding, FileEncoding::kDefaultEncoding},
    {FileEncoding::kAnsiGb, FileEncoding::kAnsiGb},
    {FileEncoding::kUnicode, FileEncoding::kUnicodeNoBom},
    {FileEncoding::kUnicodeBe, FileEncoding::kUnicodeBeNoBom},
    {FileEncoding::kUtf8, FileEncoding::kUtf8NoBom},
    {FileEncoding::kAnsiEng, FileEncoding::kAnsiEng},
}};

bool HasMark(const PatEntry& entry) { return entry.with_mark != entry.without_mark; }

QString PatEntryText(const PatEntry& entry) {
  if (entry.with_mark == FileEncoding::kDefaultEncoding) return QStringLiteral("默认编码格式");
  return ToQString(EncodingName(entry.with_mark));
}

// The entry showing `encoding`; the first (the default) for a value outside
// the list.
int PatEntryOf(FileEncoding encoding) {
  for (int i = 0; i < static_cast<int>(kPatEntries.size()); ++i) {
    if (kPatEntries[i].with_mark == encoding || kPatEntries[i].without_mark == encoding) return i;
  }
  return 0;
}

}  // namespace

FrmB::FrmB(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
  setObjectName(QStringLiteral("frmB"));
  CreateControls();
  LayOutControls();
  WireControls();
}

FrmB::~FrmB() {
  // Destroyed with the program without being closed first: still remember
  // the folder, as closing would.
  if (loaded_) StoreLastPath();
}

void FrmB::CreateControls() {
  auto button = [this](const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    // Enter confirms only from the name box and the file list.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
  };
  auto named = [](auto* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
  };
  lbl_go_ = named(new QLabel(QStringLiteral("转到"), this), QStringLiteral("lblGo"));
  txt_path_ = named(new QLineEdit(this), QStringLiteral("txtPath"));
  fil_a_ = named(new QListWidget(this), QStringLiteral("filA"));
  dir_a_ = named(new QListWidget(this), QStringLiteral("dirA"));
  chk_filter_ =
      named(new QCheckBox(QStringLiteral("仅见txt文件"), this), QStringLiteral("chkFilter"));
  cmd_wsp_[0] = button(QStringLiteral("cmdWsp0"), QStringLiteral("桌面"));
  cmd_wsp_[1] = button(QStringLiteral("cmdWsp1"), QStringLiteral("我的文档"));
  cmd_def_[0] = button(QStringLiteral("cmdDef0"), QStringLiteral("默认路径"));
  cmd_def_[1] = button(QStringLiteral("cmdDef1"), QStringLiteral("后退"));
  txt_a_ = named(new QLineEdit(this), QStringLiteral("txtA"));
  cmd_mend_ = button(QStringLiteral("cmdMend"), QStringLiteral("起新名"));
  cmd_del_file_ = button(QStringLiteral("cmdDelFile"), QStringLiteral("删除文件"));
  cbo_pat_ = named(new QComboBox(this), QStringLiteral("cboPat"));
  chk_bom_ = named(new QCheckBox(QStringLiteral("BOM"), this), QStringLiteral("chkBom"));
  cmd_a_[0] = button(QStringLiteral("cmdA0"), QStringLiteral("打 开"));
  cmd_a_[1] = button(QStringLiteral("cmdA1"), QStringLiteral("取 消"));
  for (QListWidget* list : {fil_a_, dir_a_}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
  }
  for (const PatEntry& entry : kPatEntries) cbo_pat_->addItem(PatEntryText(entry));
  chk_filter_->setChecked(true);

  QFont small = txt_a_->font();
  if (small.pointSizeF() > 0) small.setPointSizeF(small.pointSizeF() * 0.9);
  for (QWidget* w : SideControls()) w->setFont(small);
  cmd_mend_->setFont(small);
  chk_bom_->setFont(small);
}

QList<QWidget*> FrmB::SideControls() const {
  return {chk_filter_, cmd_wsp_[0], cmd_wsp_[1], cmd_def_[0], cmd_def_[1], cmd_del_file_};
}

void FrmB::LayOutControls() {
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
  for (QWidget* w : SideControls()) side->addWidget(w);
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
}

void FrmB::WireControls() {
  // A button press first settles a folder typed into the path box, as
  // leaving the box for the button does.
  auto after_path = [this](QPushButton* b, auto handler) {
    connect(b, &QPushButton::clicked, this, [this, handler] {
      if (SettlePathBox()) handler();
    });
  };
  after_path(cmd_wsp_[0], [this] { cmdWsp_Click(0); });
  after_path(cmd_wsp_[1], [this] { cmdWsp_Click(1); });
  after_path(cmd_def_[0], [this] { cmdDef_Click(0); });
  after_path(cmd_def_[1], [this] { cmdDef_Click(1); });
  after_path(cmd_mend_, [this] { cmdMend_Click(); });
  after_path(cmd_del_file_, [this] { cmdDelFile_Click(); });
  after_path(cmd_a_[0], [this] { cmdA_Click(0); });
  connect(cmd_a_[1], &QPushButton::clicked, this, [this] { cmdA_Click(1); });
  connect(chk_filter_, &QCheckBox::clicked, this, [this] { chkFilter_Click(); });
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
  for (QWidget* w : {static_cast<QWidget*>(txt_path_), static_cast<QWidget*>(txt_a_),
                     static_cast<QWidget*>(fil_a_), static_cast<QWidget*>(dir_a_)}) {
    w->installEventFilter(this);
  }
}

// ---- creation, showing, closing -------------------------------------------

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
  def_tag_[0] = EnsureDefaultTextFolder(userFolders).value_or(start_tag);

  const QString last =
      OpenSettingsStore()->value(QStringLiteral("Paths/LastPath")).toString().trimmed();
  if (!last.isEmpty() && SetListFolder(last)) return;
  if (!SetListFolder(def_tag_[0])) def_tag_[0] = start_tag;
}

bool FrmB::Activate() {
  if (!loaded_) Load();
  bOk = false;
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
  if (fil_a_->selectedItems().isEmpty()) SelectListedFile(NameInBox());
  txt_a_->setEnabled(true);
  txt_a_->setPalette(palette());
  cmd_mend_->setEnabled(true);
  cmd_mend_->setFocus();
  const int entry = PatEntryOf(nPat);
  cbo_pat_->setCurrentIndex(entry);
  chk_bom_->show();
  cboPat_Click();
  // The box as the caller's encoding has it: unchecked for one without mark.
  chk_bom_->setChecked(HasMark(kPatEntries[entry]) && kPatEntries[entry].with_mark == nPat);
  return true;
}

FrmB::Choice FrmB::Chosen() const { return {ToText(sWay), nPat}; }

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
  ShowNameInBox(sWay.mid(slash + 1));
  if (slash < 0) return false;
  return SetListFolder(sWay.left(slash + 1));
}

void FrmB::filA_PathChange(const QString& old_tag) {
  if (bOpen) {
    txt_a_->clear();
  } else {
    SelectListedFile(NameInBox());
  }
  def_tag_[1] = old_tag;
  list_tag_ = WithSlash(list_path_);
  txt_path_->setText(ShownFolder());
}

QString FrmB::ShownFolder() const { return ToQString(PathText(Bytes(list_tag_))); }

QString FrmB::TypedFolder() const {
  return Lossless(BytesOfReadablePath(ToText(txt_path_->text().trimmed())));
}

QString FrmB::NameInBox() const {
  const QString shown = txt_a_->text().trimmed();
  if (shown.isEmpty()) return shown;
  for (int i = 0; i < fil_a_->count(); ++i) {
    if (fil_a_->item(i)->text() == shown) return fil_a_->item(i)->data(kNameRole).toString();
  }
  return Lossless(BytesOfReadableName(ToText(shown)));
}

void FrmB::ShowNameInBox(const QString& name, int start, int length) {
  const std::string bytes = Bytes(name);
  const NameReading reading = ReadingOf(bytes);
  // Where the lossless units before `units` end in the shown name.
  const auto shown_at = [&](int units) {
    return static_cast<int>(ShowNameAs(Bytes(name.left(units)), reading).size());
  };
  txt_a_->setText(ToQString(ReadableFileName(bytes)));
  const int shown_start = shown_at(start);
  txt_a_->setSelection(shown_start, shown_at(start + length) - shown_start);
}

// ---- path box and buttons -------------------------------------------------

bool FrmB::txtPath_Validate() {
  if (SetListFolder(TypedFolder())) {
    txt_path_->setText(ShownFolder());
    return true;
  }
  if (Ask(QStringLiteral("路径有错，是否自动撤消？"), false)) txt_path_->setText(ShownFolder());
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
  if (validating_ || txt_path_->text() == ShownFolder()) return true;
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
  if (!name.isEmpty()) ShowNameInBox(name);
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
  const bool has_mark = HasMark(kPatEntries.at(std::max(0, cbo_pat_->currentIndex())));
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
    name = NameInBox();
    if (name.isEmpty()) return;
    if (!name.contains(u'.')) name += QStringLiteral(".txt");
  }
  const PatEntry& entry = kPatEntries.at(std::max(0, cbo_pat_->currentIndex()));
  nPat = chk_bom_->isChecked() ? entry.with_mark : entry.without_mark;
  // The folder on show, never text the path box's validation refused.
  sWay = list_tag_ + name;
  bOk = true;
  done(QDialog::Accepted);
}

void FrmB::cmdMend_Click() {
  txt_a_->setFocus();
  const QString typed = NameInBox();
  RefreshList();
  SelectListedFile(typed);
  const QString folder = list_tag_;
  const MendedName mended = MendFileName(typed, [&folder](const QString& name) {
    struct stat st {};
    return ::lstat(Bytes(folder + name).c_str(), &st) == 0;
  });
  if (mended.second) SelectListedFile(mended.name);
  ShowNameInBox(mended.name, mended.sel_start, mended.sel_length);
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
