// How a user picks a pair in a two-list dialog (code pages, languages),
// driven from a Qt Test data row: the table adds the choice columns first,
// and the test function makes that row's choice before pressing a button.
//
//   void confirm_data() { AddChoiceColumns(); QTest::addColumn<int>(...); }
//   void confirm() { FrmCp dlg; ChooseFromRow(dlg); dlg.cmdA(0)->click(); }
//
// Header only: it needs QtTest, which only the test programs link.
#ifndef TEKVO_TESTS_DIALOGS_PAIR_CHOICE_H_
#define TEKVO_TESTS_DIALOGS_PAIR_CHOICE_H_

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/pair_dialog.h"

namespace tekvo {

// numbers: type textA/textB in number mode; otherwise pick list rows
// listA/listB (-1 keeps the row the dialog opens with).
inline void AddChoiceColumns() {
  QTest::addColumn<bool>("numbers");
  QTest::addColumn<int>("listA");
  QTest::addColumn<int>("listB");
  QTest::addColumn<QString>("textA");
  QTest::addColumn<QString>("textB");
}

// Shows `dlg` and makes the current data row's choice.
inline void ChooseFromRow(PairDialog& dlg) {
  QFETCH(bool, numbers);
  QFETCH(int, listA);
  QFETCH(int, listB);
  QFETCH(QString, textA);
  QFETCH(QString, textB);
  dlg.show();
  if (listA >= 0) dlg.cboCS(0)->setCurrentIndex(listA);
  if (listB >= 0) dlg.cboCS(1)->setCurrentIndex(listB);
  if (numbers) {
    dlg.optOpr(0)->setChecked(true);
    dlg.numberBox(0)->setText(textA);
    dlg.numberBox(1)->setText(textB);
  }
}

}  // namespace tekvo

#endif  // TEKVO_TESTS_DIALOGS_PAIR_CHOICE_H_
