#include "plots/print_form.h"

#include <QPainter>
#include <QPicture>
#include <QPrinter>

#include "plots/form_window.h"

namespace korin {

bool PrintForm(FormWindow& window, QPrinter& printer) {
  QWidget& client = window.ClientArea();

  // The window paints itself into a recording rather than a bitmap (Qt
  // would rasterise a widget rendered straight onto a printer); replayed on
  // the printer, every line and glyph is drawn at the printer's resolution.
  QPicture picture;
  {
    QPainter recorder(&picture);
    recorder.fillRect(client.rect(), client.palette().brush(client.backgroundRole()));
    client.render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
  }

  QPainter painter;
  if (!painter.begin(&printer)) return false;  // opens the print job
  // The print has the window's on-screen size: printer dots per inch over
  // the window's pixels per inch. Replaying a picture already scales by the
  // printer's over the picture's own; what is left is the picture's over
  // the window's (1 on a single screen).
  painter.scale(static_cast<double>(picture.logicalDpiX()) / client.logicalDpiX(),
                static_cast<double>(picture.logicalDpiY()) / client.logicalDpiY());
  painter.drawPicture(0, 0, picture);
  return painter.end();  // closes the print job
}

}  // namespace korin
