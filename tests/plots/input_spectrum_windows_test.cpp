// The two input windows: an empty title line at start, the file name as
// title and the spectrum as read, in red for the donor and blue for the
// acceptor, on the button face with a raised edge.
#include "plots/input_spectrum_windows.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <memory>

#include "chart/pixels.h"
#include "plots/object_names.h"

namespace korin {
namespace {

using testing::Count;
using testing::PixelTest;

struct InputCase {
  const char* name;
  std::function<std::unique_ptr<InputSpectrumWindow>()> create;
  QColor colour;
  PixelTest text_colour;
};

const InputCase kInputs[] = {
    {"DonorInputWindow", [] { return std::make_unique<DonorInputWindow>(); }, QColor(255, 0, 0),
     testing::Reddish()},
    {"AcceptorInputWindow", [] { return std::make_unique<AcceptorInputWindow>(); },
     QColor(0, 0, 255), testing::Bluish()},
};

QImage Grab(InputSpectrumWindow& window) {
  return window.findChild<QWidget*>(names::kChart)->grab().toImage();
}

TEST(InputWindows, StartWithOneEmptyTitleLineAndNoCurve) {
  for (const InputCase& c : kInputs) {
    const auto window = c.create();
    EXPECT_EQ(window->chart().TitleLines(), QStringList{QString()}) << c.name;
    const auto* chart = window->findChild<QWidget*>(names::kChart);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->geometry(), QRect(0, 0, 345, 217)) << c.name << " fills the client area";
    const QImage image = Grab(*window);
    const chart::ChartLayout layout = window->chart().Arrange(image.rect());
    EXPECT_GE(layout.title.height(), 11) << c.name << " keeps room for the title";
    EXPECT_EQ(Count(image, image.rect(), c.text_colour), 0) << c.name;
  }
}

TEST(InputWindows, ShowTheFileNameAndTheSpectrumAsRead) {
  for (const InputCase& c : kInputs) {
    const auto window = c.create();
    window->chart().SetTitleText(QStringLiteral("spectrum_01.txt"));
    for (int nm = 350; nm <= 700; ++nm) {
      const double z = (nm - 520) / 30.0;
      ASSERT_TRUE(window->SpectrumSeries().AddPoint(nm, 41000 * std::exp(-z * z / 2)));
    }
    const QImage image = Grab(*window);
    const chart::ChartLayout layout = window->chart().Arrange(image.rect());
    ASSERT_TRUE(layout.bottom.scale && layout.left.scale);

    // The title in the window's colour, above the plot.
    EXPECT_GT(Count(image, layout.title, c.text_colour), 30) << c.name;
    // The curve through every point, in the series colour.
    for (const chart::DataPoint& p : window->SpectrumSeries().Points()) {
      const QPoint at(layout.bottom.scale->PixelOf(p.x), layout.left.scale->PixelOf(p.y));
      ASSERT_EQ(image.pixel(at), c.colour.rgb()) << c.name << " at " << p.x << " nm";
    }
    // Button face around the plot and, with the back wall unfilled, behind
    // the curve too.
    const QColor face = window->palette().color(QPalette::Button);
    EXPECT_EQ(image.pixel(2, image.height() / 2), face.rgb()) << c.name;
    const QRect inside = layout.plot.adjusted(1, 1, -1, -1);
    EXPECT_GT(Count(image, inside, testing::Exactly(face)),
              inside.width() * inside.height() * 3 / 4)
        << c.name;
    // A one-pixel raised edge: light at the top left, dark at the bottom right.
    EXPECT_EQ(image.pixel(0, 0), window->palette().color(QPalette::Light).rgb()) << c.name;
    EXPECT_EQ(image.pixel(344, 216), window->palette().color(QPalette::Dark).rgb()) << c.name;
  }
}

TEST(InputWindows, LoadingAgainReplacesTheCurve) {
  DonorInputWindow donor;
  for (int nm = 400; nm <= 500; ++nm) ASSERT_TRUE(donor.SpectrumSeries().AddPoint(nm, nm));
  donor.SpectrumSeries().ClearSeries();
  donor.chart().SetTitleText(QStringLiteral("second.ifx"));
  for (int nm = 600; nm <= 650; ++nm) ASSERT_TRUE(donor.SpectrumSeries().AddPoint(nm, 1.0));
  const QImage image = Grab(donor);
  const chart::ChartLayout layout = donor.chart().Arrange(image.rect());
  EXPECT_EQ(layout.bottom.scale->Range().min, 600);
  EXPECT_EQ(layout.bottom.scale->Range().max, 650);
  // A flat spectrum is a horizontal line across the middle of the plot.
  const int y = layout.left.scale->PixelOf(1.0);
  EXPECT_NEAR(y, layout.plot.center().y(), 1);
  EXPECT_EQ(Count(image, QRect(layout.plot.left() + 1, y, layout.plot.width() - 2, 1),
                  testing::Exactly(QColor(255, 0, 0))),
            layout.plot.width() - 2);
}

}  // namespace
}  // namespace korin
