// The energy-transfer plot as a user sees it: the chart and the two file
// labels in place, axis titles in their colours, the emission as a light red
// region under red squares and the extinction as blue squares, each on its
// own vertical scale.
#include "plots/energy_transfer_plot.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "chart/pixels.h"
#include "plots/object_names.h"

namespace korin {
namespace {

using chart::AxisLayout;
using chart::ChartLayout;
using chart::DataPoint;
using testing::Bluish;
using testing::Count;
using testing::Dark;
using testing::Exactly;
using testing::Reddish;

const QColor kLightRedFill(255, 128, 128);
const QColor kRedSquare(255, 0, 0);
const QColor kBlueSquare(0, 0, 255);

double Bell(double nm, double peak, double width) {
  const double z = (nm - peak) / width;
  return std::exp(-z * z / 2);
}

class EnergyTransferPlot : public ::testing::Test {
 protected:
  // The donor emission (already normalised and scaled) and the acceptor's
  // extinction coefficient, as the calculation writes them.
  void LoadBoth() {
    for (int nm = 430; nm <= 650; ++nm)
      ASSERT_TRUE(plot.EmissionSeries().AddPoint(nm, 14.2 * Bell(nm, 515, 15)));
    for (int nm = 505; nm <= 700; ++nm)
      ASSERT_TRUE(plot.ExtinctionSeries().AddPoint(nm, 85000 * Bell(nm, 570, 18)));
  }

  QImage RenderChart() {
    QWidget& widget = *plot.findChild<QWidget*>(names::kChart);
    const QImage image = widget.grab().toImage();
    layout = plot.chart().Arrange(widget.rect());
    return image;
  }

  QPoint PixelOf(const DataPoint& p, const AxisLayout& vertical) const {
    return {layout.bottom.scale->PixelOf(p.x), vertical.scale->PixelOf(p.y)};
  }

  EnergyTransferPlotWindow plot;
  ChartLayout layout;
};

TEST_F(EnergyTransferPlot, ChartAndFileLabelsStandWhereDesigned) {
  const auto* chart = plot.findChild<QWidget*>(names::kChart);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->geometry(), QRect(0, 0, 418, 231));
  EXPECT_EQ(chart->parentWidget(), &plot.ClientArea());

  const struct {
    QLabel& label;
    const char* text;
    QPoint place;
  } labels[] = {
      {plot.EmissionFileLabel(), "Emission File: ", QPoint(2, 237)},
      {plot.AbsorptionFileLabel(), "Absorption File:", QPoint(2, 256)},
  };
  for (const auto& l : labels) {
    EXPECT_EQ(l.label.text().toStdString(), l.text);
    EXPECT_EQ(l.label.pos(), l.place) << l.text;
    EXPECT_EQ(QFontInfo(l.label.font()).pixelSize(), 11) << l.text;
    EXPECT_LE(l.label.geometry().bottom(), 268) << l.text << " inside the client area";
  }
}

TEST_F(EnergyTransferPlot, FileLabelsAreRedAndBlue) {
  plot.EmissionFileLabel().setText(
      QStringLiteral("Emission File: a_rather_long_donor_file_name.ifx"));
  const QImage window = plot.ClientArea().grab().toImage();
  const QRect label1 = plot.EmissionFileLabel().geometry();
  const QRect label2 = plot.AbsorptionFileLabel().geometry();
  EXPECT_GT(Count(window, label1, Reddish()), 40);
  EXPECT_EQ(Count(window, label1, Bluish()), 0);
  EXPECT_GT(Count(window, label2, Bluish()), 40);
  EXPECT_EQ(Count(window, label2, Reddish()), 0);
  // The long name shows whole: text reaches far to the right.
  EXPECT_GT(Count(window, QRect(200, label1.top(), 100, label1.height()), Reddish()), 10);
}

TEST_F(EnergyTransferPlot, EmptyChartShowsFrameAxesAndTitlesInTheirColours) {
  const QImage image = RenderChart();
  const QRect& plot_area = layout.plot;
  EXPECT_EQ(Count(image, QRect(plot_area.topLeft(), QSize(plot_area.width(), 1)), Dark()),
            plot_area.width());
  const QRect left(0, 0, plot_area.left(), image.height());
  const QRect right(plot_area.right() + 1, 0, image.width() - plot_area.right() - 1,
                    image.height());
  const QRect below(0, plot_area.bottom() + 1, image.width(), image.height());
  EXPECT_GT(Count(image, left, Reddish()), 100) << "Donor  -  Normalized Emission";
  EXPECT_GT(Count(image, right, Bluish()), 100) << "Acceptor  -  Extinction Coefficient ";
  EXPECT_GT(Count(image, below, Dark()), 60) << "Wavelength [nm]";
  EXPECT_EQ(Count(image, plot_area, Exactly(kRedSquare)), 0);
  EXPECT_EQ(Count(image, plot_area, Exactly(kBlueSquare)), 0);
}

TEST_F(EnergyTransferPlot, SpectraAppearWhereTheMappingSays) {
  LoadBoth();
  const QImage image = RenderChart();
  ASSERT_TRUE(layout.bottom.scale && layout.left.scale && layout.right.scale);

  for (const DataPoint& p : plot.ExtinctionSeries().Points())
    ASSERT_EQ(image.pixel(PixelOf(p, layout.right)), kBlueSquare.rgb()) << p.x << " nm";
  int filled = 0;
  for (const DataPoint& p : plot.EmissionSeries().Points()) {
    if (p.x >= 502) break;  // beyond here the extinction's hatch lies over it
    const QPoint at = PixelOf(p, layout.left);
    ASSERT_EQ(image.pixel(at), kRedSquare.rgb()) << p.x << " nm";
    if (layout.plot.bottom() - at.y() > 4) {
      EXPECT_EQ(image.pixel(at.x(), layout.plot.bottom() - 1), kLightRedFill.rgb()) << p.x;
      ++filled;
    }
  }
  EXPECT_GT(filled, 10);

  // Each vertical axis scales to its own series: both peaks reach the top,
  // two pixels under the frame.
  const auto highest = [&](const chart::AreaSeries& series, const AxisLayout& axis) {
    int top = layout.plot.bottom();
    for (const DataPoint& p : series.Points()) top = std::min(top, PixelOf(p, axis).y());
    return top;
  };
  EXPECT_EQ(highest(plot.EmissionSeries(), layout.left), layout.plot.top() + 2);
  EXPECT_EQ(highest(plot.ExtinctionSeries(), layout.right), layout.plot.top() + 2);
}

TEST_F(EnergyTransferPlot, OneSpectrumLeavesTheOtherAxisWithoutData) {
  for (int nm = 430; nm <= 650; ++nm)
    ASSERT_TRUE(plot.EmissionSeries().AddPoint(nm, 14.2 * Bell(nm, 515, 15)));
  const QImage image = RenderChart();
  EXPECT_TRUE(layout.left.scale.has_value());
  EXPECT_FALSE(layout.right.scale.has_value());
  EXPECT_TRUE(layout.right.labels.empty());
  EXPECT_EQ(Count(image, layout.plot, Exactly(kBlueSquare)), 0);
}

TEST_F(EnergyTransferPlot, ClearSeriesEmptiesThePlot) {
  LoadBoth();
  const QImage empty_before = [&] {
    EnergyTransferPlotWindow fresh;
    QWidget& widget = *fresh.findChild<QWidget*>(names::kChart);
    return widget.grab().toImage();
  }();
  ASSERT_GT(Count(RenderChart(), layout.plot, Exactly(kLightRedFill)), 500);
  plot.EmissionSeries().ClearSeries();
  plot.ExtinctionSeries().ClearSeries();
  const QImage image = RenderChart();
  for (const QColor colour : {kLightRedFill, kRedSquare, kBlueSquare})
    EXPECT_EQ(Count(image, layout.plot, Exactly(colour)), 0) << colour.name().toStdString();
  EXPECT_TRUE(image == empty_before) << "cleared, the chart looks as it did at start";
}

TEST_F(EnergyTransferPlot, WavelengthTickCountOneFourOrNine) {
  // A wavelength range whose ends are labelled ticks, so every interval is
  // whole: between n labelled ticks lie (n - 1) x MinorTickCount short ones.
  for (int nm = 400; nm <= 700; ++nm) ASSERT_TRUE(plot.ExtinctionSeries().AddPoint(nm, nm % 17));
  EXPECT_EQ(plot.chart().BottomAxis().MinorTickCount(), 4) << "the count at start";
  for (const int count : {1, 9, 4}) {
    plot.chart().BottomAxis().SetMinorTickCount(count);
    const QImage image = RenderChart();
    const auto& majors = layout.bottom.major_ticks;
    ASSERT_EQ(majors.front(), 400);
    ASSERT_EQ(majors.back(), 700);
    const QRect& p = layout.plot;
    const int all = Count(image, QRect(p.left(), p.bottom() + 2, p.width(), 1), Dark());
    const int labelled = Count(image, QRect(p.left(), p.bottom() + 4, p.width(), 1), Dark());
    EXPECT_EQ(labelled, static_cast<int>(majors.size())) << count;
    EXPECT_EQ(all - labelled, static_cast<int>(majors.size() - 1) * count) << count;
  }
}

}  // namespace
}  // namespace korin
