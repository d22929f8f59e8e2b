// The file browser opening and saving: the folder it starts in, LastPath,
// the encodings it hands back, names and the filter.
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

class FrmBOpenSaveTest : public FrmBFixture {
  Q_OBJECT

 private slots:
  void initTestCase() { SetUpFolders(); }
  void init() { ClearLastPath(); }

  void firstUseShowsTheDefaultFolder() {
    Script script;
    auto dialog = Make(&script);
    QCOMPARE(dialog->ListTag(), def_);
    QVERIFY(QDir(def_).exists());
    QCOMPARE(dialog->txtPath()->text(), def_);
    QCOMPARE(dialog->DefTag(0), def_);
    dialog->cmdDef_Click(1);
    QCOMPARE(dialog->ListTag(), start_);
    QVERIFY(script.messages.isEmpty());
  }

  void lastPathChoosesTheFolder_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addRow("existing") << R("docs") << R("docs/");
    QTest::addRow("existing-with-blanks") << "  " + R("docs/sub") + "  " << R("docs/sub/");
    QTest::addRow("gone") << R("no-such-folder") << def_;
    QTest::addRow("empty") << QString() << def_;
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
    QCOMPARE(int(dialog->nPat), pat);
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
    dialog->nPat = FileEncoding::kDefaultEncoding;
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
    QCOMPARE(int(dialog->nPat), pat);
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
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmBOpenSaveTest)
#include "frm_b_open_save_qtest.moc"
