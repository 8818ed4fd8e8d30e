// How the planner shows a plan: the factors, the detection and brightness
// table, the spectra chart and the apparent-efficiency chart.
#include <QLabel>
#include <algorithm>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "chart/series.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "plots/analysis_window.h"
#include "ui/planner_window.h"

namespace korin {
namespace {

QString Figure(double value) {
  return QString::fromStdString(FormatGeneral(value, 5));
}
QString Figure(const std::optional<double>& value) {
  return value ? Figure(*value) : kNoFigure;
}

// The spectrum over its range, scaled so that its largest value is 1.
void AddNormalised(chart::Chart& chart, const PlanSpectrum& spectrum, const QColor& colour,
                   const QString& title) {
  double largest = 0.0;
  for (int w = spectrum.first; w <= spectrum.last; ++w) {
    largest = std::max(largest, spectrum.values[w]);
  }
  if (!(largest > 0.0)) return;
  chart::LineSeries& series = chart.AddLineSeries(chart::VerticalAxis::Left);
  series.SetTitle(title);
  series.SetColour(colour);
  for (int w = spectrum.first; w <= spectrum.last; ++w) {
    (void)series.AddPoint(w, spectrum.values[w] / largest);
  }
}

void AddChannel(chart::Chart& chart, const SpectrumGrid& transmission, int first, int last,
                const QColor& colour, const QString& title) {
  chart::AreaSeries& area = chart.AddAreaSeries(chart::VerticalAxis::Left);
  area.SetTitle(title);
  area.SetColour(colour);
  area.SetAreaLinesPen({.colour = colour});
  area.SetMarkersVisible(false);
  for (int w = first; w <= last; ++w) (void)area.AddPoint(w, transmission[w]);
}

void AddLaser(chart::Chart& chart, double nanometres) {
  chart::LineSeries& line = chart.AddLineSeries(chart::VerticalAxis::Left);
  line.SetTitle(QStringLiteral("Laser %1 nm").arg(nanometres));
  line.SetColour(planner::kLaser);
  (void)line.AddPoint(nanometres, 0.0);
  (void)line.AddPoint(nanometres, 1.0);
}

}  // namespace

void PlannerWindow::ShowPlan() {
  const bool shown = outcome_.refusal.empty();
  message_->setText(QString::fromStdString(outcome_.refusal));
  const PlanFigures& f = outcome_.figures;
  const std::array<std::optional<double>, 5> factors = {
      f.factors.leakage, f.factors.direct_excitation, f.factors.gamma, f.factors.delta,
      f.factors.beta};
  for (std::size_t i = 0; i < factors.size(); ++i) {
    factor_values_[i]->setText(shown ? Figure(factors[i]) : kNoFigure);
  }
  const Detection& eta = f.detection;
  const std::array<double, 4> detection = {
      eta.donor_in_donor_channel, eta.donor_in_acceptor_channel, eta.acceptor_in_acceptor_channel,
      eta.acceptor_in_donor_channel};
  for (std::size_t i = 0; i < detection.size(); ++i) {
    detection_values_[i]->setText(shown ? QStringLiteral("\u03B7 ") + Figure(detection[i])
                                        : kNoFigure);
  }
  const Brightness& b = f.brightness;
  const std::array<std::optional<double>, 5> brightness = {
      b.donor_in_donor_channel, b.donor_in_acceptor_channel, b.acceptor_in_acceptor_channel,
      b.acceptor_in_donor_channel, b.acceptor_in_acceptor_channel_at_acceptor_laser};
  double brightest = 0.0;
  for (const auto& value : brightness) brightest = std::max(brightest, value.value_or(0.0));
  for (std::size_t i = 0; i < brightness.size(); ++i) {
    const bool has = shown && brightness[i] && brightest > 0.0;
    brightness_values_[i]->setText(has ? Figure(brightness[i]) : kNoFigure);
    brightness_bars_[i]->SetShare(has ? std::optional<double>(*brightness[i] / brightest)
                                      : std::nullopt);
  }
  at_distance_->setText(
      shown && outcome_.distance
          ? QStringLiteral("At %1 \u00C5: E %2, apparent E %3, dE/dr %4 per \u00C5")
                .arg(Figure(*outcome_.distance), Figure(outcome_.efficiency_at_distance),
                     Figure(outcome_.apparent_at_distance), Figure(outcome_.sensitivity))
          : QString());
  from_apparent_->setText(shown && outcome_.apparent
                              ? QStringLiteral("Apparent E %1: E %2, r %3 \u00C5")
                                    .arg(Figure(*outcome_.apparent),
                                         Figure(outcome_.efficiency_from_apparent),
                                         Figure(outcome_.distance_from_apparent))
                              : QString());
  PlotSpectra();
  PlotApparentCurve();
}

void PlannerWindow::PlotSpectra() {
  chart::Chart& chart = spectra_chart_->chart();
  chart.ClearAllSeries();
  if (!outcome_.refusal.empty()) return;
  // The channels are drawn where the spectra lie, which sets the x axis.
  const PlanSpectra& s = outcome_.spectra;
  int first = SpectrumGrid::kLastWavelength;
  int last = SpectrumGrid::kFirstWavelength;
  for (const PlanSpectrum* spectrum :
       {&s.donor_emission, &s.donor_extinction, &s.acceptor_extinction, &s.acceptor_emission}) {
    first = std::min(first, spectrum->first);
    last = std::max(last, spectrum->last);
  }
  AddChannel(chart, outcome_.donor_channel, first, last, planner::kDonorChannel,
             QStringLiteral("Donor channel"));
  AddChannel(chart, outcome_.acceptor_channel, first, last, planner::kAcceptorChannel,
             QStringLiteral("Acceptor channel"));
  AddNormalised(chart, s.donor_emission, planner::kSlotColours[0],
                QStringLiteral("Donor emission"));
  AddNormalised(chart, s.donor_extinction, planner::kSlotColours[1],
                QStringLiteral("Donor absorption"));
  AddNormalised(chart, s.acceptor_extinction, planner::kSlotColours[2],
                QStringLiteral("Acceptor absorption"));
  AddNormalised(chart, s.acceptor_emission, planner::kSlotColours[3],
                QStringLiteral("Acceptor emission"));
  const PlanRequest request = Request();
  double laser = 0.0;
  if (request.Given(PlanParameter::kDonorLaser) &&
      ParseReal(request.Values(PlanParameter::kDonorLaser).front(), laser)) {
    AddLaser(chart, laser);
  }
  if (request.Given(PlanParameter::kAcceptorLaser) &&
      ParseReal(request.Values(PlanParameter::kAcceptorLaser).front(), laser)) {
    AddLaser(chart, laser);
  }
}

void PlannerWindow::PlotApparentCurve() {
  chart::Chart& chart = apparent_chart_->chart();
  chart.ClearAllSeries();
  if (!outcome_.refusal.empty()) return;
  chart::LineSeries& diagonal = chart.AddLineSeries(chart::VerticalAxis::Left);
  diagonal.SetTitle(QStringLiteral("E_app = E"));
  diagonal.SetColour(Qt::gray);
  (void)diagonal.AddPoint(0.0, 0.0);
  (void)diagonal.AddPoint(1.0, 1.0);
  chart::LineSeries& curve = chart.AddLineSeries(chart::VerticalAxis::Left);
  curve.SetTitle(QStringLiteral("E_app(E)"));
  curve.SetColour(planner::kSlotColours[2]);
  for (int i = 0; i <= 100; ++i) {
    const double e = i / 100.0;
    (void)curve.AddPoint(e, ApparentEfficiency(outcome_.figures.lines, e));
  }
}

}  // namespace korin
