#include "editor/font_noise.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace tekvo {
namespace {

QStringList received;

void Record(QtMsgType, const QMessageLogContext&, const QString& message) { received << message; }

// Qt's own wording, leading blanks included; anything else passes.
TEST(FontFallbackNoise, OnlyTheMissingOpenTypeWarningIsKeptOut) {
  qInstallMessageHandler(Record);
  KeepFontFallbackNoiseOut();
  qWarning("  OpenType support missing for \"Noto Sans CJK SC\", script 11");
  qWarning("  OpenType support missing for \"\", script 18");
  qWarning("QFont::setPointSizeF: Point size <= 0 (0.000000), must be greater than 0");
  qCritical("OpenType support missing for \"X\", script 11");
  qInstallMessageHandler(nullptr);
  EXPECT_EQ(received,
            QStringList({"QFont::setPointSizeF: Point size <= 0 (0.000000), must be greater than 0",
                         "OpenType support missing for \"X\", script 11"}));
}

}  // namespace
}  // namespace tekvo
