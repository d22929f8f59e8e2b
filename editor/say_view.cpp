#include "editor/say_view.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace tekvo {

SayView::SayView(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SayView::paintEvent(QPaintEvent*) {
  const QStringList lines = text().split(u'\n');
  const QRect area = contentsRect();
  const QFontMetrics metrics(font());
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  const int count = static_cast<int>(lines.size());
  const bool natural = metrics.lineSpacing() * count <= area.height();
  const int step = natural ? metrics.lineSpacing() : std::max(1, area.height() / count);
  // Closer lines keep the same share of their height below the baseline.
  const int below = natural ? metrics.descent() : metrics.descent() * step / metrics.height();
  for (int i = 0; i < count; ++i) {
    const int baseline =
        natural ? area.top() + metrics.ascent() + i * step : area.top() + (i + 1) * step - below;
    painter.drawText(area.left(), baseline, lines[i]);
  }
}

int SayLineCount(const QFont& font, int height) {
  const int em = std::max(1, QFontInfo(font).pixelSize());
  return std::max(1, height / em);
}

QStringList WrapSayText(const QString& text, const QFont& font, int width, int max_lines) {
  const QFontMetrics metrics(font);
  if (width <= 0 || max_lines < 1 || metrics.horizontalAdvance(text) <= width) return {text};
  QStringList lines;
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  qsizetype rest = 0;
  layout.beginLayout();
  while (lines.size() < max_lines - 1) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
    rest = line.textStart() + line.textLength();
  }
  layout.endLayout();
  const QString last = text.mid(rest).trimmed();
  if (!last.isEmpty()) lines << metrics.elidedText(last, Qt::ElideRight, width);
  return lines;
}

}  // namespace tekvo
