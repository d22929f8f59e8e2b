// The file browser's file names: the name box, new names, deletion and
// names that are not UTF-8.
#include <sys/stat.h>
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

class FrmBNamesTest : public FrmBFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpFolders(); }
  void init() { ClearLastPath(); }

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

  // Names unpacked from Windows archives are GB bytes, not UTF-8: shown one
  // way everywhere (list, name box, path box, question), chosen, saved over,
  // given a new name and deleted by their exact bytes.
  void nonUtf8NamesByTheirBytes() {
    QDir().mkpath(R("gb"));
    const std::string folder = R("gb/").toStdString() + "\xD6\xD0\xCE\xC4/";
    QVERIFY(::mkdir(folder.c_str(), 0700) == 0);
    const std::string name = "\xD6\xD0\xCE\xC4.txt";
    TouchBytes(folder + name);
    Script script;
    script.answers = {true};
    auto dialog = OpenIn(&script, FromText(LosslessPathText(folder)));
    const QString shown_folder = R("gb/") + "中文 [GB]/";
    QCOMPARE(dialog->txtPath()->text(), shown_folder);
    QCOMPARE(dialog->filA()->count(), 1);
    QCOMPARE(dialog->filA()->item(0)->text(), QStringLiteral("中文.txt [GB]"));
    dialog->filA()->setCurrentRow(0);
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("中文.txt [GB]"));
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + name);

    dialog->bOpen = false;
    dialog->Activate();
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("中文.txt [GB]"));
    QVERIFY(!dialog->SelectedFile().isEmpty());
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + name);
    // "起新名" sees the taken name by its bytes, keeps them, and selects what
    // it added in the name as shown.
    dialog->Activate();
    dialog->cmdMend_Click();
    QCOMPARE(dialog->txtA()->text(), QStringLiteral("中文_2.txt [GB]"));
    QCOMPARE(dialog->txtA()->selectedText(), QStringLiteral("_2"));
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + "\xD6\xD0\xCE\xC4_2.txt");
    // A new name typed with the tag is written in GB.
    dialog->Activate();
    dialog->txtA()->setText(QStringLiteral("新.txt [GB]"));
    dialog->cmdA_Click(0);
    QCOMPARE(BytesOf(dialog->sWay), folder + "\xD0\xC2.txt");
    // The path box, typed back as shown, enters the same folder.
    dialog->SetListFolder(docs_);
    dialog->txtPath()->setText(shown_folder);
    dialog->txtPath_Enter();
    QCOMPARE(BytesOf(dialog->ListTag()), folder);

    dialog->bOpen = true;
    dialog->Activate();
    QVERIFY(dialog->SelectListedFile(FromText(LosslessPathText(name))));
    dialog->cmdDelFile_Click();
    QCOMPARE(script.questions.size(), 1);
    QVERIFY2(script.questions[0].startsWith(shown_folder + "中文.txt [GB]\r\n"),
             qPrintable(script.questions[0]));
    QVERIFY(::access((folder + name).c_str(), F_OK) != 0);
    QCOMPARE(dialog->filA()->count(), 0);
    QVERIFY(script.messages.isEmpty());
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

QTEST_MAIN(tekvo::FrmBNamesTest)
#include "frm_b_names_qtest.moc"
