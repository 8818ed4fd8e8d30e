// The look of chart elements as the window layouts describe it: colours
// that are fixed or follow a system colour, fonts by pixel height, pens
// with the fine-dot option.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPen>
#include <QString>
#include <variant>

namespace korin::chart {

// A colour as a layout names it: a fixed RGB value or a system colour,
// which follows the palette the chart is drawn with.
class ChartColour {
 public:
  // Implicit on purpose: a layout writes Qt::red or QPalette::Base alike.
  ChartColour(QColor rgb) : value_(rgb) {}
  ChartColour(Qt::GlobalColor rgb) : value_(QColor(rgb)) {}
  ChartColour(QPalette::ColorRole role) : value_(role) {}

  [[nodiscard]] QColor Resolve(const QPalette& palette) const;

 private:
  std::variant<QColor, QPalette::ColorRole> value_;
};

// A font by family, pixel height and colour. Pixel heights keep the layouts
// identical whatever the screen's dots per inch.
struct ChartFont {
  QString family = QStringLiteral("Arial");
  int pixel_height = 11;  // 8 pt at 96 pixels per inch
  QColor colour = Qt::black;
  bool bold = false;
};

// The QFont for `family` at `pixel_height`. A family that is not installed
// falls back to the metric twin of Arial, then to any sans font, so label
// widths stay close to the designed ones.
[[nodiscard]] QFont PixelFont(const QString& family, int pixel_height, bool bold = false);
[[nodiscard]] inline QFont ToQFont(const ChartFont& font) {
  return PixelFont(font.family, font.pixel_height, font.bold);
}

enum class LineStyle { Solid, Dash, Dot };

struct Pen {
  QColor colour = Qt::black;
  LineStyle style = LineStyle::Solid;
  // A 1-pixel pen with every other pixel set, whatever the style.
  bool fine_dots = false;
};

// The QPen for `pen`: one pixel wide at the chart's own scale, so a print
// keeps the on-screen proportions.
[[nodiscard]] QPen ToQPen(const Pen& pen);

}  // namespace korin::chart
