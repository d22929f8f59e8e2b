// The "确定" and "取消" buttons the small dialogs end with. 确定 is the
// default button, so Enter confirms; 取消 never takes Enter, even with the
// focus, so a user who tabbed onto it and presses Enter to accept the typed
// values does not lose them.
#ifndef TEKVO_DIALOGS_OK_CANCEL_H_
#define TEKVO_DIALOGS_OK_CANCEL_H_

#include <QPushButton>
#include <QString>
#include <array>

namespace tekvo {

// Creates the pair as children of `dialog`, named "cmdA0" and "cmdA1", wired
// to its `confirm` and `cancel` slots.
template <class Dialog>
std::array<QPushButton*, 2> MakeOkCancel(Dialog* dialog, void (Dialog::*confirm)(),
                                         void (Dialog::*cancel)()) {
  std::array<QPushButton*, 2> buttons = {new QPushButton(QStringLiteral("确定"), dialog),
                                         new QPushButton(QStringLiteral("取消"), dialog)};
  for (int i = 0; i < 2; ++i) buttons[i]->setObjectName(QStringLiteral("cmdA%1").arg(i));
  buttons[0]->setDefault(true);
  buttons[0]->setAutoDefault(true);
  buttons[1]->setAutoDefault(false);
  QObject::connect(buttons[0], &QPushButton::clicked, dialog, confirm);
  QObject::connect(buttons[1], &QPushButton::clicked, dialog, cancel);
  return buttons;
}

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_OK_CANCEL_H_
