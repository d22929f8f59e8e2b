#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>

#include "dialogs/file_name_rules.h"
#include "dialogs/frm_b.h"
#include "dialogs/recycle_bin.h"
#include "files/path_text.h"
#include "files/prompter.h"

namespace tekvo {
namespace {

class Script : public Prompter {
 public:
  std::deque<bool> answers;
  QStringList questions;
  std::vector<DefaultButton> defaults;
  QStringList messages;
  // Runs while a question is open, as a real question box takes the focus.
  std::function<void()> while_asking;

  bool Ask(const Text& q, DefaultButton d, const Text&) override {
    questions << QString::fromUtf16(q.data(), static_cast<qsizetype>(q.size()));
    defaults.push_back(d);
    if (while_asking) while_asking();
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void Tell(const Text& m, const Text&) override {
    messages << QString::fromUtf16(m.data(), static_cast<qsizetype>(m.size()));
  }
  void Beep() override {}
};

QString FromText(const Text& t) {
  return QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size()));
}

std::string BytesOf(const QString& lossless) {
  return TextPath(Text(reinterpret_cast<const char16_t*>(lossless.utf16()),
                       static_cast<std::size_t>(lossless.size())));
}

void TouchBytes(const std::string& path) {
  QFile f;
  QVERIFY(f.open(std::fopen(path.c_str(), "wb"), QIODevice::WriteOnly, QFile::AutoCloseHandle));
  f.write("x");
}

void Touch(const QString& path) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("x");
}

}  // namespace

class FrmBTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> root_;
  QString start_;  // the process's folder when a dialog loads
  QString app_;    // the program's folder
  QString docs_;   // a folder with files

  QString R(const QString& rel) const { return root_->path() + u'/' + rel; }

  std::unique_ptr<FrmB> Make(Script* script) {
    auto dialog = std::make_unique<FrmB>(*script);
    dialog->sAppDir = app_;
    dialog->Load();
    return dialog;
  }

  std::unique_ptr<FrmB> OpenIn(Script* script, const QString& folder) {
    auto dialog = Make(script);
    dialog->bOpen = true;
    dialog->Activate();
    dialog->SetListFolder(folder);
    return dialog;
  }

  std::unique_ptr<FrmB> SaveIn(Script* script, const QString& folder, const QString& name,
                               int pat = 0) {
    auto dialog = Make(script);
    dialog->bOpen = false;
    dialog->sWay = folder + name;
    dialog->nPat = pat;
    dialog->Activate();
    return dialog;
  }

  void ClearLastPath() {
    QSettings s(QStringLiteral("TKV"), QStringLiteral("TKV"));
    s.remove(QStringLiteral("Paths/LastPath"));
    s.sync();
  }

 private slots:
  void initTestCase() {
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    qputenv("HOME", root_->path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, R("config"));
    QStandardPaths::setTestModeEnabled(true);
    // The trash lives under the data folder, which must exist to be used.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QDir().mkpath(R("start"));
    QDir().mkpath(R("app"));
    QDir().mkpath(R("docs/sub"));
    start_ = R("start/");
    app_ = R("app/");
    docs_ = R("docs/");
    for (const char* name : {"a.txt", "B.TXT", "c.doc", "abc.txt", "abc_2.txt", "zz.doc"}) {
      Touch(docs_ + QString::fromUtf8(name));
    }
    QDir::setCurrent(start_);
  }

  void init() { ClearLastPath(); }

  void firstUseShowsTheDefaultFolder() {
    Script script;
    auto dialog = Make(&script);
    QCOMPARE(dialog->ListTag(), app_ + "TKV_TXT/");
    QVERIFY(QDir(app_ + "TKV_TXT").exists());
    QCOMPARE(dialog->txtPath()->text(), app_ + "TKV_TXT/");
    QCOMPARE(dialog->DefTag(0), app_ + "TKV_TXT/");
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), start_);
    QVERIFY(script.messages.isEmpty());
  }

  void lastPathChoosesTheFolder_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addRow("existing") << R("docs") << R("docs/");
    QTest::addRow("existing-with-blanks") << "  " + R("docs/sub") + "  " << R("docs/sub/");
    QTest::addRow("gone") << R("no-such-folder") << R("app/TKV_TXT/");
    QTest::addRow("empty") << QString() << R("app/TKV_TXT/");
  }
  void lastPathChoosesTheFolder() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QSettings(QStringLiteral("TKV"), QStringLiteral("TKV"))
        .setValue(QStringLiteral("Paths/LastPath"), stored);
    Script script;
    auto dialog = Make(&script);
    QCOMPARE(dialog->ListTag(), shown);
    QVERIFY(script.messages.isEmpty());
  }

  void closingStoresLastPathAndCancels() {
    Script script;
    auto dialog = SaveIn(&script, R("docs/sub/"), "n.txt");
    dialog->sWay = "x";
    dialog->close();
    dialog->Unload();
    QCOMPARE(dialog->sWay, QString());
    QCOMPARE(QSettings(QStringLiteral("TKV"), QStringLiteral("TKV"))
                 .value(QStringLiteral("Paths/LastPath"))
                 .toString(),
             R("docs/sub/"));
  }

  void destroyingAUsedDialogStoresLastPath() {
    Script script;
    {
      auto dialog = Make(&script);
      dialog->SetListFolder(R("docs/sub"));
    }
    QCOMPARE(QSettings(QStringLiteral("TKV"), QStringLiteral("TKV"))
                 .value(QStringLiteral("Paths/LastPath"))
                 .toString(),
             R("docs/sub/"));
    auto again = Make(&script);
    QCOMPARE(again->ListTag(), R("docs/sub/"));
  }

  void saveModeShowsTheCallersEncoding_data() {
    QTest::addColumn<int>("pat");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("bomChecked");
    QTest::addColumn<bool>("bomEnabled");
    QTest::addRow("default") << 0 << 0 << false << false;
    QTest::addRow("ansi-gb") << 1 << 1 << false << false;
    QTest::addRow("unicode") << 2 << 2 << true << true;
    QTest::addRow("unicode-be") << 3 << 3 << true << true;
    QTest::addRow("utf8") << 4 << 4 << true << true;
    QTest::addRow("unicode-no-bom") << 5 << 2 << false << true;
    QTest::addRow("unicode-be-no-bom") << 6 << 3 << false << true;
    QTest::addRow("utf8-no-bom") << 7 << 4 << false << true;
    QTest::addRow("ansi-eng") << 8 << 5 << false << false;
  }
  void saveModeShowsTheCallersEncoding() {
    QFETCH(int, pat);
    QFETCH(int, index);
    QFETCH(bool, bomChecked);
    QFETCH(bool, bomEnabled);
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt", pat);
    QCOMPARE(dialog->cboPat()->currentIndex(), index);
    QCOMPARE(dialog->chkBom()->isChecked(), bomChecked);
    QCOMPARE(dialog->chkBom()->isEnabled(), bomEnabled);
    QVERIFY(!dialog->chkBom()->isHidden());
    dialog->cmdA_Click(0);
    QCOMPARE(dialog->nPat, pat);
    QCOMPARE(dialog->sWay, docs_ + "a.txt");
  }

  void saveModeStartsFromTheDocument() {
    Script script;
    auto dialog = SaveIn(&script, docs_, "abc.txt", 7);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("保存文件"));
    QCOMPARE(dialog->cmdA(0)->text(), QStringLiteral("保 存"));
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("abc.txt"));
    QCOMPARE(dialog->ListTag(), docs_);
    QCOMPARE(dialog->SelectedFile(), QStringLiteral("abc.txt"));
    QVERIFY(dialog->txtA()->isEnabled());
    QVERIFY(dialog->cmdMend()->isEnabled());
  }

  void saveOfAnUnsavedDocument_data() {
    QTest::addColumn<QString>("way");
    QTest::addRow("no-path") << QString();
    QTest::addRow("folder-gone") << R("gone/x.txt");
  }
  void saveOfAnUnsavedDocument() {
    QFETCH(QString, way);
    Script script;
    auto dialog = Make(&script);
    dialog->bOpen = false;
    dialog->sWay = way;
    dialog->nPat = 0;
    dialog->Activate();
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("!未起名.txt"));
    QCOMPARE(dialog->cboPat()->currentIndex(), 0);
    QVERIFY(!dialog->chkBom()->isChecked());
    QVERIFY(!dialog->chkBom()->isEnabled());
  }

  void saveNameGetsAnExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addRow("no-dot") << "notes"
                            << "notes.txt";
    QTest::addRow("trailing-dot") << "notes."
                                  << "notes.";
    QTest::addRow("own-extension") << "notes.md"
                                   << "notes.md";
    QTest::addRow("blanks-trimmed") << "  notes  "
                                    << "notes.txt";
  }
  void saveNameGetsAnExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->txtA()->setText(typed);
    dialog->cmdA_Click(0);
    QCOMPARE(dialog->sWay, docs_ + chosen);
  }

  void saveWithEmptyNameDoesNothing() {
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->sWay = "unchanged";
    dialog->txtA()->setText("   ");
    dialog->cmdA_Click(0);
    QCOMPARE(dialog->sWay, QStringLiteral("unchanged"));
  }

  void openModeReturnsEncodingsWithoutMark_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("pat");
    QTest::addRow("default") << 0 << 0;
    QTest::addRow("gb") << 1 << 1;
    QTest::addRow("unicode") << 2 << 5;
    QTest::addRow("unicode-be") << 3 << 6;
    QTest::addRow("utf8") << 4 << 7;
    QTest::addRow("eng") << 5 << 8;
  }
  void openModeReturnsEncodingsWithoutMark() {
    QFETCH(int, index);
    QFETCH(int, pat);
    Script script;
    auto dialog = OpenIn(&script, docs_);
    QVERIFY(dialog->chkBom()->isHidden());
    QVERIFY(!dialog->txtA()->isEnabled());
    QVERIFY(dialog->SelectListedFile("a.txt"));
    dialog->filA_Click();
    dialog->cboPat()->setCurrentIndex(index);
    dialog->cboPat_Click();
    dialog->cmdA_Click(0);
    QCOMPARE(dialog->nPat, pat);
    QCOMPARE(dialog->sWay, docs_ + "a.txt");
  }

  void openModeChoosingAnotherFileResetsTheEncoding() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->SelectListedFile("a.txt");
    dialog->filA_Click();
    dialog->cboPat()->setCurrentIndex(4);
    dialog->SelectListedFile("abc.txt");
    dialog->filA_Click();
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("abc.txt"));
    QCOMPARE(dialog->cboPat()->currentIndex(), 0);
  }

  void openWithoutSelectionDoesNothing() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->filA()->clearSelection();
    dialog->cmdA_Click(0);
    QCOMPARE(dialog->sWay, QString());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
  }

  void cancelEmptiesTheWay() {
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->cmdA_Click(1);
    QCOMPARE(dialog->sWay, QString());
  }

  void filterShowsTxtOrEverything() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    QCOMPARE(dialog->ListedFiles(), QStringList({"a.txt", "abc.txt", "abc_2.txt", "B.TXT"}));
    dialog->chkFilter()->setChecked(false);
    dialog->chkFilter_Click();
    QCOMPARE(dialog->ListedFiles(),
             QStringList({"a.txt", "abc.txt", "abc_2.txt", "B.TXT", "c.doc", "zz.doc"}));
  }

  void selectListedFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("selected");
    QTest::addRow("exact") << "abc.txt" << true << "abc.txt";
    QTest::addRow("other-case") << "b.txt" << true << "B.TXT";
    QTest::addRow("missing") << "nope.txt" << false << "";
    QTest::addRow("empty") << "" << false << "";
  }
  void selectListedFile() {
    QFETCH(QString, name);
    QFETCH(bool, found);
    QFETCH(QString, selected);
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->filA()->clearSelection();
    QCOMPARE(dialog->SelectListedFile(name), found);
    QCOMPARE(dialog->SelectedFile(), selected);
  }

  void backGoesOneStep() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->SetListFolder(R("docs/sub"));
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), docs_);
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), R("docs/sub/"));
    dialog->cmdDef_Click(0);
    QCOMPARE(dialog->ListTag(), app_ + "TKV_TXT/");
  }

  void pathBoxValidation_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("folder");
    QTest::addRow("good-folder") << R("docs/sub") << false << 0 << R("docs/sub/") << R("docs/sub/");
    QTest::addRow("dot-dot") << R("docs/sub/..") << false << 0 << R("docs/") << R("docs/");
    QTest::addRow("bad-yes") << R("nowhere") << true << 1 << R("app/TKV_TXT/") << R("app/TKV_TXT/");
    QTest::addRow("bad-no") << R("nowhere") << false << 1 << R("nowhere") << R("app/TKV_TXT/");
    QTest::addRow("a-file") << R("docs/a.txt") << false << 1 << R("docs/a.txt")
                            << R("app/TKV_TXT/");
  }
  void pathBoxValidation() {
    QFETCH(QString, typed);
    QFETCH(bool, answer);
    QFETCH(int, questions);
    QFETCH(QString, box);
    QFETCH(QString, folder);
    Script script;
    script.answers = {answer};
    auto dialog = Make(&script);
    dialog->txtPath()->setText(typed);
    dialog->txtPath_Enter();
    QCOMPARE(script.questions.size(), questions);
    if (questions) QCOMPARE(script.questions[0], QStringLiteral("路径有错，是否自动撤消？"));
    QCOMPARE(dialog->txtPath()->text(), box);
    QCOMPARE(dialog->ListTag(), folder);
  }

  // The question box takes the focus from the path box; that is no move to
  // another control and must not ask a second time.
  void pathBoxEnterAsksOnce_data() {
    QTest::addColumn<bool>("answer");
    QTest::addRow("yes") << true;
    QTest::addRow("no") << false;
  }
  void pathBoxEnterAsksOnce() {
    QFETCH(bool, answer);
    Script script;
    script.answers = {answer, answer};
    auto dialog = Make(&script);
    dialog->bOpen = true;
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    dialog->txtPath()->setFocus();
    dialog->txtPath()->setText(R("nowhere"));
    script.while_asking = [&dialog] { dialog->cmdA(1)->setFocus(Qt::ActiveWindowFocusReason); };
    QTest::keyClick(dialog->txtPath(), Qt::Key_Return);
    QCOMPARE(script.questions.size(), 1);
  }

  void specialFolders_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("exists");
    QTest::addRow("desktop-missing") << 0 << "Desktop" << false;
    QTest::addRow("documents-missing") << 1 << "Documents" << false;
    QTest::addRow("desktop") << 0 << "Desktop" << true;
    QTest::addRow("documents") << 1 << "Documents" << true;
  }
  void specialFolders() {
    QFETCH(int, index);
    QFETCH(QString, folder);
    QFETCH(bool, exists);
    const QString path = R(folder);
    if (exists) QDir().mkpath(path);
    Script script;
    auto dialog = Make(&script);
    const QString before = dialog->ListTag();
    dialog->cmdWsp_Click(index);
    if (exists) {
      QCOMPARE(dialog->ListTag(), path + u'/');
      QVERIFY(script.messages.isEmpty());
    } else {
      QCOMPARE(dialog->ListTag(), before);
      QCOMPARE(script.messages.size(), 1);
      QVERIFY(script.messages[0].startsWith(QStringLiteral("路径转换失败~ ")));
    }
    QDir(path).removeRecursively();
  }

  void nameBoxRefusesNineCharacters_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    for (const char* c : {"\"", "*", "/", ":", "<", ">", "?", "\\", "|"}) {
      QTest::addRow("refused %s", c) << QString::fromUtf8(c) << false;
    }
    QTest::addRow("letter") << "a" << true;
    QTest::addRow("dot") << "." << true;
    QTest::addRow("chinese") << "中" << true;
  }
  void nameBoxRefusesNineCharacters() {
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    QCOMPARE(dialog->txtA_KeyPress(key[0]), accepted);
    QCOMPARE(script.messages.size(), accepted ? 0 : 1);
    if (!accepted) {
      QCOMPARE(script.messages[0], RefusedNameMessage());
      QCOMPARE(script.messages[0].size(), 29);
    }
  }

  void typingARefusedCharacterLeavesTheBox() {
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->txtA()->setText("ab");
    dialog->txtA()->setCursorPosition(2);
    QTest::keyClicks(dialog->txtA(), "c?d");
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("abcd"));
    QCOMPARE(script.messages.size(), 1);
  }

  void newName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("selected");
    QTest::addRow("no-extension") << "abd"
                                  << "abd.txt"
                                  << ".txt";
    QTest::addRow("free-name") << "xyz.doc"
                               << "xyz.doc"
                               << "";
    QTest::addRow("taken") << "zz.doc"
                           << "zz_2.doc"
                           << "_2";
    QTest::addRow("inner-dots") << "my.old.notes"
                                << "my old.notes"
                                << "";
    QTest::addRow("long-extension") << "a.verylongname"
                                    << "a verylongname.txt"
                                    << ".txt";
    QTest::addRow("five-letter-extension-kept") << "a.bcdef"
                                                << "a.bcdef"
                                                << "";
    QTest::addRow("six-letter-extension-is-no-extension") << "a.bcdefg"
                                                          << "a bcdefg.txt"
                                                          << ".txt";
    QTest::addRow("empty") << ""
                           << "!未起名.txt"
                           << "!未起名.txt";
    QTest::addRow("trailing-dot") << "qq."
                                  << "qq.txt"
                                  << ".txt";
    QTest::addRow("never-3") << "abc.txt"
                             << "abc_2.txt"
                             << "_2";
  }
  void newName() {
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QString, selected);
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->txtA()->setText(typed);
    dialog->cmdMend_Click();
    QCOMPARE(dialog->txtA()->text(), result);
    QCOMPARE(dialog->txtA()->selectedText(), selected);
  }

  void newNameWhenTheUnnamedFileExists() {
    Touch(docs_ + "!未起名.txt");
    Script script;
    auto dialog = SaveIn(&script, docs_, "a.txt");
    dialog->txtA()->clear();
    dialog->cmdMend_Click();
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("!未起名_2.txt"));
    QCOMPARE(dialog->txtA()->selectedText(), QStringLiteral("!未起名_2.txt"));
    QFile::remove(docs_ + "!未起名.txt");
  }

  // A fresh account has no data folder yet; the file still goes to the trash
  // and nowhere else.
  void deleteWithoutADataFolderUsesTheTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QVERIFY(QDir(data).removeRecursively());
    const QString victim = docs_ + "fresh.txt";
    Touch(victim);
    QVERIFY(DeleteToRecycleBin(victim.toStdString()));
    QVERIFY(!QFile::exists(victim));
    QVERIFY(QFile::exists(data + "/Trash/files/fresh.txt"));
    QVERIFY(!QFile::exists(QDir::currentPath() + "/files/fresh.txt"));
  }

  // Names unpacked from Windows archives are GB bytes, not UTF-8: listed
  // readably, chosen, saved over and deleted by their exact bytes.
  void nonUtf8NamesByTheirBytes() {
    QDir().mkpath(R("gb"));
    const std::string folder = R("gb/").toStdString();
    const std::string name = "\xD6\xD0\xCE\xC4.txt";
    TouchBytes(folder + name);
    Script script;
    script.answers = {true};
    auto dialog = OpenIn(&script, R("gb"));
    QCOMPARE(dialog->filA()->count(), 1);
    QCOMPARE(dialog->filA()->item(0)->text(), QStringLiteral("中文.txt [GB]"));
    dialog->filA()->setCurrentRow(0);
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + name);

    dialog->bOpen = false;
    dialog->Activate();
    QVERIFY(!dialog->SelectedFile().isEmpty());
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + name);
    // "起新名" sees the taken name by its bytes and keeps them.
    dialog->Activate();
    dialog->cmdMend_Click();
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + "\xD6\xD0\xCE\xC4_2.txt");

    dialog->bOpen = true;
    dialog->Activate();
    QVERIFY(dialog->SelectListedFile(FromText(LosslessPathText(name))));
    dialog->cmdDelFile_Click();
    QCOMPARE(script.questions.size(), 1);
    QVERIFY2(script.questions[0].startsWith(R("gb/") + "\\xD6\\xD0\\xCE\\xC4.txt\r\n"),
             qPrintable(script.questions[0]));
    QVERIFY(::access((folder + name).c_str(), F_OK) != 0);
    QCOMPARE(dialog->filA()->count(), 0);
    QVERIFY(script.messages.isEmpty());
  }

  void pathBoxTakesRelativeFoldersAndHome_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folder");
    QTest::addRow("subfolder") << "sub" << R("docs/sub/");
    QTest::addRow("dot-slash") << "./sub/" << R("docs/sub/");
    QTest::addRow("parent") << "../app" << R("app/");
    QTest::addRow("home") << "~" << R("");
    QTest::addRow("below-home") << "~/docs/sub" << R("docs/sub/");
  }
  void pathBoxTakesRelativeFoldersAndHome() {
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->txtPath()->setText(typed);
    dialog->txtPath_Enter();
    QCOMPARE(dialog->ListTag(), folder);
    QCOMPARE(dialog->txtPath()->text(), folder);
    QVERIFY(script.questions.isEmpty());
  }

  // A folder the validation refused stays in the box for the user to mend,
  // but it is never used for a path nor remembered.
  void refusedFolderIsNeverUsed_data() {
    QTest::addColumn<bool>("open");
    QTest::addRow("open-by-double-click") << true;
    QTest::addRow("save-confirmed") << false;
  }
  void refusedFolderIsNeverUsed() {
    QFETCH(bool, open);
    Script script;
    script.answers = {false};
    auto dialog = open ? OpenIn(&script, docs_) : SaveIn(&script, docs_, "a.txt");
    dialog->txtPath()->setText(R("nowhere/"));
    dialog->txtPath_Enter();
    QCOMPARE(script.questions.size(), 1);
    QCOMPARE(dialog->txtPath()->text(), R("nowhere/"));
    if (open) {
      QVERIFY(dialog->SelectListedFile("a.txt"));
      dialog->filA_DblClick();
    } else {
      dialog->cmdA_Click(0);
    }
    QCOMPARE(dialog->sWay, docs_ + "a.txt");
    dialog->Unload();
    QCOMPARE(QSettings(QStringLiteral("TKV"), QStringLiteral("TKV"))
                 .value(QStringLiteral("Paths/LastPath"))
                 .toString(),
             docs_);
  }

  void folderListGoesDownAndUp() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    QCOMPARE(dialog->ListedFolders(), QStringList({"..", "sub"}));
    dialog->dirA()->setCurrentRow(1);
    dialog->dirA_DblClick();
    QCOMPARE(dialog->ListTag(), R("docs/sub/"));
    QCOMPARE(dialog->DefTag(1), docs_);
    dialog->dirA()->setCurrentRow(0);
    dialog->dirA_DblClick();
    QCOMPARE(dialog->ListTag(), docs_);
    QVERIFY(dialog->SetListFolder("/"));
    QVERIFY(!dialog->ListedFolders().contains(".."));
  }

  void deleteAsksWithNoAsDefault_data() {
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("gone");
    QTest::addRow("nothing-selected") << false << true << 0 << false;
    QTest::addRow("answer-no") << true << false << 1 << false;
    QTest::addRow("answer-yes") << true << true << 1 << true;
  }
  void deleteAsksWithNoAsDefault() {
    QFETCH(bool, select);
    QFETCH(bool, answer);
    QFETCH(int, questions);
    QFETCH(bool, gone);
    const QString victim = docs_ + "victim.txt";
    Touch(victim);
    Script script;
    script.answers = {answer};
    auto dialog = OpenIn(&script, docs_);
    dialog->filA()->clearSelection();
    if (select) QVERIFY(dialog->SelectListedFile("victim.txt"));
    dialog->txtA()->setEnabled(true);
    dialog->txtA()->setText("victim.txt");
    dialog->cmdDelFile_Click();
    QCOMPARE(script.questions.size(), questions);
    if (questions) {
      QCOMPARE(script.questions[0],
               victim + QStringLiteral(
                            "\r\n\r\n是否删除？\r\n\r\n(通常，硬盘文件进回收站，U盘文件直接删除)"));
      QVERIFY(script.defaults[0] == DefaultButton::kNo);
    }
    QCOMPARE(!QFile::exists(victim), gone);
    if (gone) {
      const QString trash =
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files/";
      QVERIFY(QFile::exists(trash + "victim.txt"));
    }
    QCOMPARE(dialog->ListedFiles().contains("victim.txt"), !gone);
    if (gone) QCOMPARE(dialog->txtA()->text(), QString());
    QVERIFY(script.messages.isEmpty());
    QFile::remove(victim);
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmBTest)
#include "frm_b_qtest.moc"
