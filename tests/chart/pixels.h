// Pixel counting for the chart and window tests.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>

namespace korin::testing {

using PixelTest = std::function<bool(QColor)>;

inline int Count(const QImage& image, const QRect& region, const PixelTest& test) {
  int count = 0;
  const QRect clipped = region & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x) count += test(image.pixelColor(x, y));
  return count;
}

inline PixelTest Exactly(QColor colour) {
  return [colour](QColor c) { return c.rgb() == colour.rgb(); };
}

// Antialiased text is judged by its dominant channel.
inline PixelTest Reddish() {
  return [](QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; };
}
inline PixelTest Bluish() {
  return [](QColor c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; };
}
inline PixelTest Purplish() {
  return [](QColor c) { return c.red() > 90 && c.blue() > 90 && c.green() < 60; };
}
inline PixelTest Dark() {
  return [](QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; };
}
inline PixelTest NotWhite() {
  return [](QColor c) { return c.rgb() != QColor(Qt::white).rgb(); };
}

// The smallest rectangle holding every pixel that passes `test`.
inline QRect BoundingBox(const QImage& image, const PixelTest& test) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixelColor(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace korin::testing
