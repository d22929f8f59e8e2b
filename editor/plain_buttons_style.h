// The program's boxes and dialogs carry words only: no pictogram on 是, 否,
// 确定 or 取消, whatever the desktop's theme asks of dialog buttons.
#ifndef TEKVO_EDITOR_PLAIN_BUTTONS_STYLE_H_
#define TEKVO_EDITOR_PLAIN_BUTTONS_STYLE_H_

#include <QProxyStyle>

namespace tekvo {

class PlainButtonsStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Takes `base` over; null selects the desktop's default style.
  explicit PlainButtonsStyle(QStyle* base = nullptr) : QProxyStyle(base) {}

  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* hint_return = nullptr) const override;
};

// Puts the application's current style under a PlainButtonsStyle.
void UsePlainButtons();

}  // namespace tekvo

#endif  // TEKVO_EDITOR_PLAIN_BUTTONS_STYLE_H_
