// Series contents and the redraw bookkeeping: points kept in ascending x,
// non-finite points refused, and a burst of changes costing one paint.
#include "chart/series.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_widget.h"

namespace korin::chart {
namespace {

std::vector<std::pair<double, double>> Contents(const Series& series) {
  std::vector<std::pair<double, double>> contents;
  for (const DataPoint& p : series.Points()) contents.emplace_back(p.x, p.y);
  return contents;
}

void DrawOnce(const Chart& chart) {
  QImage image(200, 150, QImage::Format_RGB32);
  QPainter painter(&image);
  chart.draw(painter, image.rect());
}

TEST(AddPoint, KeepsXAscendingAndEqualXInInsertionOrder) {
  using Points = std::vector<std::pair<double, double>>;
  const struct {
    const char* what;
    Points added;
    Points stored;
  } cases[] = {
      {"ascending, as the callers add",
       {{300, 1}, {301, 2}, {302, 3}},
       {{300, 1}, {301, 2}, {302, 3}}},
      {"descending", {{3, 1}, {2, 2}, {1, 3}}, {{1, 3}, {2, 2}, {3, 1}}},
      {"one in the middle", {{1, 1}, {3, 3}, {2, 2}}, {{1, 1}, {2, 2}, {3, 3}}},
      {"equal x", {{5, 1}, {5, 2}, {5, 3}}, {{5, 1}, {5, 2}, {5, 3}}},
      {"equal x added after a larger x", {{5, 1}, {6, 9}, {5, 2}}, {{5, 1}, {5, 2}, {6, 9}}},
      {"equal x before a smaller x", {{5, 1}, {4, 0}, {5, 2}}, {{4, 0}, {5, 1}, {5, 2}}},
  };
  for (const auto& c : cases) {
    Chart chart;
    LineSeries& series = chart.AddLineSeries(VerticalAxis::Left);
    for (const auto& [x, y] : c.added) EXPECT_TRUE(series.AddPoint(x, y));
    EXPECT_EQ(Contents(series), c.stored) << c.what;
  }
}

TEST(AddPoint, RefusesNonFiniteCoordinates) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Chart chart;
  AreaSeries& series = chart.AddAreaSeries(VerticalAxis::Right);
  ASSERT_TRUE(series.AddPoint(500, 1));
  for (const auto& [x, y] : {std::pair{nan, 1.0},
                             {500.0, nan},
                             {inf, 1.0},
                             {-inf, 1.0},
                             {500.0, inf},
                             {500.0, -inf},
                             {nan, nan}}) {
    EXPECT_FALSE(series.AddPoint(x, y)) << x << ", " << y;
  }
  EXPECT_EQ(Contents(series), (std::vector<std::pair<double, double>>{{500, 1}}));
  // The ranges see only finite points, so the chart still lays out and draws.
  const ChartLayout layout = chart.Arrange(QRect(0, 0, 300, 200));
  ASSERT_TRUE(layout.bottom.scale && layout.right.scale);
  EXPECT_TRUE(std::isfinite(layout.bottom.scale->Range().min));
  EXPECT_TRUE(std::isfinite(layout.right.scale->Range().max));
  DrawOnce(chart);
}

class RedrawCount : public ::testing::Test {
 protected:
  RedrawCount() {
    chart.SetRedrawHandler([this] { ++requests; });
    DrawOnce(chart);  // a fresh chart has never been drawn, so it starts stale
  }
  Chart chart;
  AreaSeries& emission = chart.AddAreaSeries(VerticalAxis::Left);
  AreaSeries& extinction = chart.AddAreaSeries(VerticalAxis::Right);
  int requests = 0;
};

TEST_F(RedrawCount, ASpectrumOfSinglePointsAsksForOneRedraw) {
  DrawOnce(chart);
  requests = 0;
  for (int nm = 100; nm <= 1500; ++nm) {
    ASSERT_TRUE(emission.AddPoint(nm, nm * 0.5));
    ASSERT_TRUE(extinction.AddPoint(nm, nm * 2.0));
  }
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(chart.IsDirty());
  DrawOnce(chart);
  EXPECT_FALSE(chart.IsDirty());
  emission.ClearSeries();
  EXPECT_EQ(requests, 2);
}

TEST_F(RedrawCount, OnlyRealChangesAskForARedraw) {
  DrawOnce(chart);
  requests = 0;
  emission.ClearSeries();  // already empty
  chart.BottomAxis().SetMinorTickCount(chart.BottomAxis().MinorTickCount());
  EXPECT_FALSE(emission.AddPoint(std::nan(""), 1));
  EXPECT_EQ(requests, 0);
  EXPECT_FALSE(chart.IsDirty());

  chart.BottomAxis().SetMinorTickCount(9);
  EXPECT_EQ(requests, 1);
  DrawOnce(chart);
  chart.SetTitleText(QStringLiteral("emission.ifx"));
  EXPECT_EQ(requests, 2);
}

TEST(ChartWidget, ManyPointsCostOnePaint) {
  ChartWidget widget;
  widget.resize(418, 231);
  widget.show();
  QCoreApplication::processEvents();

  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  widget.installEventFilter(&counter);

  AreaSeries& series = widget.chart().AddAreaSeries(VerticalAxis::Left);
  QCoreApplication::processEvents();
  counter.paints = 0;
  for (int nm = 100; nm <= 1500; ++nm) ASSERT_TRUE(series.AddPoint(nm, std::sin(nm / 50.0)));
  EXPECT_EQ(counter.paints, 0) << "points are drawn on paint, not when added";
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);
  EXPECT_FALSE(widget.chart().IsDirty());
}

}  // namespace
}  // namespace korin::chart
