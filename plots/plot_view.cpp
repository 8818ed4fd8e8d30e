#include "plots/plot_view.h"

#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "plots/qt_text.h"

namespace korin {

PlotWindowsView::PlotWindowsView(EnergyTransferPlotWindow* plot, DonorInputWindow* donor,
                                 AcceptorInputWindow* acceptor)
    : plot_(plot), donor_(donor), acceptor_(acceptor) {}

chart::Series* PlotWindowsView::SeriesOf(PlotSeries series) const {
  switch (series) {
    case PlotSeries::kEmission:
      return plot_ != nullptr ? &plot_->EmissionSeries() : nullptr;
    case PlotSeries::kExtinction:
      return plot_ != nullptr ? &plot_->ExtinctionSeries() : nullptr;
    case PlotSeries::kDonorInput:
      return donor_ != nullptr ? &donor_->SpectrumSeries() : nullptr;
    case PlotSeries::kAcceptorInput:
      return acceptor_ != nullptr ? &acceptor_->SpectrumSeries() : nullptr;
  }
  return nullptr;
}

void PlotWindowsView::ClearSeries(PlotSeries series) {
  if (chart::Series* target = SeriesOf(series)) target->ClearSeries();
}

void PlotWindowsView::AddPoints(PlotSeries series, int first, std::span<const double> ys) {
  chart::Series* target = SeriesOf(series);
  if (target == nullptr) return;
  int x = first;
  for (const double y : ys) (void)target->AddPoint(x++, y);
}

void PlotWindowsView::ShowSpectrum(SpectrumSide side, std::string_view name) {
  const QString shown = PathText(name);
  if (side == SpectrumSide::kAbsorption) {
    if (acceptor_ != nullptr) {
      acceptor_->chart().SetTitleText(shown);
      acceptor_->show();
      acceptor_->raise();
    }
    if (plot_ != nullptr) {
      plot_->AbsorptionFileLabel().setText(QStringLiteral("Absorption File: ") + shown);
    }
    return;
  }
  if (donor_ != nullptr) donor_->chart().SetTitleText(shown);
  if (plot_ != nullptr)
    plot_->EmissionFileLabel().setText(QStringLiteral("Emission File: ") + shown);
  if (donor_ != nullptr) {
    donor_->show();
    donor_->raise();
  }
}

void PlotWindowsView::WithdrawSpectrum(SpectrumSide side) {
  if (side == SpectrumSide::kAbsorption) {
    if (plot_ != nullptr) plot_->AbsorptionFileLabel().setText(QStringLiteral("Absorption File: "));
    if (acceptor_ != nullptr) acceptor_->hide();
  } else {
    if (plot_ != nullptr) plot_->EmissionFileLabel().setText(QStringLiteral("Emission File: "));
    if (donor_ != nullptr) donor_->hide();
  }
}

}  // namespace korin
