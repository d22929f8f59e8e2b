// The three view settings of the box, kept in the per-user settings store
// "TKV", section "Picks": "WordWrap" ("True"/"False"), "FontName" and
// "FontSize" (points as a decimal number, "12", "10.5"). A missing or broken
// value leaves that one setting at its designed value.
#ifndef TEKVO_EDITOR_VIEW_SETTINGS_H_
#define TEKVO_EDITOR_VIEW_SETTINGS_H_

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

#include "dialogs/settings_store.h"
#include "editor/fonts.h"

namespace tekvo {

struct ViewSettings {
  bool word_wrap = true;
  QString font_name = QString::fromUtf16(kDesignedFontName);
  double font_size = kDesignedBoxFontSize;

  friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

// "True"/"False" in any letter case, or a number (0 is false, any other
// true); blanks around are allowed. nullopt for anything else.
std::optional<bool> ParseWordWrap(const QString& value);

// A positive decimal number of points, rounded to four decimal places;
// nullopt for anything else, for zero and for sizes no font can take.
std::optional<double> ParseFontSize(const QString& value);

// Points as a decimal number without trailing zeros: 12, 10.5.
QString FormatFontSize(double points);

// The font size as the size menu's first entry shows it: rounded to a whole
// number, halves to the even one (10.5 shows 10, 11.5 shows 12).
int RoundedFontSize(double points);

// Reads section "Picks" of `store`.
ViewSettings LoadViewSettings(QSettings& store);
// Writes section "Picks" of `store`.
void SaveViewSettings(QSettings& store, const ViewSettings& settings);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_VIEW_SETTINGS_H_
