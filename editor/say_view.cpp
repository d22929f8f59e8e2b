#include "editor/say_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace tekvo {
namespace {

constexpr double kSmallestPoints = 6;
constexpr double kPointStep = 0.5;
constexpr QChar kEllipsis(0x2026);

QFont AtPoints(QFont font, double points) {
  font.setPointSizeF(points);
  return font;
}

int LinesThatFit(const QFont& font, int height) {
  return std::max(1, height / std::max(1, QFontMetrics(font).lineSpacing()));
}

bool FitsOnOneLine(const QString& text, const QFont& font, int width) {
  return QFontMetrics(font).horizontalAdvance(text) <= width;
}

SayLayout Wrapped(const QString& text, const QFont& font, int width, int lines) {
  SayLayout layout{font, WrapSayText(text, font, width, lines), false};
  layout.cut = layout.lines.back().endsWith(kEllipsis) && !text.endsWith(kEllipsis);
  return layout;
}

}  // namespace

SayLayout LayOutSay(const QString& text, const QFont& font, QSize area) {
  const int width = area.width();
  if (FitsOnOneLine(text, font, width) || font.pointSizeF() <= 0) {
    return Wrapped(text, font, width, 1);
  }
  for (double points = font.pointSizeF(); points >= kSmallestPoints; points -= kPointStep) {
    const QFont smaller = AtPoints(font, points);
    if (FitsOnOneLine(text, smaller, width)) return {smaller, {text}, false};
    const int lines = LinesThatFit(smaller, area.height());
    if (lines >= 2) return Wrapped(text, smaller, width, lines);
  }
  return Wrapped(text, font, width, 1);
}

SayView::SayView(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SayView::ShowSay(const QString& text) {
  full_ = text;
  layout_ = LayOutSay(text, font(), contentsRect().size());
  setText(layout_.lines.join(u'\n'));
  setToolTip(layout_.cut ? text : QString());
  update();
}

void SayView::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (!full_.isEmpty()) ShowSay(full_);
}

void SayView::paintEvent(QPaintEvent*) {
  const QRect area = contentsRect();
  const QFontMetrics metrics(layout_.font);
  QPainter painter(this);
  painter.setFont(layout_.font);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  for (int i = 0; i < layout_.lines.size(); ++i) {
    painter.drawText(area.left(), area.top() + metrics.ascent() + i * metrics.lineSpacing(),
                     layout_.lines[i]);
  }
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
