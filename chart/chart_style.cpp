#include "chart/chart_style.h"

#include <QList>

namespace korin::chart {

QColor ChartColour::Resolve(const QPalette& palette) const {
  if (const auto* rgb = std::get_if<QColor>(&value_)) return *rgb;
  return palette.color(QPalette::Active, std::get<QPalette::ColorRole>(value_));
}

QFont PixelFont(const QString& family, int pixel_height, bool bold) {
  QFont font;
  font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_height);
  font.setBold(bold);
  return font;
}

QPen ToQPen(const Pen& pen) {
  QPen qpen(pen.colour, 1.0);
  // Solid lines keep the square cap, which sets both end pixels; dashes
  // need flat caps, or a square cap would grow each dot into its gap.
  if (pen.fine_dots || pen.style != LineStyle::Solid) qpen.setCapStyle(Qt::FlatCap);
  if (pen.fine_dots) {
    qpen.setDashPattern(QList<qreal>{1.0, 1.0});
    return qpen;
  }
  switch (pen.style) {
    case LineStyle::Solid:
      qpen.setStyle(Qt::SolidLine);
      break;
    case LineStyle::Dash:
      qpen.setDashPattern(QList<qreal>{4.0, 2.0});
      break;
    case LineStyle::Dot:
      qpen.setDashPattern(QList<qreal>{1.0, 2.0});
      break;
  }
  return qpen;
}

}  // namespace korin::chart
