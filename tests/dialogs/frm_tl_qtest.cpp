#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "dialogs/frm_tl.h"

namespace tekvo {

class FrmTlTest : public QObject {
  Q_OBJECT

 private slots:
  void lists() {
    FrmTl dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("转换格式--语文名称"));
    QCOMPARE(dlg.lblA()->text(), QStringLiteral("--"));
    QCOMPARE(dlg.cmdA(0)->text(), QStringLiteral("确定"));
    QCOMPARE(dlg.cmdA(1)->text(), QStringLiteral("取消"));
    QVERIFY(dlg.cmdA(0)->isDefault());
    QVERIFY(!dlg.cboOpr()->isEditable());
    QVERIFY(!dlg.cboCS()->isEditable());
    const QStringList formats = {"URL", "QP", "Base64", "Base64(URL)"};
    QCOMPARE(dlg.cboOpr()->count(), 4);
    for (int i = 0; i < 4; ++i) QCOMPARE(dlg.cboOpr()->itemText(i), formats[i]);
    const QStringList names = {"GB",  "Big5",   "日文", "韩文",     "泰文",     "越南文",
                               "Eng", "希腊文", "俄文", "阿拉伯文", "希伯莱文", "UTF8"};
    const int ids[] = {2052, 1028, 1041, 1042, 1054, 1066, 1033, 1032, 1049, 1025, 1037, -3};
    QCOMPARE(dlg.cboCS()->count(), 12);
    for (int i = 0; i < 12; ++i) {
      QCOMPARE(dlg.cboCS()->itemText(i), names[i]);
      QCOMPARE(dlg.cboCS()->itemData(i).toInt(), ids[i]);
    }
  }

  void confirm_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("nOpr");
    QTest::addColumn<int>("lLid");
    QTest::addColumn<QString>("sSay");
    QTest::addRow("defaults-url-gb") << -1 << -1 << 0 << 2052 << "URL--GB";
    QTest::addRow("qp-big5") << 1 << 1 << 1 << 1028 << "QP--Big5";
    QTest::addRow("base64-korean") << 2 << 3 << 2 << 1042 << "Base64--韩文";
    QTest::addRow("base64url-utf8") << 3 << 11 << 3 << -3 << "Base64(URL)--UTF8";
    QTest::addRow("url-hebrew") << 0 << 10 << 0 << 1037 << "URL--希伯莱文";
  }

  void confirm() {
    QFETCH(int, format);
    QFETCH(int, language);
    FrmTl dlg;
    dlg.Activate();
    if (format >= 0) dlg.cboOpr()->setCurrentIndex(format);
    if (language >= 0) dlg.cboCS()->setCurrentIndex(language);
    dlg.cmdA(0)->click();
    QVERIFY(dlg.bOk);
    QTEST(static_cast<int>(dlg.nOpr), "nOpr");
    QTEST(static_cast<int>(dlg.lLid), "lLid");
    QTEST(dlg.sSay, "sSay");
    QVERIFY(dlg.isHidden());
  }

  void cancelKeepsFieldsAndChoices() {
    FrmTl dlg;
    dlg.cboOpr()->setCurrentIndex(2);
    dlg.cboCS()->setCurrentIndex(11);
    dlg.Confirm();
    QVERIFY(dlg.bOk);
    dlg.Activate();
    QVERIFY(!dlg.bOk);
    dlg.cboOpr()->setCurrentIndex(0);
    dlg.cmdA(1)->click();
    QVERIFY(!dlg.bOk);
    QCOMPARE(static_cast<int>(dlg.nOpr), 2);
    QCOMPARE(dlg.sSay, QStringLiteral("Base64--UTF8"));
    // The lists stay as the user left them for the next use.
    QCOMPARE(dlg.cboOpr()->currentIndex(), 0);
    QCOMPARE(dlg.cboCS()->currentIndex(), 11);
  }

  void modalLoopEndsWithButtons() {
    FrmTl dlg;
    dlg.bOk = true;
    QTimer::singleShot(0, &dlg, [&] {
      QVERIFY(!dlg.bOk);  // cleared on show
      dlg.cboOpr()->setCurrentIndex(1);
      dlg.cmdA(0)->click();
    });
    dlg.exec();
    QVERIFY(dlg.bOk);
    QCOMPARE(dlg.Chosen().say, QStringLiteral("QP--GB"));
    QCOMPARE(dlg.Chosen().format, 1);

    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    dlg.exec();
    QVERIFY(!dlg.bOk);
    QCOMPARE(dlg.cboOpr()->currentIndex(), 1);
  }

  void closeBoxIsCancelAndRestoresDefaults() {
    FrmTl dlg;
    QTimer::singleShot(0, &dlg, [&] {
      dlg.cboOpr()->setCurrentIndex(3);
      dlg.cboCS()->setCurrentIndex(5);
      dlg.close();
    });
    dlg.exec();
    QVERIFY(!dlg.bOk);
    QCOMPARE(dlg.cboOpr()->currentIndex(), 0);
    QCOMPARE(dlg.cboCS()->currentIndex(), 0);
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmTlTest)
#include "frm_tl_qtest.moc"
