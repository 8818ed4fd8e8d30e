// A chart: title, back wall, margins, the bottom, left and right axes and
// the series drawn against them. It is not a widget: one draw() serves the
// screen (ChartWidget), printing and image export alike.
#pragma once

#include <QPalette>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "chart/axis_scale.h"
#include "chart/chart_style.h"
#include "chart/series.h"

class QPainter;

namespace korin::chart {

enum class AxisSide { Bottom, Left, Right };

struct AxisTitle {
  QString caption;
  ChartFont font;
  // Degrees counter-clockwise, a multiple of 90: 0 runs across, 90 reads
  // upwards, 270 downwards.
  int angle = 0;
};

struct GridLines {
  bool visible = true;
  Pen pen{.colour = QColor(128, 128, 128), .style = LineStyle::Dot};
};

class Axis {
 public:
  Axis(const Axis&) = delete;
  Axis& operator=(const Axis&) = delete;

  [[nodiscard]] AxisSide Side() const { return side_; }

  [[nodiscard]] const AxisTitle& Title() const { return title_; }
  void SetTitle(const AxisTitle& title);
  [[nodiscard]] const ChartFont& LabelsFont() const { return labels_font_; }
  void SetLabelsFont(const ChartFont& font);
  [[nodiscard]] const GridLines& Grid() const { return grid_; }
  void SetGrid(const GridLines& grid);

  // Minor ticks between two major ticks; a negative count counts as 0. The
  // chart redraws only when the count changes.
  [[nodiscard]] int MinorTickCount() const { return minor_tick_count_; }
  void SetMinorTickCount(int count);

 private:
  friend class Chart;
  Axis(Chart& owner, AxisSide side);

  Chart& owner_;
  AxisSide side_;
  AxisTitle title_;
  ChartFont labels_font_;
  GridLines grid_;
  int minor_tick_count_ = 3;
};

struct Margins {  // whole per cent of the chart's width (left, right) or height
  int left = 3;
  int top = 4;
  int right = 3;
  int bottom = 4;
};

struct BackWall {
  std::optional<ChartColour> fill;  // none: the chart background shows through
  Pen frame;
};

enum class Bevel { None, Raised };

// Where draw() puts things, computed without painting so that tests and
// callers can find a point's pixel.
struct AxisLayout {
  bool drawn = false;
  std::optional<AxisScale> scale;  // none while no series on it has points
  std::vector<double> major_ticks;
  std::vector<double> minor_ticks;
  std::vector<QString> labels;  // one per major tick
  int label_band = 0;           // pixels the labels take away from the plot
};

struct ChartLayout {
  QRect content;  // inside the bevel
  QRect title;    // empty when the title is hidden
  QRect plot;     // the back wall; its frame runs along its border pixels
  AxisLayout bottom;
  AxisLayout left;
  AxisLayout right;
};

class Chart {
 public:
  Chart();
  ~Chart();
  Chart(const Chart&) = delete;
  Chart& operator=(const Chart&) = delete;

  [[nodiscard]] Axis& BottomAxis() { return bottom_axis_; }
  [[nodiscard]] Axis& LeftAxis() { return left_axis_; }
  [[nodiscard]] Axis& RightAxis() { return right_axis_; }
  [[nodiscard]] const Axis& BottomAxis() const { return bottom_axis_; }
  [[nodiscard]] const Axis& LeftAxis() const { return left_axis_; }
  [[nodiscard]] const Axis& RightAxis() const { return right_axis_; }

  // The title's lines are replaced by the one text.
  void SetTitleText(const QString& text);
  [[nodiscard]] const QStringList& TitleLines() const { return title_lines_; }
  void SetTitleFont(const ChartFont& font);
  void SetTitleVisible(bool visible);

  void SetBackground(std::optional<ChartColour> colour);
  void SetBevel(Bevel bevel);
  void SetBackWall(const BackWall& wall);
  void SetMargins(const Margins& margins);
  // The palette that system colours are taken from.
  void SetPalette(const QPalette& palette);

  LineSeries& AddLineSeries(VerticalAxis axis);
  AreaSeries& AddAreaSeries(VerticalAxis axis);
  // Removes every series, for a chart whose series change in number.
  void ClearAllSeries();
  [[nodiscard]] std::size_t SeriesCount() const { return series_.size(); }

  // Called when the chart turns stale after being drawn; a widget passes
  // its update() so that a burst of changes costs one paint.
  void SetRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }
  [[nodiscard]] bool IsDirty() const { return dirty_; }

  // The positions draw() uses for `area`.
  [[nodiscard]] ChartLayout Arrange(const QRect& area) const;
  // Draws the whole chart into `area` with the painter's current transform.
  void draw(QPainter& painter, QRect area) const;

 private:
  friend class Series;
  friend class Axis;
  void MarkDirty();

  template <typename S>
  S& Add(VerticalAxis axis);
  [[nodiscard]] bool IsDrawn(const Axis& axis) const;
  [[nodiscard]] std::optional<AxisRange> Range(const Axis& axis) const;
  [[nodiscard]] int EdgeClearance(const Axis& axis) const;
  [[nodiscard]] AxisLayout ArrangeVertical(const Axis& axis, const QRect& plot) const;
  void DrawAxis(QPainter& painter, const Axis& axis, const AxisLayout& layout,
                const ChartLayout& chart) const;

  Axis bottom_axis_;
  Axis left_axis_;
  Axis right_axis_;
  std::vector<std::unique_ptr<Series>> series_;

  QStringList title_lines_;
  ChartFont title_font_{.colour = Qt::blue};
  bool title_visible_ = true;
  std::optional<ChartColour> background_;
  Bevel bevel_ = Bevel::None;
  BackWall back_wall_;
  Margins margins_;
  QPalette palette_;

  std::function<void()> redraw_;
  mutable bool dirty_ = true;  // never drawn yet
};

}  // namespace korin::chart
