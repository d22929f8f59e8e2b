// The file browser moving between folders: back, the path box, special
// folders and the folder list.
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
#include "tests/dialogs/frm_b_fixture.h"

namespace tekvo {

class FrmBFoldersTest : public FrmBFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpFolders(); }
  void init() { ClearLastPath(); }

  void backGoesOneStep() {
    Script script;
    auto dialog = OpenIn(&script, docs_);
    dialog->SetListFolder(R("docs/sub"));
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), docs_);
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), R("docs/sub/"));
    dialog->cmdDef_Click(0);
    QCOMPARE(dialog->ListTag(), def_);
  }

  void pathBoxValidation_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("folder");
    QTest::addRow("good-folder") << R("docs/sub") << false << 0 << R("docs/sub/") << R("docs/sub/");
    QTest::addRow("dot-dot") << R("docs/sub/..") << false << 0 << R("docs/") << R("docs/");
    QTest::addRow("bad-yes") << R("nowhere") << true << 1 << def_ << def_;
    QTest::addRow("bad-no") << R("nowhere") << false << 1 << R("nowhere") << def_;
    QTest::addRow("a-file") << R("docs/a.txt") << false << 1 << R("docs/a.txt") << def_;
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

  void pathBoxTakesRelativeFoldersAndHome_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folder");
    QTest::addRow("subfolder") << "sub" << R("docs/sub/");
    QTest::addRow("dot-slash") << "./sub/" << R("docs/sub/");
    QTest::addRow("parent") << "../userdocs" << R("userdocs/");
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
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmBFoldersTest)
#include "frm_b_folders_qtest.moc"
