#include "editor/fonts.h"

#include <QStringList>
#include <array>

namespace tekvo {
namespace {

enum class FaceStyle { kSerif, kSans, kMono };

// The font menu offers Windows faces, which a Linux desktop rarely has. Qt
// takes the next family of the list when one is missing and does not apply
// fontconfig's aliases in that case, so without this every missing face would
// land on the same fallback and the menu would seem to do nothing.
FaceStyle StyleOf(const QString& family) {
  static const std::array<const char16_t*, 5> kMono = {u"Courier New", u"Lucida Console",
                                                       u"Courier", u"Consolas", u"SimSun-ExtB"};
  static const std::array<const char16_t*, 6> kSans = {
      u"Arial", u"黑体", u"SimHei", u"微软雅黑", u"Microsoft YaHei", u"Tahoma"};
  for (const char16_t* name : kMono) {
    if (family == QString::fromUtf16(name)) return FaceStyle::kMono;
  }
  for (const char16_t* name : kSans) {
    if (family == QString::fromUtf16(name)) return FaceStyle::kSans;
  }
  if (family.contains(QLatin1String("Mono"), Qt::CaseInsensitive)) return FaceStyle::kMono;
  if (family.contains(QLatin1String("Sans"), Qt::CaseInsensitive)) return FaceStyle::kSans;
  return FaceStyle::kSerif;
}

QStringList FallbacksFor(FaceStyle style) {
  switch (style) {
    case FaceStyle::kMono:
      return {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
              QStringLiteral("Noto Sans CJK SC")};
    case FaceStyle::kSans:
      return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC"),
              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK KR")};
    case FaceStyle::kSerif:
      break;
  }
  // A serif face first: it is the closest to the Song and Ming styles.
  return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Serif CJK TC"),
          QStringLiteral("Noto Sans CJK SC"),  QStringLiteral("Noto Sans CJK TC"),
          QStringLiteral("Noto Sans CJK JP"),  QStringLiteral("Noto Sans CJK KR")};
}

QFont::StyleHint HintFor(FaceStyle style) {
  switch (style) {
    case FaceStyle::kMono:
      return QFont::Monospace;
    case FaceStyle::kSans:
      return QFont::SansSerif;
    case FaceStyle::kSerif:
      break;
  }
  return QFont::Serif;
}

}  // namespace

QFont FontWithCjkFallback(const QString& family, double points) {
  QFont font;
  const FaceStyle style = StyleOf(family);
  QStringList families{family};
  for (const QString& fallback : FallbacksFor(style)) {
    if (fallback != family) families << fallback;
  }
  font.setFamilies(families);
  font.setStyleHint(HintFor(style));
  if (points > 0) font.setPointSizeF(points);
  return font;
}

QString PrimaryFamily(const QFont& font) {
  const QStringList families = font.families();
  return families.isEmpty() ? font.family() : families.front();
}

}  // namespace tekvo
