#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>
#include <vector>

#include "dialogs/frm_inp.h"
#include "files/prompter.h"

namespace tekvo {
namespace {

class RecordingPrompter : public Prompter {
 public:
  bool Ask(const Text&, DefaultButton, const Text&) override { return false; }
  void Tell(const Text& message, const Text&) override {
    told.push_back(QString::fromUtf16(message.data(), static_cast<qsizetype>(message.size())));
  }
  void Beep() override {}
  std::vector<QString> told;
};

int SelStart(const FrmInp& dlg) { return dlg.txtA()->textCursor().selectionStart(); }
int SelLength(const FrmInp& dlg) {
  const QTextCursor c = dlg.txtA()->textCursor();
  return c.selectionEnd() - c.selectionStart();
}

void Select(FrmInp& dlg, int start, int length) {
  QTextCursor c = dlg.txtA()->textCursor();
  c.setPosition(start);
  c.setPosition(start + length, QTextCursor::KeepAnchor);
  dlg.txtA()->setTextCursor(c);
}

}  // namespace

class FrmInpTest : public QObject {
  Q_OBJECT

 private slots:
  void startingText_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("shown");
    QTest::addRow("empty") << QString() << true;
    QTest::addRow("one-char") << QStringLiteral("x") << true;
    QTest::addRow("exactly-300") << QString(300, u'字') << true;
    QTest::addRow("301-refused") << QString(301, u'a') << false;
  }

  void startingText() {
    QFETCH(QString, start);
    QFETCH(bool, shown);
    RecordingPrompter prompter;
    FrmInp dlg(&prompter);
    dlg.bOk = true;
    dlg.sInp = start;
    QCOMPARE(dlg.Activate(), shown);
    QCOMPARE(dlg.bOk, false);
    if (shown) {
      QVERIFY(prompter.told.empty());
      QCOMPARE(dlg.txtA()->toPlainText(), start);
      QCOMPARE(SelStart(dlg), 0);
      QCOMPARE(SelLength(dlg), start.size());
    } else {
      QCOMPARE(prompter.told.size(), std::size_t{1});
      QCOMPARE(prompter.told[0], QStringLiteral("选取字数 不能超过 300"));
      QVERIFY(!dlg.isVisible());
      QCOMPARE(dlg.sInp, start);
    }
  }

  void refusedStartNeverEntersTheLoop() {
    RecordingPrompter prompter;
    FrmInp dlg(&prompter);
    dlg.sInp = QString(301, u'a');
    // Should the loop start after all, this ends it: the test fails rather
    // than waits for ever.
    bool entered = false;
    QTimer::singleShot(0, &dlg, [&] {
      entered = true;
      dlg.reject();
    });
    QCOMPARE(dlg.ShowModal(), false);
    QVERIFY(!entered);
    QCOMPARE(prompter.told.size(), std::size_t{1});
  }

  void confirmAndCancel_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("wantInp");
    QTest::addColumn<bool>("wantOk");
    QTest::addRow("confirm-edited") << "abc"
                                    << "xyz" << true << "xyz" << true;
    QTest::addRow("confirm-empty") << "abc"
                                   << "" << true << "" << true;
    QTest::addRow("confirm-line-break-as-crlf") << "a\rb" << QString() << true << "a\r\nb" << true;
    // The box's plain-text view would turn these into a blank and a line
    // break; the text must come back unit for unit.
    QTest::addRow("confirm-keeps-no-break-space")
        << QStringLiteral("a\u00A0b") << QString() << true << QStringLiteral("a\u00A0b") << true;
    QTest::addRow("confirm-keeps-line-separator")
        << QStringLiteral("a\u2028b") << QString() << true << QStringLiteral("a\u2028b") << true;
    QTest::addRow("cancel-keeps-start") << "abc"
                                        << "xyz" << false << "abc" << false;
  }

  void confirmAndCancel() {
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(QString, wantInp);
    QFETCH(bool, wantOk);
    FrmInp dlg;
    dlg.sInp = start;
    QVERIFY(dlg.Activate());
    if (!typed.isNull()) dlg.txtA()->setPlainText(typed);  // null: left as shown
    if (confirm) {
      dlg.cmdA(0)->click();
    } else {
      dlg.cmdA(1)->click();
    }
    QCOMPARE(dlg.sInp, wantInp);
    QCOMPARE(dlg.bOk, wantOk);
    QVERIFY(!dlg.isVisible());
  }

  void modalRoundTrip() {
    FrmInp dlg;
    dlg.setWindowTitle(QStringLiteral("插入字串"));
    dlg.sInp = QStringLiteral("abc");
    QTimer::singleShot(0, &dlg, [&dlg] {
      QTest::keyClicks(dlg.txtA(), QStringLiteral("de"));
      QTest::keyClick(dlg.txtA(), Qt::Key_Return);
    });
    QCOMPARE(dlg.ShowModal(), true);
    QCOMPARE(dlg.sInp, QStringLiteral("de"));
  }

  void escapeCancels() {
    FrmInp dlg;
    dlg.sInp = QStringLiteral("abc");
    QTimer::singleShot(0, &dlg, [&dlg] {
      QTest::keyClicks(dlg.txtA(), QStringLiteral("zz"));
      QTest::keyClick(dlg.txtA(), Qt::Key_Escape);
    });
    QCOMPARE(dlg.ShowModal(), false);
    QCOMPARE(dlg.sInp, QStringLiteral("abc"));
  }

  void modifiedEnterTypesALineBreak_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addRow("shift-enter") << int(Qt::ShiftModifier);
    QTest::addRow("ctrl-enter") << int(Qt::ControlModifier);
  }

  void modifiedEnterTypesALineBreak() {
    QFETCH(int, modifiers);
    FrmInp dlg;
    dlg.sInp = QStringLiteral("ab");
    dlg.show();
    QVERIFY(dlg.Activate());
    dlg.txtA()->moveCursor(QTextCursor::End);
    QTest::keyClick(dlg.txtA(), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QTest::keyClicks(dlg.txtA(), QStringLiteral("c"));
    dlg.Confirm();
    QCOMPARE(dlg.sInp, QStringLiteral("ab\r\nc"));
  }

  void tabTypesATab() {
    FrmInp dlg;
    dlg.sInp = QString();
    dlg.show();
    QVERIFY(dlg.Activate());
    QTest::keyClick(dlg.txtA(), Qt::Key_Tab);
    QCOMPARE(dlg.txtA()->toPlainText(), QStringLiteral("\t"));
    dlg.Cancel();
  }

  void typingStopsAtTheLimit() {
    FrmInp dlg;
    dlg.sInp = QString(299, u'a');
    dlg.show();
    QVERIFY(dlg.Activate());
    dlg.txtA()->moveCursor(QTextCursor::End);
    QTest::keyClicks(dlg.txtA(), QStringLiteral("xyz"));
    QCOMPARE(dlg.txtA()->toPlainText().size(), 300);
    QVERIFY(dlg.txtA()->toPlainText().endsWith(u'x'));
    dlg.Cancel();
  }

  void pasteIsCutToTheLimit() {
    FrmInp dlg;
    dlg.sInp = QString(298, u'a');
    QVERIFY(dlg.Activate());
    dlg.txtA()->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("12345"));
    dlg.RunEdit(3);
    QCOMPARE(dlg.txtA()->toPlainText(), QString(298, u'a') + QStringLiteral("12"));
  }

  void editMenuState_data() {
    QTest::addColumn<bool>("selection");
    QTest::addColumn<bool>("clipboard");
    QTest::addRow("nothing-selected-empty-clipboard") << false << false;
    QTest::addRow("nothing-selected-clipboard-text") << false << true;
    QTest::addRow("selected-clipboard-text") << true << true;
  }

  void editMenuState() {
    QFETCH(bool, selection);
    QFETCH(bool, clipboard);
    FrmInp dlg;
    dlg.sInp = QStringLiteral("hello");
    QVERIFY(dlg.Activate());
    Select(dlg, 1, selection ? 2 : 0);
    if (clipboard) {
      QApplication::clipboard()->setText(QStringLiteral("clip"));
    } else {
      QApplication::clipboard()->clear();
    }
    dlg.UpdateEditMenu();
    QVERIFY(dlg.mnuEdit(0)->isEnabled());
    QCOMPARE(dlg.mnuEdit(1)->isEnabled(), selection);
    QCOMPARE(dlg.mnuEdit(2)->isEnabled(), selection);
    QCOMPARE(dlg.mnuEdit(3)->isEnabled(), clipboard);
    for (int i = 0; i < 4; ++i) QCOMPARE(dlg.mnuWnCase(i)->isEnabled(), selection);
  }

  void mappings_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("want");
    QTest::addRow("full-width-word") << 0 << "say hello" << 4 << 5 << "say ｈｅｌｌｏ";
    QTest::addRow("half-width") << 1 << "ＡＢ　Ｃ" << 0 << 4 << "AB C";
    QTest::addRow("simplified") << 2 << "x漢字y" << 1 << 2 << "x汉字y";
    QTest::addRow("traditional") << 3 << "汉字" << 0 << 2 << "漢字";
    QTest::addRow("across-line-break") << 0 << "a\nb" << 0 << 3 << "ａ\nｂ";
  }

  void mappings() {
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, want);
    FrmInp dlg;
    dlg.sInp = text;
    QVERIFY(dlg.Activate());
    Select(dlg, start, length);
    dlg.mnuWnCase(index)->trigger();
    QCOMPARE(dlg.txtA()->toPlainText(), want);
    QCOMPARE(SelStart(dlg), start);
    QCOMPARE(SelLength(dlg), length);
  }

  void editCommands() {
    FrmInp dlg;
    dlg.sInp = QStringLiteral("hello");
    QVERIFY(dlg.Activate());
    Select(dlg, 0, 2);
    dlg.mnuEdit(1)->trigger();  // cut "he"
    QCOMPARE(dlg.txtA()->toPlainText(), QStringLiteral("llo"));
    dlg.txtA()->moveCursor(QTextCursor::End);
    dlg.mnuEdit(3)->trigger();  // paste it at the end
    QCOMPARE(dlg.txtA()->toPlainText(), QStringLiteral("llohe"));
    dlg.mnuEdit(0)->trigger();
    QCOMPARE(SelLength(dlg), 5);
  }

  void rightClickOpensEditMenu() {
    FrmInp dlg;
    dlg.sInp = QStringLiteral("hello");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.Activate());
    QWidget* viewport = dlg.txtA()->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                            viewport->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(viewport, &click);
    QTRY_VERIFY(dlg.mnuEdits()->isVisible());
    QVERIFY(dlg.mnuWnCase(0)->isEnabled());  // all of "hello" is selected
    dlg.mnuEdits()->hide();
    dlg.Cancel();
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmInpTest)
#include "frm_inp_qtest.moc"
