#include "editor/font_noise.h"

namespace tekvo {
namespace {

QtMessageHandler previous_handler = nullptr;

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (IsFontFallbackNoise(type, message)) return;
  if (previous_handler != nullptr) previous_handler(type, context, message);
}

}  // namespace

bool IsFontFallbackNoise(QtMsgType type, const QString& message) {
  return type == QtWarningMsg &&
         message.trimmed().startsWith(QLatin1String("OpenType support missing for "));
}

void KeepFontFallbackNoiseOut() {
  // Installed once; a second call would make the filter its own successor.
  if (previous_handler != nullptr) return;
  previous_handler = qInstallMessageHandler(Filter);
}

}  // namespace tekvo
