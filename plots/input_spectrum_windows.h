// The two input windows that show each loaded spectrum exactly as read:
// the donor emission (DonorInputWindow) and the acceptor absorption (AcceptorInputWindow). Built
// alike; they differ in caption, place and colour. The open commands title
// the chart with the file name and fill its one line series.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "plots/form_window.h"

namespace korin {

class InputSpectrumWindow : public FormWindow {
 public:
  // The chart widget is "Chart1".
  [[nodiscard]] chart::Chart& chart() { return chart_->chart(); }
  // The spectrum as read, one point per nm.
  [[nodiscard]] chart::LineSeries& SpectrumSeries() { return *spectrum_series_; }

 protected:
  struct Design {
    const char* object_name;  // the designer name
    QString caption;
    QPoint position;
    QColor colour;  // of the title text and of the curve
  };
  // Created hidden.
  explicit InputSpectrumWindow(const Design& design);

 private:
  chart::ChartWidget* chart_;
  chart::LineSeries* spectrum_series_;
};

// The donor emission as read, in red.
class DonorInputWindow final : public InputSpectrumWindow {
 public:
  DonorInputWindow();
};

// The acceptor absorbance as read, in blue.
class AcceptorInputWindow final : public InputSpectrumWindow {
 public:
  AcceptorInputWindow();
};

}  // namespace korin
