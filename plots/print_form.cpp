#include "plots/print_form.h"

#include <QPainter>
#include <QPrinter>

#include "plots/form_window.h"
#include "plots/plot_export.h"

namespace korin {

bool PrintForm(FormWindow& window, QPrinter& printer) {
  const QWidget& client = window.ClientArea();
  QPainter painter;
  if (!painter.begin(&printer)) return false;  // opens the print job
  // The print has the window's on-screen size: the printer's dots per inch
  // over the window's pixels per inch, from the page's top-left corner. The
  // window is replayed from a recording, so every line and glyph is drawn
  // at the printer's resolution.
  const double x = static_cast<double>(printer.logicalDpiX()) / client.logicalDpiX();
  const double y = static_cast<double>(printer.logicalDpiY()) / client.logicalDpiY();
  DrawClientArea(window, painter, QRectF(0, 0, client.width() * x, client.height() * y));
  return painter.end();  // closes the print job
}

}  // namespace korin
