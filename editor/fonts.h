// Fonts of the window. The designed face "宋体" is missing on most Linux
// desktops; every font the editor sets carries the installed Noto CJK faces
// as fallbacks, so Chinese, Japanese and Korean text still shows.
#ifndef TEKVO_EDITOR_FONTS_H_
#define TEKVO_EDITOR_FONTS_H_

#include <QFont>
#include <QString>

namespace tekvo {

inline constexpr char16_t kDesignedFontName[] = u"宋体";
inline constexpr double kDesignedBoxFontSize = 12;       // the box and the status label
inline constexpr double kDesignedWindowFontSize = 10.5;  // the window and its buttons

// `family` at `points`, followed by the CJK fallback families.
QFont FontWithCjkFallback(const QString& family, double points);

// The family the font was asked for (the first of its families).
QString PrimaryFamily(const QFont& font);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FONTS_H_
