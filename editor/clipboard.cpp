#include "editor/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "dialogs/qtext.h"

namespace tekvo {

bool SystemClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

Text SystemClipboard::ReadText() const { return ToText(QGuiApplication::clipboard()->text()); }

void SystemClipboard::WriteText(const Text& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace tekvo
