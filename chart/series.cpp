#include "chart/series.h"

#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <algorithm>
#include <cmath>

#include "chart/axis_scale.h"
#include "chart/chart.h"

namespace korin::chart {
namespace {

// The points in device pixels, in the order they are stored.
QPolygon ToPixels(std::span<const DataPoint> points, const AxisScale& x, const AxisScale& y) {
  QPolygon pixels;
  pixels.reserve(static_cast<qsizetype>(points.size()));
  for (const DataPoint& p : points) pixels.append(QPoint(x.PixelOf(p.x), y.PixelOf(p.y)));
  return pixels;
}

}  // namespace

void Series::Changed() {
  owner_.MarkDirty();
}

void Series::ClearSeries() {
  if (points_.empty()) return;
  points_.clear();
  Changed();
}

bool Series::AddPoint(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  // Callers add in ascending x, so this is an append in practice.
  const auto after = std::upper_bound(points_.begin(), points_.end(), x,
                                      [](double value, const DataPoint& p) { return value < p.x; });
  points_.insert(after, DataPoint{x, y});
  Changed();
  return true;
}

void Series::SetColour(QColor colour) {
  colour_ = colour;
  Changed();
}

void LineSeries::Draw(QPainter& painter, const AxisScale& x, const AxisScale& y,
                      const QRect& /*plot*/) const {
  if (Points().size() < 2) return;
  painter.setPen(ToQPen(Pen{.colour = Colour()}));
  painter.drawPolyline(ToPixels(Points(), x, y));
}

void AreaSeries::SetAreaBrush(AreaBrush brush) {
  brush_ = brush;
  Changed();
}

void AreaSeries::SetAreaLinesPen(const Pen& pen) {
  area_lines_pen_ = pen;
  Changed();
}

void AreaSeries::SetMarkerColour(QColor colour) {
  marker_colour_ = colour;
  Changed();
}

void AreaSeries::SetMarkersVisible(bool visible) {
  if (markers_visible_ == visible) return;
  markers_visible_ = visible;
  Changed();
}

void AreaSeries::Draw(QPainter& painter, const AxisScale& x, const AxisScale& y,
                      const QRect& plot) const {
  const QPolygon curve = ToPixels(Points(), x, y);
  const int floor = plot.bottom();
  if (curve.size() >= 2) {
    // The pieces between neighbours tile the region under the curve, so one
    // polygon fills them all, and their outlines come down to the curve, the
    // vertical lines under the points and the floor line.
    if (brush_ == AreaBrush::Solid) {
      QPolygon region = curve;
      region.append(QPoint(curve.last().x(), floor));
      region.append(QPoint(curve.first().x(), floor));
      painter.setPen(Qt::NoPen);
      painter.setBrush(Colour());
      painter.drawPolygon(region);
      painter.setBrush(Qt::NoBrush);
    }
    painter.setPen(ToQPen(area_lines_pen_));
    painter.drawPolyline(curve);
    // Dotted lines start on pixels of one parity of x + y: lines that share
    // a column share their dots, and neighbouring columns interleave, so a
    // dense spectrum gives an even tint rather than horizontal stripes.
    QList<QLine> verticals;
    verticals.reserve(curve.size() + 1);
    for (const QPoint& p : curve)
      verticals.append(QLine(p.x(), floor - ((p.x() + floor) & 1), p.x(), p.y()));
    verticals.append(QLine(curve.first().x(), floor, curve.last().x(), floor));
    painter.drawLines(verticals);
  }
  if (!markers_visible_) return;
  // Markers: flat filled squares, no border.
  constexpr int side = 2 * kMarkerHalfSize + 1;
  for (const QPoint& p : curve) {
    painter.fillRect(QRect(p.x() - kMarkerHalfSize, p.y() - kMarkerHalfSize, side, side),
                     marker_colour_);
  }
}

}  // namespace korin::chart
