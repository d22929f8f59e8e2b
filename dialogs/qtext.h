// The one place where the window and the dialogs move text between Qt's
// QString and the engine's Text. Both are UTF-16, so the units are copied as
// they are: lone surrogates, U+0000 and every other unit survive in both
// directions.
#ifndef TEKVO_DIALOGS_QTEXT_H_
#define TEKVO_DIALOGS_QTEXT_H_

#include <QString>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline Text ToText(const QString& text) {
  return Text(reinterpret_cast<const char16_t*>(text.utf16()),
              static_cast<std::size_t>(text.size()));
}

}  // namespace tekvo

#endif  // TEKVO_DIALOGS_QTEXT_H_
