// What the engine changes in the plot windows: the energy-transfer plot's
// two series and file labels, and each input window's title and curve.
// The main window, the drawing companion and the window gallery all attach
// this one view to their engine.
#pragma once

#include "core/fret_engine.h"

namespace korin {

namespace chart {
class Series;
}  // namespace chart

class AcceptorInputWindow;
class DonorInputWindow;
class EnergyTransferPlotWindow;

class PlotWindowsView final : public FretView {
 public:
  // Any window may be missing (nullptr): what belongs to it is not shown.
  explicit PlotWindowsView(EnergyTransferPlotWindow* plot, DonorInputWindow* donor = nullptr,
                           AcceptorInputWindow* acceptor = nullptr);

  void ClearSeries(PlotSeries series) override;
  void AddPoints(PlotSeries series, int first, std::span<const double> ys) override;
  // The input window is titled with `name` and shown; the plot names the
  // file.
  void ShowSpectrum(SpectrumSide side, std::string_view name) override;
  void WithdrawSpectrum(SpectrumSide side) override;

 private:
  [[nodiscard]] chart::Series* SeriesOf(PlotSeries series) const;

  EnergyTransferPlotWindow* plot_;
  DonorInputWindow* donor_;
  AcceptorInputWindow* acceptor_;
};

}  // namespace korin
