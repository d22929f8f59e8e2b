#include "editor/fonts.h"

#include <QStringList>

namespace tekvo {

QFont FontWithCjkFallback(const QString& family, double points) {
  QFont font;
  QStringList families{family};
  // A serif face first: it is the closest to the Song style of the design.
  for (const char* fallback : {"Noto Serif CJK SC", "Noto Sans CJK SC", "Noto Sans CJK TC",
                               "Noto Sans CJK JP", "Noto Sans CJK KR"}) {
    if (family != QLatin1String(fallback)) families << QString::fromLatin1(fallback);
  }
  font.setFamilies(families);
  if (points > 0) font.setPointSizeF(points);
  return font;
}

QString PrimaryFamily(const QFont& font) {
  const QStringList families = font.families();
  return families.isEmpty() ? font.family() : families.front();
}

}  // namespace tekvo
