#include "chart/chart_widget.h"

#include <QEvent>
#include <QPainter>

namespace korin::chart {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  chart_.SetPalette(palette());
  chart_.SetRedrawHandler([this] { update(); });
}

void ChartWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  chart_.draw(painter, rect());
}

void ChartWidget::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) chart_.SetPalette(palette());
  QWidget::changeEvent(event);
}

}  // namespace korin::chart
