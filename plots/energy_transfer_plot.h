// The energy-transfer plot window: the donor's normalised emission against
// the left axis and the acceptor's extinction coefficient against the right,
// both over wavelength, with two labels naming the files. It holds no data
// of its own: the calculation and the open commands write into its series
// and labels.
#pragma once

#include <QLabel>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "plots/form_window.h"

namespace korin {

class EnergyTransferPlotWindow final : public FormWindow {
 public:
  // Created visible, as the program's second window.
  EnergyTransferPlotWindow();

  // The chart widget is "Chart1", the labels "Label1" and "Label2".
  [[nodiscard]] chart::Chart& chart() { return chart_->chart(); }
  // Normalised emission x quantum yield x 1000, per nm, on the left axis.
  [[nodiscard]] chart::AreaSeries& EmissionSeries() { return *emission_series_; }
  // Molar extinction coefficient, per nm, on the right axis.
  [[nodiscard]] chart::AreaSeries& ExtinctionSeries() { return *extinction_series_; }
  // "Emission File: " and "Absorption File:" until a file is loaded.
  [[nodiscard]] QLabel& EmissionFileLabel() { return *emission_file_label_; }
  [[nodiscard]] QLabel& AbsorptionFileLabel() { return *absorption_file_label_; }

 private:
  void PlaceOnScreen();

  chart::ChartWidget* chart_;
  chart::AreaSeries* emission_series_;
  chart::AreaSeries* extinction_series_;
  QLabel* emission_file_label_;
  QLabel* absorption_file_label_;
};

}  // namespace korin
