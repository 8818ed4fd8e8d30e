// The data series of a chart: points kept in ascending x, drawn as a line
// or as an area with point markers.
#pragma once

#include <QColor>
#include <QString>
#include <span>
#include <vector>

#include "chart/chart_style.h"

class QPainter;
class QRect;

namespace korin::chart {

class AxisScale;
class Chart;

struct DataPoint {
  double x = 0.0;
  double y = 0.0;
};

enum class VerticalAxis { Left, Right };

class Series {
 public:
  virtual ~Series() = default;
  Series(const Series&) = delete;
  Series& operator=(const Series&) = delete;

  // Removes every point. An already empty series stays as it is and asks
  // for no redraw.
  void ClearSeries();
  // Inserts the point after every point whose x is not greater, so equal x
  // keep the order they came in. A point with a NaN or infinite coordinate
  // is refused (answers false) and never reaches the drawing.
  bool AddPoint(double x, double y);

  [[nodiscard]] std::span<const DataPoint> Points() const { return points_; }
  [[nodiscard]] VerticalAxis Axis() const { return axis_; }

  [[nodiscard]] const QString& Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }
  [[nodiscard]] QColor Colour() const { return colour_; }
  void SetColour(QColor colour);

  // Pixels the automatic range keeps free between the outermost points and
  // the plot area's edges: the frame covers the edge pixels themselves, and
  // a marker must not be cut.
  [[nodiscard]] virtual int EdgeClearance() const { return 1; }

  // Draws the points against the two scales inside `plot` (frame included).
  virtual void Draw(QPainter& painter, const AxisScale& x, const AxisScale& y,
                    const QRect& plot) const = 0;

 protected:
  Series(Chart& owner, VerticalAxis axis) : owner_(owner), axis_(axis) {}
  void Changed();

 private:
  Chart& owner_;
  VerticalAxis axis_;
  std::vector<DataPoint> points_;
  QString title_;
  QColor colour_ = Qt::red;
};

// Neighbouring points joined by straight 1-pixel solid segments in the
// series colour; no markers.
class LineSeries final : public Series {
 public:
  LineSeries(Chart& owner, VerticalAxis axis) : Series(owner, axis) {}
  void Draw(QPainter& painter, const AxisScale& x, const AxisScale& y,
            const QRect& plot) const override;
};

enum class AreaBrush { Solid, Clear };

// The region under the curve down to the bottom of the plot area, one
// four-cornered piece per pair of neighbouring points, filled with the area
// brush and outlined with the area-lines pen (which so draws the curve and
// a vertical line under every point), and a filled square marker of
// half-size 1 on every point unless the markers are hidden.
class AreaSeries final : public Series {
 public:
  static constexpr int kMarkerHalfSize = 1;

  AreaSeries(Chart& owner, VerticalAxis axis) : Series(owner, axis) {}

  void SetAreaBrush(AreaBrush brush);
  void SetAreaLinesPen(const Pen& pen);
  void SetMarkerColour(QColor colour);
  [[nodiscard]] QColor MarkerColour() const { return marker_colour_; }
  // A band shaded behind other series (a range, not data) wants no markers.
  void SetMarkersVisible(bool visible);
  [[nodiscard]] bool MarkersVisible() const { return markers_visible_; }

  [[nodiscard]] int EdgeClearance() const override { return kMarkerHalfSize + 1; }
  void Draw(QPainter& painter, const AxisScale& x, const AxisScale& y,
            const QRect& plot) const override;

 private:
  AreaBrush brush_ = AreaBrush::Solid;
  Pen area_lines_pen_;
  QColor marker_colour_ = Qt::red;
  bool markers_visible_ = true;
};

}  // namespace korin::chart
