#include "editor/plain_buttons_style.h"

#include <QApplication>
#include <QStyleFactory>

namespace tekvo {

int PlainButtonsStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* hint_return) const {
  if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
  return QProxyStyle::styleHint(hint, option, widget, hint_return);
}

void UsePlainButtons() {
  // A fresh copy of the style in use, so that a style chosen with "-style"
  // stays the one underneath.
  QStyle* base = QStyleFactory::create(QApplication::style()->name());
  QApplication::setStyle(new PlainButtonsStyle(base));
}

}  // namespace tekvo
