#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <QtTest>

#include "dialogs/frm_suggest.h"

namespace tekvo {

namespace {

RepairCandidate Make(std::u16string name, Text text, double score, int steps) {
  RepairCandidate c;
  c.name = std::move(name);
  c.text = std::move(text);
  c.score = score;
  c.steps = steps;
  return c;
}

std::vector<RepairCandidate> Sample() {
  return {Make(u"GB--Big5 ", u"中華民國\r\n第二行", 0.9, 1), Make(u"不修复", u"い地チ瓣", 0.7, 0),
          Make(u"Eng--UTF8 + GB--UTF8 ", u"x", -0.25, 2)};
}

}  // namespace

class FrmSuggestTest : public QObject {
  Q_OBJECT

 private slots:
  void controls() {
    FrmSuggest dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("自动推荐"));
    QCOMPARE(dlg.cmdA(0)->text(), QStringLiteral("确定"));
    QCOMPARE(dlg.cmdA(1)->text(), QStringLiteral("取消"));
    QVERIFY(dlg.cmdA(0)->isDefault());
    QVERIFY(dlg.txtPreview()->isReadOnly());
    QCOMPARE(dlg.lstA()->columnCount(), 3);
  }

  void rows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("line");
    QTest::addRow("repair-first-line-only") << 0 << "GB--Big5"
                                            << "0.900"
                                            << "中華民國";
    QTest::addRow("no-repair") << 1 << "不修复"
                               << "0.700"
                               << "い地チ瓣";
    QTest::addRow("chain-negative-score") << 2 << "Eng--UTF8 + GB--UTF8"
                                          << "-0.250"
                                          << "x";
  }
  void rows() {
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, score);
    QFETCH(QString, line);
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    QCOMPARE(dlg.lstA()->topLevelItemCount(), 3);
    QTreeWidgetItem* item = dlg.lstA()->topLevelItem(row);
    QCOMPARE(item->text(FrmSuggest::kName), name);
    QCOMPARE(item->text(FrmSuggest::kScore), score);
    QCOMPARE(item->text(FrmSuggest::kFirstLine), line);
  }

  void preview_follows_the_selection() {
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    QCOMPARE(dlg.lstA()->currentItem(), dlg.lstA()->topLevelItem(0));
    QCOMPARE(dlg.txtPreview()->toPlainText(), QStringLiteral("中華民國\n第二行"));
    QVERIFY(dlg.lblSay()->text().contains(QStringLiteral("GB--Big5")));
    dlg.lstA()->setCurrentItem(dlg.lstA()->topLevelItem(1));
    QCOMPARE(dlg.txtPreview()->toPlainText(), QStringLiteral("い地チ瓣"));
  }

  // The marks sit on the repaired stretches as the preview shows them: a
  // CR LF before a stretch is one break there, one unit less.
  void preview_marks_the_repaired_stretches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("stretches");  // begin, end pairs in the candidate's text
    QTest::addColumn<QStringList>("marked");
    QTest::addRow("second-line") << "ab\n中文\ncd" << QList<int>{3, 5} << QStringList{"中文"};
    QTest::addRow("after-cr-lf") << "ab\r\n中文\r\n文件" << QList<int>{4, 6, 8, 10}
                                 << QStringList{"中文", "文件"};
    QTest::addRow("none") << "ab" << QList<int>{} << QStringList{};
  }
  void preview_marks_the_repaired_stretches() {
    QFETCH(QString, text);
    QFETCH(QList<int>, stretches);
    QFETCH(QStringList, marked);
    RepairCandidate c = Make(u"逐段修复: GB--UTF8 ×1", text.toStdU16String(), 1.0, 1);
    for (int i = 0; i + 1 < stretches.size(); i += 2) {
      c.stretches.push_back(
          {static_cast<std::size_t>(stretches[i]), static_cast<std::size_t>(stretches[i + 1]), 18});
    }
    FrmSuggest dlg;
    dlg.SetCandidates({c, Make(u"不修复", u"x", 0.5, 0)});
    const auto marks = dlg.txtPreview()->extraSelections();
    QCOMPARE(marks.size(), marked.size());
    for (int i = 0; i < marks.size(); ++i) {
      QCOMPARE(marks[i].cursor.selectedText(), marked[i]);
      QVERIFY(marks[i].format.background().style() != Qt::NoBrush);
    }
    dlg.lstA()->setCurrentItem(dlg.lstA()->topLevelItem(1));
    QCOMPARE(dlg.txtPreview()->extraSelections().size(), 0);
  }

  void confirm_takes_the_selected_row() {
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    dlg.lstA()->setCurrentItem(dlg.lstA()->topLevelItem(2));
    dlg.Confirm();
    QVERIFY(dlg.bOk);
    QCOMPARE(dlg.nPick, 2);
    QVERIFY(!dlg.isVisible());
  }

  void double_click_confirms() {
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    emit dlg.lstA()->itemDoubleClicked(dlg.lstA()->topLevelItem(1), 0);
    QVERIFY(dlg.bOk);
    QCOMPARE(dlg.nPick, 1);
  }

  void cancel_and_escape_leave_bok_false() {
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    dlg.Cancel();
    QVERIFY(!dlg.bOk);
    dlg.reject();
    QVERIFY(!dlg.bOk);
  }

  void new_candidates_reset_the_pick() {
    FrmSuggest dlg;
    dlg.SetCandidates(Sample());
    dlg.Confirm();
    QCOMPARE(dlg.nPick, 0);
    dlg.Activate();
    QVERIFY(!dlg.bOk);
    dlg.SetCandidates({Make(u"不修复", u"abc", 1.0, 0)});
    QCOMPARE(dlg.nPick, -1);
    QCOMPARE(dlg.lstA()->topLevelItemCount(), 1);
    QCOMPARE(dlg.txtPreview()->toPlainText(), QStringLiteral("abc"));
  }

  void nothing_to_confirm_without_candidates() {
    FrmSuggest dlg;
    dlg.SetCandidates({});
    dlg.Confirm();
    QVERIFY(!dlg.bOk);
    QCOMPARE(dlg.nPick, -1);
    QCOMPARE(dlg.txtPreview()->toPlainText(), QString());
  }
};

}  // namespace tekvo

QTEST_MAIN(tekvo::FrmSuggestTest)
#include "frm_suggest_qtest.moc"
