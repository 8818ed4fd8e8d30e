// What the chart puts on pixels: frame, axis titles, fills, hatching and
// markers where the data-to-pixel mapping says, on an image of the size of
// the energy-transfer chart. Clearing and minor ticks are checked on the
// energy-transfer window itself (tests/plots).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "chart/chart.h"
#include "chart/pixels.h"

namespace korin::chart {
namespace {

const QColor kWall(255, 255, 255);
const QColor kFrame(0, 0, 0);
const QColor kFill(255, 128, 128);
const QColor kRedMarker(255, 0, 0);
const QColor kBlueMarker(0, 0, 255);
const QColor kHatch(128, 128, 255);

using korin::testing::Bluish;
using korin::testing::Count;
using korin::testing::Dark;
using korin::testing::Exactly;
using korin::testing::Reddish;

// A bell-shaped spectrum of whole nanometres.
void FillBell(Series& series, int first, int last, double peak_nm, double width, double height) {
  for (int nm = first; nm <= last; ++nm) {
    const double z = (nm - peak_nm) / width;
    ASSERT_TRUE(series.AddPoint(nm, height * std::exp(-z * z / 2)));
  }
}

class ChartRender : public ::testing::Test {
 protected:
  ChartRender() {
    chart.SetBackground(QColor(Qt::white));
    chart.SetBackWall({.fill = kWall, .frame = Pen{.colour = kFrame}});
    chart.SetMargins({.left = 1, .top = 2, .right = 1, .bottom = 2});
    chart.SetTitleVisible(false);
    chart.BottomAxis().SetTitle({QStringLiteral("Wavelength [nm]"), ChartFont{}, 0});
    chart.LeftAxis().SetTitle({QStringLiteral("Emission"), ChartFont{.colour = Qt::red}, 90});
    chart.LeftAxis().SetLabelsFont(ChartFont{.colour = Qt::red});
    chart.LeftAxis().SetGrid({.visible = false});
    chart.RightAxis().SetTitle({QStringLiteral("Extinction"), ChartFont{.colour = Qt::blue}, 90});
    chart.RightAxis().SetLabelsFont(ChartFont{.colour = Qt::blue});
    emission.SetColour(kFill);
    emission.SetAreaLinesPen({.colour = kFill, .fine_dots = true});
    emission.SetMarkerColour(kRedMarker);
    extinction.SetColour(kBlueMarker);
    extinction.SetAreaBrush(AreaBrush::Clear);
    extinction.SetAreaLinesPen({.colour = kHatch, .style = LineStyle::Dot, .fine_dots = true});
    extinction.SetMarkerColour(kBlueMarker);
  }

  QImage Render() {
    QImage image(418, 231, QImage::Format_RGB32);
    image.fill(Qt::green);  // anything the chart leaves unpainted shows
    QPainter painter(&image);
    chart.draw(painter, image.rect());
    painter.end();
    layout = chart.Arrange(image.rect());
    return image;
  }

  QPoint PixelOf(const DataPoint& p, const AxisLayout& vertical) const {
    return {layout.bottom.scale->PixelOf(p.x), vertical.scale->PixelOf(p.y)};
  }

  Chart chart;
  AreaSeries& emission = chart.AddAreaSeries(VerticalAxis::Left);
  AreaSeries& extinction = chart.AddAreaSeries(VerticalAxis::Right);
  ChartLayout layout;
};

TEST_F(ChartRender, EmptyChartStillDrawsFrameAxesAndTitles) {
  const QImage image = Render();
  const QRect& plot = layout.plot;
  ASSERT_GT(plot.width(), 300);
  ASSERT_GT(plot.height(), 150);
  EXPECT_EQ(Count(image, image.rect(), Exactly(Qt::green)), 0) << "the whole chart is painted";
  // The frame runs all the way round the plot area.
  EXPECT_EQ(Count(image, QRect(plot.left(), plot.top(), plot.width(), 1), Exactly(kFrame)),
            plot.width());
  EXPECT_EQ(Count(image, QRect(plot.left(), plot.bottom(), plot.width(), 1), Exactly(kFrame)),
            plot.width());
  EXPECT_EQ(Count(image, QRect(plot.left(), plot.top(), 1, plot.height()), Exactly(kFrame)),
            plot.height());
  EXPECT_EQ(Count(image, QRect(plot.right(), plot.top(), 1, plot.height()), Exactly(kFrame)),
            plot.height());
  // Each axis title in its colour on its side; nothing inside the plot.
  const QRect left_of_plot(0, 0, plot.left(), image.height());
  const QRect right_of_plot(plot.right() + 1, 0, image.width() - plot.right() - 1, image.height());
  const QRect below_plot(0, plot.bottom() + 1, image.width(), image.height() - plot.bottom() - 1);
  EXPECT_GT(Count(image, left_of_plot, Reddish()), 20);
  EXPECT_GT(Count(image, right_of_plot, Bluish()), 20);
  EXPECT_GT(Count(image, below_plot, Dark()), 40);
  EXPECT_EQ(Count(image, plot.adjusted(1, 1, -1, -1), Exactly(kWall)),
            (plot.width() - 2) * (plot.height() - 2));
  // No data, no scale: no labels or ticks yet.
  EXPECT_FALSE(layout.bottom.scale || layout.left.scale || layout.right.scale);
}

TEST_F(ChartRender, SeriesAppearWhereTheMappingSays) {
  FillBell(emission, 400, 600, 470, 18, 14.5);
  FillBell(extinction, 450, 700, 580, 30, 85000);
  const QImage image = Render();
  ASSERT_TRUE(layout.bottom.scale && layout.left.scale && layout.right.scale);

  // The extinction series is drawn last: every one of its points is blue.
  for (const DataPoint& p : extinction.Points()) {
    const QPoint at = PixelOf(p, layout.right);
    ASSERT_EQ(image.pixelColor(at).rgb(), kBlueMarker.rgb()) << p.x << " nm at " << at.x();
  }
  // Left of the extinction spectrum the emission stands alone: red squares
  // on the curve and light red below it, down to the plot's floor.
  int checked = 0;
  for (const DataPoint& p : emission.Points()) {
    if (p.x >= 445) break;
    const QPoint at = PixelOf(p, layout.left);
    for (int dy = -1; dy <= 1; ++dy)
      ASSERT_EQ(image.pixelColor(at.x(), at.y() + dy).rgb(), kRedMarker.rgb()) << p.x << " nm";
    const int floor = layout.plot.bottom();
    if (floor - at.y() > 4) {
      EXPECT_EQ(image.pixelColor(at.x(), floor - 1).rgb(), kFill.rgb()) << p.x;
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
  // Nothing is filled above the emission's highest point.
  int top = layout.plot.bottom();
  for (const DataPoint& p : emission.Points()) top = std::min(top, PixelOf(p, layout.left).y());
  EXPECT_EQ(top, layout.plot.top() + AreaSeries::kMarkerHalfSize + 1) << "the 2-pixel edge rule";
  const QRect above(layout.plot.left(), layout.plot.top(), layout.plot.width(),
                    top - 1 - layout.plot.top());
  EXPECT_EQ(Count(image, above, Exactly(kFill)), 0);
  EXPECT_EQ(Count(image, above, Exactly(kRedMarker)), 0);
}

TEST_F(ChartRender, MarkersKeepTwoPixelsFromEveryEdge) {
  FillBell(extinction, 300, 700, 500, 60, 1.0);
  const QImage image = Render();
  const QRect& plot = layout.plot;
  const auto points = extinction.Points();
  const QPoint first = PixelOf(points.front(), layout.right);
  const QPoint last = PixelOf(points.back(), layout.right);
  const QPoint peak = PixelOf(points[200], layout.right);
  EXPECT_EQ(first.x(), plot.left() + 2);
  EXPECT_EQ(last.x(), plot.right() - 2);
  EXPECT_EQ(peak.y(), plot.top() + 2);
  // The squares stop one pixel short of the frame, which stays whole.
  EXPECT_EQ(image.pixelColor(plot.left() + 1, first.y()).rgb(), kBlueMarker.rgb());
  EXPECT_EQ(image.pixelColor(plot.left(), first.y()).rgb(), kFrame.rgb());
  EXPECT_EQ(image.pixelColor(peak.x(), plot.top() + 1).rgb(), kBlueMarker.rgb());
  EXPECT_EQ(image.pixelColor(peak.x(), plot.top()).rgb(), kFrame.rgb());
}

TEST_F(ChartRender, HiddenMarkersLeaveTheFillAlone) {
  // A shaded band: two points at one height, the fill under them and no
  // squares on its corners; showing the markers again brings them back.
  ASSERT_TRUE(emission.AddPoint(400, 1.0));
  ASSERT_TRUE(emission.AddPoint(600, 1.0));
  ASSERT_TRUE(emission.AddPoint(600, 0.5));  // keeps the range off the band's top
  emission.SetMarkersVisible(false);
  QImage image = Render();
  EXPECT_FALSE(emission.MarkersVisible());
  EXPECT_EQ(Count(image, layout.plot, Exactly(kRedMarker)), 0);
  const QPoint corner = PixelOf(emission.Points()[0], layout.left);
  EXPECT_EQ(image.pixelColor(corner.x() + 1, corner.y() + 1).rgb(), kFill.rgb());

  emission.SetMarkersVisible(true);
  EXPECT_TRUE(chart.IsDirty());
  image = Render();
  EXPECT_EQ(image.pixelColor(corner.x() + 1, corner.y() + 1).rgb(), kRedMarker.rgb());
  EXPECT_EQ(Count(image, layout.plot, Exactly(kRedMarker)), 3 * 9);
}

TEST_F(ChartRender, ClearBrushShowsFineDottedVerticalLines) {
  FillBell(extinction, 300, 700, 500, 60, 1.0);
  const QImage image = Render();
  // 493 nm lies on no grid line; under the curve its column alternates
  // between the hatch and what lies beneath (wall or a horizontal grid dot).
  const QPoint at = PixelOf(extinction.Points()[193], layout.right);
  int hatch = 0;
  bool previous = image.pixel(at.x(), at.y() + 3) == kHatch.rgb();
  for (int y = at.y() + 4; y < layout.plot.bottom(); ++y) {
    const bool now = image.pixel(at.x(), y) == kHatch.rgb();
    ASSERT_NE(now, previous) << "row " << y;
    hatch += now;
    previous = now;
  }
  EXPECT_GT(hatch, 50);
}

TEST(ChartRenderLine, LineSeriesJoinsThePointsAndAFlatSpectrumRunsMidway) {
  Chart chart;
  chart.SetBackground(QColor(Qt::white));
  chart.SetTitleText(QString());
  LineSeries& series = chart.AddLineSeries(VerticalAxis::Left);
  series.SetColour(Qt::red);
  for (int nm = 400; nm <= 650; ++nm) ASSERT_TRUE(series.AddPoint(nm, 0.37));
  QImage image(345, 217, QImage::Format_RGB32);
  QPainter painter(&image);
  chart.draw(painter, image.rect());
  painter.end();
  const ChartLayout layout = chart.Arrange(image.rect());
  const int middle = (layout.plot.top() + layout.plot.bottom() + 1) / 2;
  // The ends stay inside the frame rather than under it.
  EXPECT_EQ(layout.bottom.scale->PixelOf(400), layout.plot.left() + 1);
  EXPECT_EQ(layout.bottom.scale->PixelOf(650), layout.plot.right() - 1);
  for (const DataPoint& p : series.Points()) {
    const QPoint at(layout.bottom.scale->PixelOf(p.x), layout.left.scale->PixelOf(p.y));
    ASSERT_EQ(image.pixel(at), QColor(Qt::red).rgb()) << p.x;
    ASSERT_NEAR(at.y(), middle, 1);
  }
  // The one empty title line is kept: the plot starts below it.
  EXPECT_GT(layout.plot.top(), layout.title.bottom());
  EXPECT_GE(layout.title.height(), 11);
}

}  // namespace
}  // namespace korin::chart
