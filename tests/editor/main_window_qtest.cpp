#include <QDialog>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/qtext.h"
#include "editor/main_window.h"
#include "editor/menu_captions.h"
#include "editor/view_commands.h"
#include "tests/editor/command_harness.h"
#include "tests/editor/fake_seam.h"

namespace tekvo {

// A window with a scripted seam and an in-memory clipboard.
struct TestWindow {
  TestWindow() {
    auto owned_seam = std::make_unique<FakeSeam>();
    auto owned_clipboard = std::make_unique<FakeClipboard>();
    seam = owned_seam.get();
    clipboard = owned_clipboard.get();
    window = std::make_unique<MainWindow>(std::move(owned_seam), std::move(owned_clipboard));
  }
  FakeSeam* seam;
  FakeClipboard* clipboard;
  std::unique_ptr<MainWindow> window;
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(settings_dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir_.path());
  }
  void cleanup() {
    // Each test starts from an empty settings store.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "TKV", "TKV").clear();
  }

  void startsEmptyWithButtonsDisabled() {
    TestWindow t;
    MainWindow& w = *t.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tekvo"));
    auto* say = w.findChild<QLabel*>(QStringLiteral("lblSay"));
    QVERIFY(say != nullptr);
    QVERIFY(say->text().isEmpty());
    const QString history[] = {QStringLiteral("退到原始"), QStringLiteral("撤消 [F5]"),
                               QStringLiteral("重做 [F6]"), QStringLiteral("进到最新")};
    for (int i = 0; i < 4; ++i) {
      auto* button = w.findChild<QPushButton*>(QStringLiteral("cmdUd_%1").arg(i));
      QVERIFY(button != nullptr);
      QCOMPARE(button->text(), history[i]);
      QVERIFY(!button->isEnabled());
    }
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmdSeek_0"))->text(),
             QStringLiteral("逆找 [F1]"));
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmdSeek_1"))->text(),
             QStringLiteral("顺找 [F2]"));
    QVERIFY(w.box().Text().empty());
    QCOMPARE(w.history().nCur(), -1);
    QCOMPARE(w.history().nSaved(), -1);
    QVERIFY(w.box().WordWrap());
    QCOMPARE(w.box().FontName(), QStringLiteral("宋体"));
    QCOMPARE(w.box().FontSize(), 12.0);
  }

  void boxHasFocusWhenShown() {
    TestWindow t;
    t.window->show();
    QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&t.window->edit()));
  }

  void menuBarHasEveryCaption_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    auto list = [](std::initializer_list<captions::Caption> items) {
      QStringList out;
      for (captions::Caption c : items) out << ToQString(Text(c));
      return out;
    };
    QTest::addRow("top-level") << QString()
                               << list({u" 文件 (&F)", u" 编辑 (&E)", u" 解读乱码 (&1)",
                                        u" 解读乱码 (&2)", u" 解读乱码 (&3)", u" 查看 (&L)"});
    QTest::addRow("files") << "mnuFiles"
                           << list({u"清空作原始 (&K)", u"打开作原始 (&O) …", u"-",
                                    u"保存文件 (&S) …", u"文件属性 (&Q) …", u"-", u"新窗口 (&W)"});
    QTest::addRow("edits") << "mnuEdits"
                           << list({u"粘贴作原始 [Ctrl+P]",
                                    u"-",
                                    u"全选 [Ctrl+A]",
                                    u"复制 [Ctrl+C]",
                                    u"粘贴 [Ctrl+V]",
                                    u"-",
                                    u"转全角 (&D)",
                                    u"转半角 (&B)",
                                    u"转简体 (&G)",
                                    u"转繁体 (&F)",
                                    u"编写“乱码” (&E)",
                                    u"-",
                                    u"键入查找 [Ctrl+F1] …",
                                    u"统一替换 [F3] …",
                                    u"单字信息 [F4]",
                                    u"-",
                                    u"删除 [Del]",
                                    u"插入 [Ins] …",
                                    u"空格 [Ctrl+Del]",
                                    u"跳格 [Ctrl+F9]",
                                    u"换行 [F9]"});
    QTest::addRow("compose") << "mnuMakes"
                             << list({u"U--HTM(H)", u"U--HTM(D)", u"-", u"GB--QP", u"UTF8--QP",
                                      u"-", u"GB--Base64", u"UTF8--Base64", u"-", u"U--UTF7",
                                      u"GB--HZ"});
    QTest::addRow("decode-1") << "mnuJiedusA"
                              << list({u"HTM--U ：如 &&#x53EF; &&#25511; &&ordm;&&Atilde; 英文通顺",
                                       u"NumU(1)--U ：如 \\u53EF \\u63A7 \\x28 \\x29 英文通顺",
                                       u"NumU(2)--U ：如 %u53EF %u63A7 %28 %29 英文通顺", u"-",
                                       u"URL--GB ：如 work%2Easp%3Fs%3D%B5%E7%C4%D4 英文通顺",
                                       u"URL--Big5 ：同上类似", u"URL--UTF8 ：同上类似", u"-",
                                       u"QP--GB ：如 =D6=A7=B3=D6ASCII=C2=EB 英文通顺",
                                       u"QP--Big5 ：同上类似", u"QP--UTF8 ：同上类似", u"-",
                                       u"Base64--GB ：如 QVNDSUkgvs3Kx6G 紧密排列.允许选取解码",
                                       u"Base64--Big5 ：同上类似", u"Base64--UTF8 ：同上类似", u"-",
                                       u"UTF7--U ：如 +UxdOrA- YES +Ti1XC2- 英文通顺",
                                       u"HZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺",
                                       u"Trans--LCID ：转换格式--语文名称 [F7] …"});
    QTest::addRow("decode-2") << "mnuJiedusB"
                              << list(
                                     {u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文",
                                      u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅",
                                      u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格",
                                      u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号",
                                      u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 \u20AC ,或开头有 锘",
                                      u"-",
                                      u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝",
                                      u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格",
                                      u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名",
                                      u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文",
                                      u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母",
                                      u"-",
                                      u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母",
                                      u"Eng--Big5 ：同上类似",
                                      u"Eng--UTF8 ：同上类似,而且多方框",
                                      u"U--UBE ：全文不通,多方框,兼有空格和韩文",
                                      u"-",
                                      u"LCID--LCID ：语文区号和名称 [Ctrl+F8] …",
                                      u"CP--CP ：代码页和字符集 [F8] …",
                                      u"-",
                                      u"自动推荐 [F10] …"});
    QTest::addRow("decode-3") << "mnuJiedusC"
                              << list({u"GB+半字 ：英文通顺,部分中文通顺.建议光标放在乱码开头",
                                       u"U+半字 ：前半通顺,后半不通,多韩文,方框和空格",
                                       u"LCID+半字 [Ctrl+F3] …", u"-",
                                       u"Esc+中文(ISO2022) ：同下类似, 标志 $)A $)G",
                                       u"Esc+日文(ISO2022) ：如 $B$R$H$?$S 英文通顺, 标志 $B (B",
                                       u"Esc+韩文(ISO2022) ：同上类似, 标志 $)C"});
    QTest::addRow("view") << "mnuLooks"
                          << list({u"自动换行", u"-", u"字体名称", u"字体尺寸", u"-",
                                   u"关于 Tekvo"});
    QTest::addRow("fonts") << "mnuFonts"
                           << list({u"", u"-", u"Arial", u"Courier New", u"Lucida Console",
                                    u"Times New Roman", u"宋体", u"黑体", u"华文中宋", u"MingLiU",
                                    u"PMingLiU"});
    QTest::addRow("sizes") << "mnuSizes"
                           << list({u"", u"-", u"10", u"12", u"14", u"16", u"18", u"20", u"22",
                                    u"24"});
  }

  void menuBarHasEveryCaption() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    TestWindow t;
    QList<QAction*> actions;
    if (menu.isEmpty()) {
      actions = t.window->menuBar()->actions();
    } else {
      auto* found = t.window->menuBar()->findChild<QMenu*>(menu);
      QVERIFY2(found != nullptr, qPrintable(menu));
      actions = found->actions();
    }
    QStringList shown;
    for (QAction* a : actions) shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(shown, items);
  }

  void viewMenuShowsCurrentView() {
    TestWindow t;
    MainWindow& w = *t.window;
    w.box().SetFontSize(10.5);
    w.box().SetWordWrap(false);
    emit w.menus().mnuLooks->aboutToShow();
    QCOMPARE(w.menus().mnuFont0->text(), QStringLiteral("宋体"));
    QCOMPARE(w.menus().mnuSize0->text(), QStringLiteral("10"));
    QVERIFY(!w.menus().mnuHScr->isChecked());
    w.menus().mnuHScr->trigger();
    QVERIFY(w.box().WordWrap());
    w.menus().mnuSize[7]->trigger();
    QCOMPARE(w.box().FontSize(), 24.0);
    w.menus().mnuFont[5]->trigger();
    QCOMPARE(w.box().FontName(), QStringLiteral("黑体"));
  }

  void ctrlPPastesAsOriginal_data() {
    QTest::addColumn<bool>("ctrl_released_first");
    QTest::addRow("ctrl-held") << false;
    QTest::addRow("ctrl-released-first") << true;
  }

  void ctrlPPastesAsOriginal() {
    QFETCH(bool, ctrl_released_first);
    TestWindow t;
    t.clipboard->content = u"乱码 ÂÒÂë";
    BoxEdit& edit = t.window->edit();
    QTest::keyPress(&edit, Qt::Key_Control, Qt::ControlModifier);
    QTest::keyPress(&edit, Qt::Key_P, Qt::ControlModifier);
    if (ctrl_released_first) {
      QTest::keyRelease(&edit, Qt::Key_Control, Qt::NoModifier);
      QTest::keyRelease(&edit, Qt::Key_P, Qt::NoModifier);
    } else {
      QTest::keyRelease(&edit, Qt::Key_P, Qt::ControlModifier);
      QTest::keyRelease(&edit, Qt::Key_Control, Qt::NoModifier);
    }
    QCOMPARE(ToQString(t.window->box().Text()), QStringLiteral("乱码 ÂÒÂë"));
    QCOMPARE(t.window->windowTitle(), QStringLiteral("粘贴作原始  ~Tekvo"));
    QCOMPARE(t.window->findChild<QLabel*>(QStringLiteral("lblSay"))->text(),
             QStringLiteral("粘贴作原始 [Ctrl+P]"));
  }

  void plainPDoesNothing() {
    TestWindow t;
    t.clipboard->content = u"x";
    QTest::keyClick(&t.window->edit(), Qt::Key_P);
    QVERIFY(t.window->box().Text().empty());
    QCOMPARE(t.window->windowTitle(), QStringLiteral("Tekvo"));
  }

  void historyButtonsFollowSteps() {
    TestWindow t;
    MainWindow& w = *t.window;
    t.clipboard->content = u"abc";
    w.box().SetSelStart(0);
    QTest::keyClick(&w.edit(), Qt::Key_V, Qt::ControlModifier);  // paste: step 0
    auto* back = w.findChild<QPushButton*>(QStringLiteral("cmdUd_0"));
    auto* redo = w.findChild<QPushButton*>(QStringLiteral("cmdUd_2"));
    QVERIFY(back->isEnabled());
    QVERIFY(!redo->isEnabled());
    QTest::keyClick(&w.edit(), Qt::Key_F5);  // undo to the empty original
    QVERIFY(w.box().Text().empty());
    QVERIFY(!back->isEnabled());
    QVERIFY(redo->isEnabled());
    redo->click();
    QCOMPARE(ToQString(w.box().Text()), QStringLiteral("abc"));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblSay"))->text(),
             QStringLiteral("粘贴 [Ctrl+V]"));
  }

  void closeAsksBeforeDiscarding_data() {
    QTest::addColumn<bool>("answer");
    QTest::addRow("no-keeps-window") << false;
    QTest::addRow("yes-closes") << true;
  }

  void closeAsksBeforeDiscarding() {
    QFETCH(bool, answer);
    TestWindow t;
    MainWindow& w = *t.window;
    w.show();
    t.clipboard->content = u"unsaved";
    QTest::keyClick(&w.edit(), Qt::Key_P, Qt::ControlModifier);
    w.context().dialogs.Get<QDialog>();
    t.seam->AnswerAsk(answer);
    QCOMPARE(w.close(), answer);
    QCOMPARE(t.seam->Questions(), std::vector<Text>{u"当前文本未保存，是否清空？"});
    QCOMPARE(ToQString(w.box().Text()), QStringLiteral("unsaved"));
    QCOMPARE(w.context().dialogs.Count(), answer ? 0 : 1);
  }

  void closeWritesViewSettings() {
    {
      TestWindow t;
      t.window->box().SetWordWrap(false);
      t.window->box().SetFontSize(10.5);
      t.window->show();
      QVERIFY(t.window->close());  // saved: nothing to ask
      QVERIFY(t.seam->Events().empty());
    }
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "TKV", "TKV");
    QCOMPARE(store.value("Picks/WordWrap").toString(), QStringLiteral("False"));
    QCOMPARE(store.value("Picks/FontSize").toString(), QStringLiteral("10.5"));
    // The next window starts with them.
    TestWindow next;
    QVERIFY(!next.window->box().WordWrap());
    QCOMPARE(next.window->box().FontSize(), 10.5);
  }

  void resizeKeepsMargins_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("box");
    // Margins of 100 twips left, right and below; the box starts 650 down.
    QTest::addRow("designed") << QSize(765, 509) << QSize(752, 459);
    QTest::addRow("larger") << QSize(1000, 700) << QSize(987, 650);
    QTest::addRow("too-narrow-keeps-width") << QSize(10, 700) << QSize(-1, 650);
    QTest::addRow("too-low-keeps-height") << QSize(1000, 40) << QSize(987, -1);
  }

  void resizeKeepsMargins() {
    QFETCH(QSize, client);
    QFETCH(QSize, box);
    TestWindow t;
    QWidget* area = t.window->centralWidget();
    const QSize before = t.window->edit().size();
    QResizeEvent event(client, area->size());
    QApplication::sendEvent(area, &event);
    const QSize after = t.window->edit().size();
    QCOMPARE(after.width(), box.width() < 0 ? before.width() : box.width());
    QCOMPARE(after.height(), box.height() < 0 ? before.height() : box.height());
    QCOMPARE(t.window->edit().pos(), QPoint(7, 43));
  }

  // Shrunk as far as it goes, the window still shows every button whole,
  // every menu of the bar and some of the box.
  void shrunkWindowKeepsEveryControl() {
    TestWindow t;
    MainWindow& w = *t.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(10, 10);
    QTRY_COMPARE(w.size(), w.minimumSize());
    const QRect client = w.centralWidget()->rect();
    const auto buttons = w.centralWidget()->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 6);
    for (const QPushButton* button : buttons) {
      QVERIFY2(client.contains(button->geometry()), qPrintable(button->text()));
    }
    QMenuBar* bar = w.menuBar();
    for (QAction* menu : bar->actions()) {
      const QRect place = bar->actionGeometry(menu);
      QVERIFY2(!place.isEmpty() && bar->rect().contains(place), qPrintable(menu->text()));
    }
    QVERIFY(client.contains(w.edit().geometry()));
    QVERIFY(w.edit().height() >= 60);
  }

  void aboutNamesVersionAndAuthor() {
    TestWindow t;
    t.window->menus().mnuAbout->trigger();
    const QString expected =
        QStringLiteral(
            "产品名：Tekvo  版本号：%1.%2\r\n\r\n作者：Tekvo developers  说明：man tekvo")
            .arg(TEKVO_VERSION_MAJOR)
            .arg(TEKVO_VERSION_MINOR);
    QCOMPARE(t.seam->Messages(), std::vector<Text>{ToText(expected)});
    QVERIFY(t.seam->Events()[0].title.empty());
  }

  void rightClickOpensEditMenu() {
    TestWindow t;
    MainWindow& w = *t.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.box().SetText(u"abc");
    w.box().SetSelStart(0);
    w.box().SetSelLength(2);
    QWidget* viewport = w.edit().viewport();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
    QTRY_VERIFY(w.menus().mnuEdits->isVisible());
    QVERIFY(w.menus().mnuCopy->isEnabled());  // enabled as the menu opened
    w.menus().mnuEdits->hide();
  }

 private:
  QTemporaryDir settings_dir_;
};

}  // namespace tekvo

QTEST_MAIN(tekvo::MainWindowTest)
#include "main_window_qtest.moc"
