#include "chart/chart.h"

#include <QFontMetricsF>
#include <QLine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace korin::chart {
namespace {

constexpr int kMajorTick = 4;  // tick lengths outside the frame, in pixels
constexpr int kMinorTick = 2;
constexpr int kLabelGap = 2;  // between tick ends and labels
constexpr int kTitleGap = 2;  // between labels and axis title, title and plot

int Ceil(double pixels) {
  return static_cast<int>(std::ceil(pixels));
}

// Text is measured as on screen, so that a print or an exported image is
// laid out exactly like the window, only drawn at the device's resolution.
QFontMetricsF Metrics(const ChartFont& font) {
  return QFontMetricsF(ToQFont(font));
}

// The on-screen box of an axis title's text once it is turned.
QSizeF TitleSize(const AxisTitle& title, const QFontMetricsF& metrics) {
  const QSizeF text(metrics.horizontalAdvance(title.caption), metrics.height());
  return std::abs(title.angle) % 180 == 90 ? text.transposed() : text;
}

// How far an axis title reaches away from the plot area, gap included.
int TitleBand(const Axis& axis) {
  const AxisTitle& title = axis.Title();
  if (title.caption.isEmpty()) return 0;
  const QSizeF size = TitleSize(title, Metrics(title.font));
  return kTitleGap + Ceil(axis.Side() == AxisSide::Bottom ? size.height() : size.width());
}

// A point `offset` pixels out from the plot's edge on `side`, at `along`
// (x for the bottom axis, y for the vertical ones).
QPoint Outward(AxisSide side, const QRect& plot, int along, int offset) {
  switch (side) {
    case AxisSide::Bottom:
      return {along, plot.bottom() + offset};
    case AxisSide::Left:
      return {plot.left() - offset, along};
    case AxisSide::Right:
      return {plot.right() + offset, along};
  }
  return {};
}

// A box of `size` that touches `anchor` with its edge facing the plot.
QRectF BoxOutward(AxisSide side, QPointF anchor, QSizeF size) {
  switch (side) {
    case AxisSide::Bottom:
      return {anchor.x() - size.width() / 2, anchor.y(), size.width(), size.height()};
    case AxisSide::Left:
      return {anchor.x() - size.width(), anchor.y() - size.height() / 2, size.width(),
              size.height()};
    case AxisSide::Right:
      return {anchor.x(), anchor.y() - size.height() / 2, size.width(), size.height()};
  }
  return {};
}

// Moves `box` inside `bounds` where it sticks out, as at the chart's corners.
QRectF KeepInside(QRectF box, const QRectF& bounds) {
  if (box.right() > bounds.right()) box.moveRight(bounds.right());
  if (box.left() < bounds.left()) box.moveLeft(bounds.left());
  if (box.bottom() > bounds.bottom()) box.moveBottom(bounds.bottom());
  if (box.top() < bounds.top()) box.moveTop(bounds.top());
  return box;
}

std::vector<QString> LabelTexts(const std::vector<double>& ticks) {
  std::vector<QString> labels;
  labels.reserve(ticks.size());
  for (const double tick : ticks) labels.push_back(QString::fromStdString(FormatAxisLabel(tick)));
  return labels;
}

double WidestLabel(const std::vector<QString>& labels, const QFontMetricsF& metrics) {
  double widest = 0.0;
  for (const QString& label : labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  return widest;
}

// Fills the major and minor ticks and labels once the scale's step is set.
void FillTicks(AxisLayout& layout, int minor_count) {
  layout.major_ticks = layout.scale->MajorTicks();
  layout.minor_ticks = layout.scale->MinorTicks(minor_count);
  layout.labels = LabelTexts(layout.major_ticks);
}

}  // namespace

// ----- Axis -----

Axis::Axis(Chart& owner, AxisSide side) : owner_(owner), side_(side) {
  title_.angle = side == AxisSide::Left ? 90 : side == AxisSide::Right ? 270 : 0;
}

void Axis::SetTitle(const AxisTitle& title) {
  title_ = title;
  owner_.MarkDirty();
}

void Axis::SetLabelsFont(const ChartFont& font) {
  labels_font_ = font;
  owner_.MarkDirty();
}

void Axis::SetGrid(const GridLines& grid) {
  grid_ = grid;
  owner_.MarkDirty();
}

void Axis::SetMinorTickCount(int count) {
  count = std::max(count, 0);
  if (count == minor_tick_count_) return;
  minor_tick_count_ = count;
  owner_.MarkDirty();
}

// ----- Chart: settings -----

Chart::Chart()
    : bottom_axis_(*this, AxisSide::Bottom),
      left_axis_(*this, AxisSide::Left),
      right_axis_(*this, AxisSide::Right) {}

Chart::~Chart() = default;

void Chart::MarkDirty() {
  if (dirty_) return;
  dirty_ = true;
  if (redraw_) redraw_();
}

void Chart::SetTitleText(const QString& text) {
  title_lines_ = QStringList{text};
  MarkDirty();
}

void Chart::SetTitleFont(const ChartFont& font) {
  title_font_ = font;
  MarkDirty();
}

void Chart::SetTitleVisible(bool visible) {
  title_visible_ = visible;
  MarkDirty();
}

void Chart::SetBackground(std::optional<ChartColour> colour) {
  background_ = colour;
  MarkDirty();
}

void Chart::SetBevel(Bevel bevel) {
  bevel_ = bevel;
  MarkDirty();
}

void Chart::SetBackWall(const BackWall& wall) {
  back_wall_ = wall;
  MarkDirty();
}

void Chart::SetMargins(const Margins& margins) {
  margins_ = margins;
  MarkDirty();
}

void Chart::SetPalette(const QPalette& palette) {
  palette_ = palette;
  MarkDirty();
}

template <typename S>
S& Chart::Add(VerticalAxis axis) {
  auto series = std::make_unique<S>(*this, axis);
  S& added = *series;
  series_.push_back(std::move(series));
  MarkDirty();
  return added;
}

LineSeries& Chart::AddLineSeries(VerticalAxis axis) {
  return Add<LineSeries>(axis);
}
AreaSeries& Chart::AddAreaSeries(VerticalAxis axis) {
  return Add<AreaSeries>(axis);
}
void Chart::ClearAllSeries() {
  series_.clear();
  MarkDirty();
}

// ----- Chart: layout -----

namespace {

bool Serves(const Axis& axis, const Series& series) {
  switch (axis.Side()) {
    case AxisSide::Bottom:
      return true;
    case AxisSide::Left:
      return series.Axis() == VerticalAxis::Left;
    case AxisSide::Right:
      return series.Axis() == VerticalAxis::Right;
  }
  return false;
}

}  // namespace

bool Chart::IsDrawn(const Axis& axis) const {
  if (axis.Side() == AxisSide::Bottom || !axis.Title().caption.isEmpty()) return true;
  return std::any_of(series_.begin(), series_.end(),
                     [&](const auto& series) { return Serves(axis, *series); });
}

std::optional<AxisRange> Chart::Range(const Axis& axis) const {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (const auto& series : series_) {
    if (!Serves(axis, *series)) continue;
    for (const DataPoint& p : series->Points()) {
      const double v = axis.Side() == AxisSide::Bottom ? p.x : p.y;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  if (lo > hi) return std::nullopt;
  return AutomaticRange(lo, hi);
}

int Chart::EdgeClearance(const Axis& axis) const {
  int clearance = 0;
  for (const auto& series : series_) {
    if (Serves(axis, *series) && !series->Points().empty())
      clearance = std::max(clearance, series->EdgeClearance());
  }
  return clearance;
}

AxisLayout Chart::ArrangeVertical(const Axis& axis, const QRect& plot) const {
  AxisLayout layout;
  layout.drawn = IsDrawn(axis);
  if (!layout.drawn) return layout;
  const auto range = Range(axis);
  if (range) {
    const int clearance = EdgeClearance(axis);
    layout.scale.emplace(*range, plot.bottom() - clearance, plot.top() + clearance);
    const QFontMetricsF metrics = Metrics(axis.LabelsFont());
    // Labels stacked one above the other need a line's height of air.
    const double spacing = 2 * metrics.height();
    layout.scale->ChooseStep([spacing](double) { return spacing; });
    FillTicks(layout, axis.MinorTickCount());
    layout.label_band = Ceil(WidestLabel(layout.labels, metrics));
  }
  return layout;
}

ChartLayout Chart::Arrange(const QRect& area) const {
  ChartLayout layout;
  layout.content = bevel_ == Bevel::Raised ? area.adjusted(1, 1, -1, -1) : area;
  const QRect& content = layout.content;
  QRect inner = content.adjusted(
      content.width() * margins_.left / 100, content.height() * margins_.top / 100,
      -(content.width() * margins_.right / 100), -(content.height() * margins_.bottom / 100));

  if (title_visible_) {
    const QFontMetricsF metrics = Metrics(title_font_);
    const int height = Ceil(metrics.lineSpacing() * static_cast<double>(title_lines_.size()));
    layout.title = QRect(inner.left(), inner.top(), inner.width(), height);
    inner.setTop(inner.top() + height + kTitleGap);
  }

  // The bottom band does not depend on the labels' texts, so the plot's
  // height is known before the vertical axes choose their steps.
  const QFontMetricsF bottom_metrics = Metrics(bottom_axis_.LabelsFont());
  layout.bottom.drawn = true;
  layout.bottom.label_band = Ceil(bottom_metrics.height());
  const int bottom_band =
      kMajorTick + kLabelGap + layout.bottom.label_band + TitleBand(bottom_axis_);
  QRect plot(inner.left(), inner.top(), inner.width(), inner.height() - bottom_band);

  layout.left = ArrangeVertical(left_axis_, plot);
  layout.right = ArrangeVertical(right_axis_, plot);
  const auto side_band = [&](const Axis& axis, const AxisLayout& arranged) {
    if (!arranged.drawn) return 0;
    return kMajorTick + kLabelGap + arranged.label_band + TitleBand(axis);
  };
  plot.setLeft(plot.left() + side_band(left_axis_, layout.left));
  plot.setRight(plot.right() - side_band(right_axis_, layout.right));
  layout.plot = plot;

  if (const auto range = Range(bottom_axis_)) {
    const int clearance = EdgeClearance(bottom_axis_);
    AxisScale& scale =
        layout.bottom.scale.emplace(*range, plot.left() + clearance, plot.right() - clearance);
    // Labels side by side need the widest of them plus two digits of air.
    const double air = 2 * bottom_metrics.horizontalAdvance(QLatin1Char('0'));
    scale.ChooseStep([&](double step) {
      AxisScale trial = scale;
      trial.SetStep(step);
      return WidestLabel(LabelTexts(trial.MajorTicks()), bottom_metrics) + air;
    });
    FillTicks(layout.bottom, bottom_axis_.MinorTickCount());
  }
  return layout;
}

// ----- Chart: drawing -----

void Chart::DrawAxis(QPainter& painter, const Axis& axis, const AxisLayout& layout,
                     const ChartLayout& chart) const {
  if (!layout.drawn) return;
  const AxisSide side = axis.Side();
  const QRect& plot = chart.plot;
  const QRectF bounds(chart.content);

  if (layout.scale) {
    QList<QLine> ticks;
    for (const double tick : layout.major_ticks) {
      const int along = layout.scale->PixelOf(tick);
      ticks.append(QLine(Outward(side, plot, along, 1), Outward(side, plot, along, kMajorTick)));
    }
    for (const double tick : layout.minor_ticks) {
      const int along = layout.scale->PixelOf(tick);
      ticks.append(QLine(Outward(side, plot, along, 1), Outward(side, plot, along, kMinorTick)));
    }
    painter.setPen(ToQPen(Pen{}));
    painter.drawLines(ticks);

    const QFontMetricsF metrics = Metrics(axis.LabelsFont());
    painter.setFont(ToQFont(axis.LabelsFont()));
    painter.setPen(axis.LabelsFont().colour);
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
      const QString& label = layout.labels[i];
      const int along = layout.scale->PixelOf(layout.major_ticks[i]);
      const QRectF box = BoxOutward(side, Outward(side, plot, along, kMajorTick + kLabelGap),
                                    QSizeF(metrics.horizontalAdvance(label), metrics.height()));
      painter.drawText(KeepInside(box, bounds), Qt::AlignCenter, label);
    }
  }

  const AxisTitle& title = axis.Title();
  if (title.caption.isEmpty()) return;
  const QFontMetricsF metrics = Metrics(title.font);
  const int offset = kMajorTick + kLabelGap + layout.label_band + kTitleGap;
  const int middle = side == AxisSide::Bottom ? plot.center().x() : plot.center().y();
  const QRectF box =
      BoxOutward(side, Outward(side, plot, middle, offset), TitleSize(title, metrics));
  const QSizeF text(metrics.horizontalAdvance(title.caption), metrics.height());
  painter.save();
  painter.translate(box.center());
  painter.rotate(-title.angle);
  painter.setFont(ToQFont(title.font));
  painter.setPen(title.font.colour);
  painter.drawText(QRectF(QPointF(-text.width() / 2, -text.height() / 2), text), Qt::AlignCenter,
                   title.caption);
  painter.restore();
}

void Chart::draw(QPainter& painter, QRect area) const {
  dirty_ = false;
  if (area.isEmpty()) return;
  const ChartLayout layout = Arrange(area);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);

  if (background_) painter.fillRect(area, background_->Resolve(palette_));
  if (bevel_ == Bevel::Raised) {
    const QRect& edge = area;  // right() and bottom() are the last pixels
    painter.setPen(ToQPen(Pen{.colour = palette_.color(QPalette::Light)}));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(ToQPen(Pen{.colour = palette_.color(QPalette::Dark)}));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
  }

  const QRect& plot = layout.plot;
  if (plot.width() > 2 && plot.height() > 2) {
    if (back_wall_.fill) painter.fillRect(plot, back_wall_.fill->Resolve(palette_));

    // Grid, then series, inside the frame; the frame is drawn over both.
    painter.save();
    painter.setClipRect(plot.adjusted(1, 1, -1, -1));
    const QRect inside = plot.adjusted(1, 1, -1, -1);
    const auto grid = [&](const Axis& axis, const AxisLayout& arranged) {
      if (!arranged.scale || !axis.Grid().visible) return;
      QList<QLine> lines;
      for (const double tick : arranged.major_ticks) {
        const int at = arranged.scale->PixelOf(tick);
        lines.append(axis.Side() == AxisSide::Bottom
                         ? QLine(at, inside.top(), at, inside.bottom())
                         : QLine(inside.left(), at, inside.right(), at));
      }
      painter.setPen(ToQPen(axis.Grid().pen));
      painter.drawLines(lines);
    };
    grid(bottom_axis_, layout.bottom);
    grid(left_axis_, layout.left);
    grid(right_axis_, layout.right);

    painter.setClipRect(plot);
    for (const auto& series : series_) {
      const AxisLayout& vertical =
          series->Axis() == VerticalAxis::Left ? layout.left : layout.right;
      if (layout.bottom.scale && vertical.scale)
        series->Draw(painter, *layout.bottom.scale, *vertical.scale, plot);
    }
    painter.restore();

    painter.setPen(ToQPen(back_wall_.frame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
  }

  DrawAxis(painter, bottom_axis_, layout.bottom, layout);
  DrawAxis(painter, left_axis_, layout.left, layout);
  DrawAxis(painter, right_axis_, layout.right, layout);

  if (!layout.title.isEmpty()) {
    const QFontMetricsF metrics = Metrics(title_font_);
    painter.setFont(ToQFont(title_font_));
    painter.setPen(title_font_.colour);
    QRectF line(plot.left(), layout.title.top(), plot.width(), metrics.lineSpacing());
    for (const QString& text : title_lines_) {
      painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop, text);
      line.translate(0, metrics.lineSpacing());
    }
  }
  painter.restore();
}

}  // namespace korin::chart
