#include "plots/form_window.h"

#include "chart/chart_style.h"
#include "plots/object_names.h"

namespace korin {

QFont SansFont8pt() {
  return chart::PixelFont(QStringLiteral("MS Sans Serif"), kFont8pt);
}

void SetTextColour(QWidget& widget, QColor colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::All, QPalette::WindowText, colour);  // disabled included
  widget.setPalette(palette);
  widget.setForegroundRole(QPalette::WindowText);
}

FormWindow::FormWindow(const QString& caption, QSize client_size, int border,
                       QPalette::ColorRole background)
    : client_(new QWidget(this)) {
  setWindowTitle(caption);
  setFont(SansFont8pt());
  setBackgroundRole(background);
  setAutoFillBackground(true);
  // Only the main window ends the program; closing this one hides it and
  // its contents wait for the next show.
  setAttribute(Qt::WA_QuitOnClose, false);
  client_->setObjectName(names::kClientArea);
  // Painted on its own too, so the client area rendered alone (printing,
  // images) has the window's colour behind its controls.
  client_->setAutoFillBackground(true);
  client_->setGeometry(border, border, client_size.width(), client_size.height());
  // The window's size follows its contents.
  setFixedSize(client_size + QSize(2 * border, 2 * border));
}

}  // namespace korin
