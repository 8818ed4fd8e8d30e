// The analysis window's figures: what the user typed read and checked by
// the rules the command line checks them by, the analysis computed once
// from the engine, and every section of the window filled from that one
// value.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <string>
#include <utility>

#include "chart/series.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "plots/analysis_window.h"
#include "plots/qt_text.h"

namespace korin {
namespace {

// Points of the E(r) curve over 0 .. 2 R0.
constexpr int kCurveSteps = 200;

QString Text(double value) {
  return QString::fromStdString(AnalysisText(value));
}

// The number in a field, or why there is none, in the program's one syntax.
Checked ReadNumber(const QLineEdit& edit) {
  const std::string text = edit.text().toStdString();
  double value = 0.0;
  if (ParseReal(text, value)) return {value, {}};
  if (text.empty()) return {std::nullopt, "Enter a number."};
  return {std::nullopt, "Not a number: write digits with \".\" as the decimal separator."};
}

// Shows `checked`'s message beside the field, or clears it.
std::optional<double> Report(const Checked& checked, QLabel& message) {
  message.setText(FromUtf8(checked.message));
  return checked.value;
}

}  // namespace

bool AnalysisWindow::HasResults() const {
  return engine_.ResultsVisible() && engine_.LastGateOutcome() == GateOutcome::kShown;
}

void AnalysisWindow::SetResultsVisible(bool /*visible*/) {
  // Every gate run and every load ends here, several times for one user
  // action: the figures follow once the action is handled.
  if (refresh_pending_) return;
  refresh_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    refresh_pending_ = false;
    Refresh();
  });
}

void AnalysisWindow::Refresh() {
  if (!isVisible()) {
    stale_ = true;
    return;
  }
  ShowAll();
}

void AnalysisWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) ShowAll();
}

AnalysisInputs AnalysisWindow::EnteredInputs() {
  AnalysisInputs inputs;
  const Checked entered = EnteredEfficiency();
  (static_cast<Input>(input_kind_->currentIndex()) == Input::kDistance ? inputs.distance
                                                                       : inputs.efficiency) =
      entered.value;
  const std::optional<Kappa2Range> kappa2 = EnteredKappa2();
  const std::optional<InputErrors> errors = EnteredErrors();
  // The window always shows R0's range, once its inputs stand.
  inputs.uncertainty = kappa2 && errors;
  inputs.kappa2 = kappa2;
  inputs.errors = errors.value_or(InputErrors{});
  return inputs;
}

FretRequest AnalysisWindow::AskedAnalysis() {
  const AnalysisInputs inputs = EnteredInputs();
  FretRequest request;
  // Exact texts: the command reads back the very numbers the window used.
  if (inputs.efficiency) request.Set(Parameter::kEfficiency, RoundTripText(*inputs.efficiency));
  if (inputs.distance) request.Set(Parameter::kDistance, RoundTripText(*inputs.distance));
  if (!inputs.uncertainty) return request;
  if (from_anisotropies_->isChecked()) {
    request.Set(Parameter::kAnisotropy,
                std::vector<std::string>{donor_anisotropy_.edit->text().toStdString(),
                                         acceptor_anisotropy_.edit->text().toStdString()});
  } else {
    request.Set(Parameter::kKappa2Range,
                std::vector<std::string>{RoundTripText(inputs.kappa2->min),
                                         RoundTripText(inputs.kappa2->max)});
  }
  const std::pair<Parameter, double> errors[] = {
      {Parameter::kQuantumYieldError, inputs.errors.quantum_yield},
      {Parameter::kRefractiveIndexError, inputs.errors.refractive_index},
      {Parameter::kExtinctionError, inputs.errors.extinction}};
  for (const auto& [parameter, relative] : errors) {
    request.Set(parameter, RoundTripText(relative * 100.0));
  }
  return request;
}

void AnalysisWindow::ShowAll() {
  stale_ = false;
  const AnalysisInputs inputs = EnteredInputs();
  std::optional<AnalysisResult> analysis;
  if (HasResults()) {
    analysis = Analyse(engine_.session(), engine_.ForsterDistanceValue(), inputs);
  }
  ShowResults(analysis);
  ShowDistance(analysis);
  ShowUncertainty(analysis);
  ShowOverlap(analysis);
}

void AnalysisWindow::ShowResults(const std::optional<AnalysisResult>& analysis) {
  if (!analysis) {
    for (QLabel* label : {j_cm3_, j_nm4_, r0_angstrom_, r0_nm_}) label->setText(kNoFigure);
    return;
  }
  j_cm3_->setText(Text(analysis->overlap_integral));
  j_nm4_->setText(Text(analysis->overlap_integral_nm4));
  r0_angstrom_->setText(Text(analysis->forster_distance));
  r0_nm_->setText(Text(analysis->forster_distance_nm));
}

Checked AnalysisWindow::EnteredEfficiency() {
  for (const Field* field : {&efficiency_, &lifetime_with_acceptor_, &lifetime_donor_,
                             &intensity_with_acceptor_, &intensity_donor_, &distance_}) {
    field->message->clear();
  }
  // A pair is judged once both parse; its refusal stands beside the second
  // field, which completes it.
  const auto pair = [](const Field& first, const Field& second,
                       Checked (*efficiency)(double, double)) -> Checked {
    const std::optional<double> a = Report(ReadNumber(*first.edit), *first.message);
    const std::optional<double> b = Report(ReadNumber(*second.edit), *second.message);
    if (!a || !b) return {};
    Checked result = efficiency(*a, *b);
    second.message->setText(FromUtf8(result.message));
    return result;
  };
  const auto single = [](const Field& field, Checked (*check)(double)) -> Checked {
    Checked result = ReadNumber(*field.edit);
    if (result.value) result = check(*result.value);
    field.message->setText(FromUtf8(result.message));
    return result;
  };
  switch (static_cast<Input>(input_kind_->currentIndex())) {
    case Input::kEfficiency:
      return single(efficiency_, &EfficiencyOf);
    case Input::kLifetimes:
      return pair(lifetime_with_acceptor_, lifetime_donor_, &EfficiencyFromLifetimes);
    case Input::kIntensities:
      return pair(intensity_with_acceptor_, intensity_donor_, &EfficiencyFromIntensities);
    case Input::kDistance:
      return single(distance_, &DistanceOf);
  }
  return {};
}

void AnalysisWindow::ShowDistance(const std::optional<AnalysisResult>& analysis) {
  // R0 is 0 when J lies below 1e-20: no curve to read a distance from.
  if (!analysis || !(analysis->forster_distance > 0.0)) {
    for (QLabel* label : {efficiency_result_, distance_result_, distance_result_nm_})
      label->setText(kNoFigure);
    PlotEfficiencyCurve(0.0, std::nullopt, std::nullopt);
    return;
  }
  std::optional<double> efficiency;
  std::optional<double> distance;
  if (const auto& asked = analysis->distance) {
    efficiency = asked->efficiency;
    distance = asked->angstroms;
  } else if (const auto& at = analysis->efficiency) {
    efficiency = at->efficiency;
    distance = at->angstroms;
  }
  efficiency_result_->setText(efficiency ? Text(*efficiency) : kNoFigure);
  distance_result_->setText(distance ? Text(*distance) : kNoFigure);
  distance_result_nm_->setText(distance ? Text(AngstromsToNanometres(*distance)) : kNoFigure);
  PlotEfficiencyCurve(analysis->forster_distance, distance, efficiency);
}

void AnalysisWindow::PlotEfficiencyCurve(double forster_distance, std::optional<double> distance,
                                         std::optional<double> efficiency) {
  usable_range_series_->ClearSeries();
  efficiency_series_->ClearSeries();
  current_point_series_->ClearSeries();
  if (!(forster_distance > 0.0)) return;
  const double end = 2.0 * forster_distance;
  // The range where distances are measured well, as a band from E = 0 to
  // 1; its corners at 0 keep the E axis from 0 to 1 whatever else is drawn.
  const double low = 0.5 * forster_distance;
  const double high = 1.5 * forster_distance;
  for (const auto& [r, e] : {std::pair{low, 0.0}, {low, 1.0}, {high, 1.0}, {high, 0.0}})
    usable_range_series_->AddPoint(r, e);
  for (int i = 0; i <= kCurveSteps; ++i) {
    const double r = end * i / kCurveSteps;
    efficiency_series_->AddPoint(r, TransferEfficiency(r, forster_distance));
  }
  // The current point as an L from the E axis across and down to the r
  // axis, when it lies on the drawn curve.
  if (distance && efficiency && *distance <= end) {
    current_point_series_->AddPoint(0.0, *efficiency);
    current_point_series_->AddPoint(*distance, *efficiency);
    current_point_series_->AddPoint(*distance, 0.0);
  }
}

std::optional<Kappa2Range> AnalysisWindow::EnteredKappa2() {
  for (const Field* field : {&kappa2_min_, &kappa2_max_, &donor_anisotropy_, &acceptor_anisotropy_})
    field->message->clear();
  if (from_anisotropies_->isChecked()) {
    const std::optional<double> donor =
        Report(ReadNumber(*donor_anisotropy_.edit), *donor_anisotropy_.message);
    const std::optional<double> acceptor =
        Report(ReadNumber(*acceptor_anisotropy_.edit), *acceptor_anisotropy_.message);
    std::optional<Kappa2Range> range;
    if (donor && acceptor) {
      std::string message;
      range = Kappa2FromAnisotropies(*donor, *acceptor, message);
      acceptor_anisotropy_.message->setText(FromUtf8(message));
    }
    // The disabled fields show the bounds in use.
    const QSignalBlocker min_blocker(kappa2_min_.edit);
    const QSignalBlocker max_blocker(kappa2_max_.edit);
    kappa2_min_.edit->setText(range ? Text(range->min) : kNoFigure);
    kappa2_max_.edit->setText(range ? Text(range->max) : kNoFigure);
    return range;
  }
  const std::optional<double> min = Report(ReadNumber(*kappa2_min_.edit), *kappa2_min_.message);
  const std::optional<double> max = Report(ReadNumber(*kappa2_max_.edit), *kappa2_max_.message);
  if (!min || !max) return std::nullopt;
  if (IsKappa2Range(*min, *max)) return Kappa2Range{*min, *max};
  // Why not, beside the field that breaks the rule the command line holds
  // a range to: 0 <= min <= max <= 4.
  const QString bound = FromUtf8(FormatGeneral(kLargestKappa2, 15));
  if (*min < kSmallestKappa2) {
    kappa2_min_.message->setText(QStringLiteral("\u03BA\u00B2 cannot be negative."));
  } else if (*max < kSmallestKappa2) {
    kappa2_max_.message->setText(QStringLiteral("\u03BA\u00B2 cannot be negative."));
  } else if (*max > kLargestKappa2) {
    kappa2_max_.message->setText(QStringLiteral("\u03BA\u00B2 cannot exceed %1.").arg(bound));
  } else if (*min > kLargestKappa2) {
    kappa2_min_.message->setText(QStringLiteral("\u03BA\u00B2 cannot exceed %1.").arg(bound));
  } else {
    kappa2_max_.message->setText(QStringLiteral("The maximum lies below the minimum."));
  }
  return std::nullopt;
}

std::optional<InputErrors> AnalysisWindow::EnteredErrors() {
  const auto read = [](const Field& field) {
    Checked result = ReadNumber(*field.edit);
    if (result.value) result = ErrorFromPercent(*result.value);
    return Report(result, *field.message);
  };
  const std::optional<double> quantum_yield = read(quantum_yield_error_);
  const std::optional<double> refractive_index = read(refractive_index_error_);
  const std::optional<double> extinction = read(extinction_error_);
  if (!quantum_yield || !refractive_index || !extinction) return std::nullopt;
  return InputErrors{.quantum_yield = *quantum_yield,
                     .refractive_index = *refractive_index,
                     .extinction = *extinction};
}

void AnalysisWindow::ShowUncertainty(const std::optional<AnalysisResult>& analysis) {
  if (!analysis || !analysis->uncertainty) {
    r0_min_->setText(kNoFigure);
    r0_max_->setText(kNoFigure);
    for (FactorRow& row : factor_rows_) {
      for (QLabel* label : {row.min, row.max, row.share}) label->setText(kNoFigure);
      row.bar->SetShare(std::nullopt);
    }
    return;
  }
  const R0Uncertainty& uncertainty = *analysis->uncertainty;
  r0_min_->setText(Text(uncertainty.r0_min));
  r0_max_->setText(Text(uncertainty.r0_max));
  for (const FactorSpread& spread : uncertainty.factors) {
    FactorRow& row = factor_rows_[static_cast<std::size_t>(spread.factor)];
    row.min->setText(Text(spread.r0_min));
    row.max->setText(Text(spread.r0_max));
    row.share->setText(Text(100.0 * spread.share) + QStringLiteral(" %"));
    row.bar->SetShare(spread.share);
  }
}

void AnalysisWindow::ShowOverlap(const std::optional<AnalysisResult>& analysis) {
  cumulative_series_->ClearSeries();
  term_series_->ClearSeries();
  if (!analysis) {
    for (QLabel* label : {overlap_peak_, overlap_band_, overlap_warnings_})
      label->setText(kNoFigure);
    return;
  }
  const OverlapDiagnostics& diagnostics = analysis->overlap;
  if (diagnostics.available) {
    // The terms are some 1e-14 M^-1 cm^3 each, below what axis labels
    // show, so they are drawn against their peak: only their shape matters.
    const double peak_term =
        diagnostics.terms[static_cast<std::size_t>(diagnostics.peak - diagnostics.first)];
    for (std::size_t i = 0; i < diagnostics.cumulative_fraction.size(); ++i) {
      const double nm = diagnostics.first + static_cast<double>(i);
      cumulative_series_->AddPoint(nm, diagnostics.cumulative_fraction[i]);
      term_series_->AddPoint(nm, diagnostics.terms[i] / peak_term);
    }
    overlap_peak_->setText(QStringLiteral("%1 nm").arg(diagnostics.peak));
    overlap_band_->setText(
        QStringLiteral("from %1 to %2 nm").arg(diagnostics.band_first).arg(diagnostics.band_last));
  } else {
    overlap_peak_->setText(kNoFigure);
    overlap_band_->setText(kNoFigure);
  }
  QStringList warnings;
  for (const std::string& warning : diagnostics.warnings)
    warnings.append(QStringLiteral("\u2022 ") + FromUtf8(warning));
  overlap_warnings_->setText(warnings.isEmpty() ? QStringLiteral("No warnings")
                                                : warnings.join(QStringLiteral("\n")));
}

}  // namespace korin
