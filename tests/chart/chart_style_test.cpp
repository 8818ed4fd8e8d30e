// Pens, fonts and colours as the layouts name them, checked on pixels and
// on the fonts Qt really picks.
#include "chart/chart_style.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

namespace korin::chart {
namespace {

QImage DrawLine(const Pen& pen, QPoint from, QPoint to) {
  QImage image(64, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(ToQPen(pen));
  painter.drawLine(from, to);
  return image;
}

TEST(ChartPens, FineDotsSetEveryOtherPixelWhateverTheStyle) {
  for (const LineStyle style : {LineStyle::Solid, LineStyle::Dash, LineStyle::Dot}) {
    const QImage image =
        DrawLine({.colour = Qt::blue, .style = style, .fine_dots = true}, {10, 5}, {50, 5});
    for (int x = 10; x < 50; ++x) {
      const bool set = image.pixel(x, 5) == QColor(Qt::blue).rgb();
      ASSERT_EQ(set, (x - 10) % 2 == 0) << "style " << static_cast<int>(style) << " at " << x;
    }
  }
}

TEST(ChartPens, DottedGridLinesLeaveTwoPixelsBetweenDots) {
  const QImage image = DrawLine({.colour = Qt::gray, .style = LineStyle::Dot}, {10, 5}, {49, 5});
  for (int x = 10; x < 49; ++x)
    ASSERT_EQ(image.pixel(x, 5) != QColor(Qt::white).rgb(), (x - 10) % 3 == 0) << x;
}

TEST(ChartPens, SolidLinesSetBothEndPixels) {
  const QImage image = DrawLine({.colour = Qt::black}, {10, 5}, {20, 5});
  EXPECT_EQ(image.pixel(10, 5), QColor(Qt::black).rgb());
  EXPECT_EQ(image.pixel(20, 5), QColor(Qt::black).rgb());
  EXPECT_EQ(image.pixel(21, 5), QColor(Qt::white).rgb());
  EXPECT_EQ(image.pixel(9, 5), QColor(Qt::white).rgb());
}

TEST(ChartFonts, MissingFamiliesFallBackToASansAtTheirPixelHeight) {
  const struct {
    const char* family;
    int pixel_height;
    bool bold;
  } cases[] = {
      {"Arial", 11, false}, {"MS Sans Serif", 11, false}, {"Arial", 32, true}, {"Arial", 13, true}};
  for (const auto& c : cases) {
    const QFontInfo info(PixelFont(QString::fromLatin1(c.family), c.pixel_height, c.bold));
    EXPECT_EQ(info.pixelSize(), c.pixel_height) << c.family;
    EXPECT_EQ(info.bold(), c.bold) << c.family;
    EXPECT_TRUE(info.family() == QLatin1String(c.family) ||
                info.family() == QLatin1String("Liberation Sans") ||
                info.family() == QLatin1String("DejaVu Sans"))
        << c.family << " became " << info.family().toStdString();
  }
}

TEST(ChartColours, SystemColoursFollowThePaletteFixedOnesDoNot) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(10, 20, 30));
  palette.setColor(QPalette::Button, QColor(40, 50, 60));
  EXPECT_EQ(ChartColour(QPalette::Base).Resolve(palette), QColor(10, 20, 30));
  EXPECT_EQ(ChartColour(QPalette::Button).Resolve(palette), QColor(40, 50, 60));
  EXPECT_EQ(ChartColour(QColor(255, 128, 128)).Resolve(palette), QColor(255, 128, 128));
  EXPECT_EQ(ChartColour(Qt::blue).Resolve(palette), QColor(0, 0, 255));
}

}  // namespace
}  // namespace korin::chart
