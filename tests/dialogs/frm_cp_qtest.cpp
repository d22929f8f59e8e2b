#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/frm_cp.h"
#include "tests/dialogs/pair_choice.h"

namespace tekvo {

class FrmCpTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsAndList() {
    FrmCp dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("代码页和字符集"));
    QCOMPARE(dlg.optOpr(0)->text(), QStringLiteral("代码页(CP)"));
    QCOMPARE(dlg.optOpr(1)->text(), QStringLiteral("字符集"));
    QVERIFY(dlg.optOpr(1)->isChecked());
    QCOMPARE(dlg.cmdA(0)->text(), QStringLiteral("确定"));
    QCOMPARE(dlg.cmdA(1)->text(), QStringLiteral("取消"));
    QVERIFY(dlg.cmdA(0)->isDefault());
    for (const char* name : {"optOpr0", "optOpr1", "txtCP0", "txtCP1", "lblCP", "cboCS0", "cboCS1",
                             "lblCS", "cmdA0", "cmdA1"}) {
      QVERIFY2(dlg.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
    }
    const int pages[] = {936,  54936, 950,   20000, 932,   20932, 949,   1361, 874,
                         1258, 1252,  28591, 1253,  28597, 1251,  20866, -2,   65001};
    QCOMPARE(dlg.cboCS(0)->count(), 18);
    QCOMPARE(dlg.cboCS(1)->count(), 18);
    for (int i = 0; i < 18; ++i) {
      QCOMPARE(dlg.cboCS(0)->itemData(i).toInt(), pages[i]);
      QCOMPARE(dlg.cboCS(1)->itemText(i), dlg.cboCS(0)->itemText(i));
    }
    QCOMPARE(dlg.cboCS(0)->itemText(16), QStringLiteral("(=)"));
    QVERIFY(!dlg.cboCS(0)->isEditable());
    // The number boxes follow the lists and are inactive in list mode.
    QCOMPARE(dlg.txtCP(0)->text(), QStringLiteral("936"));
    QCOMPARE(dlg.txtCP(1)->text(), QStringLiteral("65001"));
    QVERIFY(!dlg.txtCP(0)->isEnabled());
  }

  void confirm_data() {
    AddChoiceColumns();
    QTest::addColumn<int>("lCPA");
    QTest::addColumn<int>("lCPB");
    QTest::addColumn<QString>("sSay");
    QTest::addRow("first-use-defaults") << false << -1 << -1 << ""
                                        << "" << 936 << 65001 << "简体中文(GBK) -- Unicode(UTF-8)";
    QTest::addRow("big5-as-gb18030") << false << 2 << 1 << ""
                                     << "" << 950 << 54936 << "繁体中文(Big5) -- 简体中文(GB18030)";
    QTest::addRow("utf16-identity") << false << 16 << 16 << ""
                                    << "" << -2 << -2 << "(=) -- (=)";
    QTest::addRow("typed-950-936") << true << -1 << -1 << "950"
                                   << "936" << 950 << 936 << "CP: (950)--(936)";
    QTest::addRow("typed-with-blanks-and-signs") << true << -1 << -1 << " +1252 "
                                                 << "-2" << 1252 << -2 << "CP: (1252)--(-2)";
    QTest::addRow("typed-int32-extremes")
        << true << -1 << -1 << "2147483647"
        << "-2147483648" << 2147483647 << int(-2147483647 - 1) << "CP: (2147483647)--(-2147483648)";
  }

  void confirm() {
    FrmCp dlg;
    ChooseFromRow(dlg);
    dlg.cmdA(0)->click();
    QVERIFY(dlg.bOk);
    QTEST(static_cast<int>(dlg.lCPA), "lCPA");
    QTEST(static_cast<int>(dlg.lCPB), "lCPB");
    QTEST(dlg.sSay, "sSay");
    QVERIFY(dlg.isHidden());
  }

  void notANumberKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("textA");
    QTest::addColumn<QString>("textB");
    QTest::addRow("letter") << "93a"
                            << "950";
    QTest::addRow("empty") << "936"
                           << "";
    QTest::addRow("sign-only") << "-"
                               << "950";
    QTest::addRow("too-big") << "2147483648"
                             << "950";
    QTest::addRow("too-small-in-second-box") << "936"
                                             << "-2147483649";
    QTest::addRow("blank-inside") << "9 36"
                                  << "950";
    QTest::addRow("hex") << "0x3A8"
                         << "950";
  }

  void notANumberKeepsTheDialogOpen() {
    QFETCH(QString, textA);
    QFETCH(QString, textB);
    FrmCp dlg;
    dlg.show();
    dlg.optOpr(0)->setChecked(true);
    dlg.txtCP(0)->setText(textA);
    dlg.txtCP(1)->setText(textB);
    dlg.Confirm();
    QVERIFY(!dlg.bOk);
    QVERIFY(dlg.isVisible());
    QCOMPARE(static_cast<int>(dlg.lCPA), 0);
    QVERIFY(dlg.sSay.isEmpty());
  }

  void modesShowTheirRow() {
    FrmCp dlg;
    dlg.show();
    dlg.optOpr(0)->setChecked(true);
    QVERIFY(dlg.txtCP(0)->isEnabled());
    QVERIFY(dlg.cboCS(0)->isHidden());
    QVERIFY(dlg.lblCS()->isHidden());
    QVERIFY(dlg.lblCP()->isVisible());
    // Switching to numbers starts from the numbers of the last list choice.
    QCOMPARE(dlg.txtCP(1)->text(), QStringLiteral("65001"));
    dlg.optOpr(1)->setChecked(true);
    QVERIFY(!dlg.txtCP(0)->isEnabled());
    QVERIFY(dlg.cboCS(0)->isVisible());
    QVERIFY(dlg.lblCS()->isVisible());
  }

  void cancelKeepsChoicesForNextUse() {
    FrmCp dlg;
    dlg.show();
    dlg.cboCS(0)->setCurrentIndex(4);
    dlg.optOpr(0)->setChecked(true);
    dlg.txtCP(1)->setText("1252");
    dlg.cmdA(1)->click();
    QVERIFY(!dlg.bOk);
    QVERIFY(dlg.isHidden());
    dlg.show();
    QVERIFY(dlg.optOpr(0)->isChecked());
    QCOMPARE(dlg.txtCP(0)->text(), QStringLiteral("932"));
    QCOMPARE(dlg.txtCP(1)->text(), QStringLiteral("1252"));
    // Showing again clears an earlier confirmation.
    dlg.Confirm();
    QVERIFY(dlg.bOk);
    dlg.hide();
    dlg.show();
    QVERIFY(!dlg.bOk);
  }

  void closeBoxCancelsAndRestoresDefaults() {
    FrmCp dlg;
    dlg.show();
    dlg.cboCS(0)->setCurrentIndex(5);
    dlg.optOpr(0)->setChecked(true);
    dlg.close();
    QVERIFY(!dlg.bOk);
    QVERIFY(dlg.optOpr(1)->isChecked());
    QCOMPARE(dlg.cboCS(0)->currentIndex(), 0);
    QCOMPARE(dlg.txtCP(0)->text(), QStringLiteral("936"));
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmCpTest)
#include "frm_cp_qtest.moc"
