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

class TForm2 final : public FormWindow {
 public:
  // Created visible, as the program's second window.
  TForm2();

  [[nodiscard]] chart::Chart& Chart1() { return chart1_->chart(); }
  // Normalised emission x quantum yield x 1000, per nm, on the left axis.
  [[nodiscard]] chart::AreaSeries& Series1() { return *series1_; }
  // Molar extinction coefficient, per nm, on the right axis.
  [[nodiscard]] chart::AreaSeries& Series2() { return *series2_; }
  // "Emission File: " and "Absorption File:" until a file is loaded.
  [[nodiscard]] QLabel& Label1() { return *label1_; }
  [[nodiscard]] QLabel& Label2() { return *label2_; }

 private:
  void FormCreate();

  chart::ChartWidget* chart1_;
  chart::AreaSeries* series1_;
  chart::AreaSeries* series2_;
  QLabel* label1_;
  QLabel* label2_;
};

}  // namespace korin
