// The widget that shows a Chart on screen. Changes to the chart only
// schedule a repaint; the chart is drawn once when the widget next paints.
#pragma once

#include <QWidget>

#include "chart/chart.h"

namespace korin::chart {

class ChartWidget final : public QWidget {
 public:
  explicit ChartWidget(QWidget* parent = nullptr);

  [[nodiscard]] Chart& chart() { return chart_; }
  [[nodiscard]] const Chart& chart() const { return chart_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  Chart chart_;
};

}  // namespace korin::chart
