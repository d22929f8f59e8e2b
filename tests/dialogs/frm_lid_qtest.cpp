#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/frm_lid.h"
#include "tests/dialogs/pair_choice.h"

namespace tekvo {

class FrmLidTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsAndList() {
    FrmLid dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("语文区号和名称"));
    QCOMPARE(dlg.optOpr(0)->text(), QStringLiteral("语文区号(LCID)"));
    QCOMPARE(dlg.optOpr(1)->text(), QStringLiteral("语文名称"));
    for (const char* name : {"optOpr0", "optOpr1", "txtLid0", "txtLid1", "lblA", "cboCS0", "cboCS1",
                             "lblB", "cmdA0", "cmdA1"}) {
      QVERIFY2(dlg.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
    }
    const QStringList names = {"GB",     "Big5", "日文",     "韩文",     "泰文", "越南文", "Eng",
                               "希腊文", "俄文", "阿拉伯文", "希伯莱文", "U",    "UTF8"};
    const int ids[] = {2052, 1028, 1041, 1042, 1054, 1066, 1033, 1032, 1049, 1025, 1037, -2, -3};
    QCOMPARE(dlg.cboCS(0)->count(), 13);
    for (int i = 0; i < 13; ++i) {
      QCOMPARE(dlg.cboCS(0)->itemText(i), names[i]);
      QCOMPARE(dlg.cboCS(1)->itemData(i).toInt(), ids[i]);
    }
    QCOMPARE(dlg.txtLid(0)->text(), QStringLiteral("2052"));
    QCOMPARE(dlg.txtLid(1)->text(), QStringLiteral("-3"));
  }

  void confirm_data() {
    AddChoiceColumns();
    QTest::addColumn<int>("lLidA");
    QTest::addColumn<int>("lLidB");
    QTest::addColumn<QString>("sSay");
    QTest::addRow("first-use-gb-utf8") << false << -1 << -1 << ""
                                       << "" << 2052 << -3 << "GB--UTF8";
    QTest::addRow("eng-big5") << false << 6 << 1 << ""
                              << "" << 1033 << 1028 << "Eng--Big5";
    QTest::addRow("typed-1041-2052") << true << -1 << -1 << "1041"
                                     << "2052" << 1041 << 2052 << "LCID: (1041)--(2052)";
    QTest::addRow("typed-utf16-swap") << true << -1 << -1 << "-2"
                                      << "-1" << -2 << -1 << "LCID: (-2)--(-1)";
  }

  void confirm() {
    FrmLid dlg;
    ChooseFromRow(dlg);
    dlg.cmdA(0)->click();
    QVERIFY(dlg.bOk);
    QTEST(static_cast<int>(dlg.lLidA), "lLidA");
    QTEST(static_cast<int>(dlg.lLidB), "lLidB");
    QTEST(dlg.sSay, "sSay");
  }

  void letterKeepsTheDialogOpen() {
    FrmLid dlg;
    dlg.show();
    dlg.optOpr(0)->setChecked(true);
    dlg.txtLid(1)->setText("zh");
    dlg.cmdA(0)->click();
    QVERIFY(!dlg.bOk);
    QVERIFY(dlg.isVisible());
    dlg.txtLid(1)->setText("1028");
    dlg.cmdA(0)->click();
    QVERIFY(dlg.bOk);
    QCOMPARE(static_cast<int>(dlg.lLidB), 1028);
  }

  void escapeCancels() {
    FrmLid dlg;
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(!dlg.bOk);
    QVERIFY(dlg.isHidden());
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmLidTest)
#include "frm_lid_qtest.moc"
