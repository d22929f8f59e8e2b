#include "editor/view_settings.h"

#include <cmath>

namespace tekvo {
namespace {

constexpr char kSection[] = "Picks";
constexpr char kWordWrap[] = "WordWrap";
constexpr char kFontName[] = "FontName";
constexpr char kFontSize[] = "FontSize";
// Larger sizes are refused by the text layout anyway.
constexpr double kLargestFontSize = 2048;

}  // namespace

std::optional<bool> ParseWordWrap(const QString& value) {
  const QString text = value.trimmed();
  if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double number = text.toDouble(&ok);
  if (!ok || !std::isfinite(number)) return std::nullopt;
  return number != 0;
}

std::optional<double> ParseFontSize(const QString& value) {
  bool ok = false;
  const double number = value.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(number)) return std::nullopt;
  const double rounded = std::round(number * 10000) / 10000;
  if (rounded <= 0 || rounded > kLargestFontSize) return std::nullopt;
  return rounded;
}

QString FormatFontSize(double points) {
  QString text = QString::number(points, 'f', 4);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

int RoundedFontSize(double points) { return static_cast<int>(std::nearbyint(points)); }

ViewSettings LoadViewSettings(QSettings& store) {
  ViewSettings settings;
  store.beginGroup(QLatin1String(kSection));
  if (auto wrap = ParseWordWrap(store.value(QLatin1String(kWordWrap)).toString())) {
    settings.word_wrap = *wrap;
  }
  const QString name = store.value(QLatin1String(kFontName)).toString();
  if (!name.trimmed().isEmpty()) settings.font_name = name;
  if (auto size = ParseFontSize(store.value(QLatin1String(kFontSize)).toString())) {
    settings.font_size = *size;
  }
  store.endGroup();
  return settings;
}

void SaveViewSettings(QSettings& store, const ViewSettings& settings) {
  store.beginGroup(QLatin1String(kSection));
  store.setValue(QLatin1String(kWordWrap),
                 settings.word_wrap ? QStringLiteral("True") : QStringLiteral("False"));
  store.setValue(QLatin1String(kFontName), settings.font_name);
  store.setValue(QLatin1String(kFontSize), FormatFontSize(settings.font_size));
  store.endGroup();
  store.sync();
}

}  // namespace tekvo
