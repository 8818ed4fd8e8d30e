#include "core/fret_engine.h"

#include <algorithm>
#include <cstddef>

#include "core/calculation_gate.h"
#include "core/emission.h"
#include "core/forster.h"
#include "core/parameter_ranges.h"
#include "core/parameter_tables.h"
#include "numeric/decimal_bound.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

constexpr std::size_t Index(PanelField field) {
  return static_cast<std::size_t>(field);
}

// The digits of the texts the panel writes: 5 for the orientation factor,
// 15 for the refractive index, the concentration and the peak coefficient.
constexpr int kShortDigits = 5;
constexpr int kLongDigits = 15;

bool RangeOnGrid(int first, int last) {
  return SpectrumGrid::Contains(first) && SpectrumGrid::Contains(last) && first < last;
}

}  // namespace

FretEngine::FretEngine(FretView* view) {
  AddView(view);
  // The fields' texts as the panel is laid out, before its start runs.
  texts_[Index(PanelField::kConcentration)] = "1.00e-5";
  texts_[Index(PanelField::kOrientation)] = "1";
  texts_[Index(PanelField::kQuantumYield)] = "0.5";
}

void FretEngine::AddView(FretView* view) {
  if (view != nullptr && std::ranges::find(views_, view) == views_.end()) views_.push_back(view);
}

void FretEngine::RemoveView(FretView* view) {
  std::erase(views_, view);
}

template <typename Tell>
void FretEngine::TellViews(const Tell& tell) {
  if (views_.size() == 1) {
    tell(*views_.front());
    return;
  }
  const std::vector<FretView*> views = views_;
  for (FretView* view : views) tell(*view);
}

const std::string& FretEngine::FieldText(PanelField field) const {
  return texts_[Index(field)];
}

// --- Start and the panel's fields -----------------------------------------

void FretEngine::Start() {
  ChooseOpticalPath(kStartOpticalPath);
  // The start value 2/3 is written as 0.66667, and the field's handler then
  // stores the value of that text, not 2/3.
  WriteField(PanelField::kOrientation, FormatGeneral(2.0 / 3.0, kShortDigits));
  ChooseSolvent(kStartSolvent);
  WriteField(PanelField::kConcentration, FormatGeneral(1e-5, kLongDigits));
}

void FretEngine::EditField(PanelField field, std::string_view text) {
  texts_[Index(field)] = text;
  RunFieldHandler(field);
}

void FretEngine::EnterField(PanelField field, std::string_view text) {
  texts_[Index(field)] = text;
  TellViews([&](FretView& v) { v.SetFieldText(field, text); });
  RunFieldHandler(field);
}

// A text written from code runs the field's handler at once, nested, when
// it differs from what the field holds; the same text is no change.
void FretEngine::WriteField(PanelField field, std::string_view text) {
  std::string& held = texts_[Index(field)];
  if (held == text) return;
  held = text;
  TellViews([&](FretView& v) { v.SetFieldText(field, text); });
  RunFieldHandler(field);
}

void FretEngine::RunFieldHandler(PanelField field) {
  switch (field) {
    case PanelField::kConcentration:
      ConcentrationEdited();
      break;
    case PanelField::kOrientation:
      OrientationEdited();
      break;
    case PanelField::kQuantumYield:
      QuantumYieldEdited();
      break;
    case PanelField::kRefractiveIndex:
      RefractiveIndexEdited();
      break;
    case PanelField::kExtinction:
      ExtinctionEdited();
      break;
  }
}

void FretEngine::ConcentrationEdited() {
  FretSession& s = session_;
  // Typing a concentration always means concentration entry, whatever the
  // radio buttons show.
  s.extinction_mode = false;
  s.concentration_valid =
      ReadInRange(FieldText(PanelField::kConcentration), ranges::kConcentration, s.concentration);
  if (!s.concentration_valid) ClearSeries(PlotSeries::kExtinction);
  if (s.absorption_valid) (void)DeriveExtinction();
  RunGate();
}

void FretEngine::OrientationEdited() {
  FretSession& s = session_;
  s.orientation_valid =
      ReadInRange(FieldText(PanelField::kOrientation), ranges::kOrientation, s.orientation_factor);
  RunGate();
}

void FretEngine::QuantumYieldEdited() {
  FretSession& s = session_;
  s.quantum_yield_valid =
      ReadInRange(FieldText(PanelField::kQuantumYield), ranges::kQuantumYield, s.quantum_yield);
  PlotEmission();
  RunGate();
}

void FretEngine::RefractiveIndexEdited() {
  FretSession& s = session_;
  s.refractive_index_valid = ReadInRange(FieldText(PanelField::kRefractiveIndex),
                                         ranges::kRefractiveIndex, s.refractive_index);
  RunGate();
}

void FretEngine::ChooseSolvent(int index) {
  if (index < 0 || index >= static_cast<int>(kSolventTable.size())) return;
  solvent_index_ = index;
  TellViews([&](FretView& v) { v.ShowListChoice(PanelList::kSolvent, index); });
  const double refractive_index = kSolventTable[static_cast<std::size_t>(index)].refractive_index;
  WriteField(PanelField::kRefractiveIndex, FormatGeneral(refractive_index, kLongDigits));
  session_.refractive_index = refractive_index;
  RunGate();
}

void FretEngine::ChooseOpticalPath(int index) {
  if (index < 0 || index >= static_cast<int>(kOpticalPathTable.size())) return;
  FretSession& s = session_;
  optical_path_index_ = index;
  TellViews([&](FretView& v) { v.ShowListChoice(PanelList::kOpticalPath, index); });
  s.optical_path = kOpticalPathTable[static_cast<std::size_t>(index)].centimetres;
  if (s.absorption_valid) (void)DeriveExtinction();
  RunGate();
}

void FretEngine::SetExtinctionEntry(bool extinction) {
  session_.extinction_mode = extinction;
  TellViews([&](FretView& v) { v.ShowEntryMode(extinction); });
}

// --- The extinction spectrum ----------------------------------------------

ConcentrationDerivation FretEngine::DeriveExtinction() {
  FretSession& s = session_;
  if (s.extinction_mode) return ConcentrationDerivation::kExtinctionMode;
  s.extinction_valid = true;
  ClearSeries(PlotSeries::kExtinction);
  WriteField(PanelField::kExtinction, "");
  const ConcentrationDerivation result =
      ExtinctionFromConcentration(s, s.absorption_first, s.absorption_last);
  if (result != ConcentrationDerivation::kDerived) return result;
  WriteField(PanelField::kExtinction, FormatGeneral(s.extinction_max, kLongDigits));
  PlotExtinction();
  return result;
}

// A typed peak coefficient: the absorbance is scaled to it, the gate runs,
// and only then is the scaled spectrum drawn.
void FretEngine::ExtinctionEdited() {
  FretSession& s = session_;
  if (!s.extinction_mode) return;
  s.extinction_valid = false;
  ClearSeries(PlotSeries::kExtinction);
  // The value is stored even when the text is not a number.
  if (!ReadInRange(FieldText(PanelField::kExtinction), ranges::kExtinction, s.extinction_max)) {
    SetResultsVisible(false);
    return;
  }
  if (!s.absorption_valid) return;
  // Nothing to scale to (no positive absorbance), or a scaled value beyond
  // the doubles: derive nothing, show nothing.
  if (!RescaleExtinction(s)) {
    SetResultsVisible(false);
    return;
  }
  RunGate();
  PlotExtinction();
}

// --- Plots ---------------------------------------------------------------

void FretEngine::ClearSeries(PlotSeries series) {
  TellViews([&](FretView& v) { v.ClearSeries(series); });
}

void FretEngine::AddPoints(PlotSeries series, int first, std::span<const double> ys) {
  TellViews([&](FretView& v) { v.AddPoints(series, first, ys); });
}

void FretEngine::PlotGrid(PlotSeries series, const SpectrumGrid& grid, int first, int last) {
  const auto values = grid.values();
  AddPoints(series, first,
            values.subspan(static_cast<std::size_t>(first - SpectrumGrid::kFirstWavelength),
                           static_cast<std::size_t>(last - first + 1)));
}

void FretEngine::PlotEmission() {
  const FretSession& s = session_;
  ClearSeries(PlotSeries::kEmission);
  if (!s.quantum_yield_valid || !s.emission_valid) return;
  // Room for the whole grid at once, rather than growing step by step.
  ys_.reserve(SpectrumGrid::kSize);
  ys_.clear();
  for (int w = s.emission_first; w <= s.emission_last; ++w) {
    ys_.push_back(s.donor_emission[w] * s.quantum_yield * 1000);
  }
  AddPoints(PlotSeries::kEmission, s.emission_first, ys_);
}

void FretEngine::PlotExtinction() {
  const FretSession& s = session_;
  PlotGrid(PlotSeries::kExtinction, s.acceptor_extinction, s.absorption_first, s.absorption_last);
}

// --- The gate --------------------------------------------------------------

void FretEngine::RunGate() {
  FretSession& s = session_;
  if (!GateConditionsHold(s)) {
    gate_outcome_ = GateOutcome::kConditionsFail;
    SetResultsVisible(false);
    return;
  }
  if (DeriveExtinction() == ConcentrationDerivation::kNotFinite) {
    gate_outcome_ = GateOutcome::kExtinctionNotFinite;
    SetResultsVisible(false);
    return;
  }
  if (!ComputeOverlapIntegral(s)) {
    gate_outcome_ = GateOutcome::kOverlapNotFinite;
    SetResultsVisible(false);
    return;
  }
  ComputeForsterDistance();
  // The rewrite of the coefficient may have run the gate again, nested, on
  // a text that it then refused.
  if (GateConditionsHold(s)) {
    gate_outcome_ = GateOutcome::kShown;
    SetResultsVisible(true);
  } else {
    gate_outcome_ = GateOutcome::kConditionsFail;
    SetResultsVisible(false);
  }
}

void FretEngine::ComputeForsterDistance() {
  const FretSession& s = session_;
  // In extinction entry a typed text that differs from the general format
  // (8e4 for 80000) is replaced, and the replacement reruns everything.
  WriteField(PanelField::kExtinction, FormatGeneral(s.extinction_max, kLongDigits));
  // R0 from the J that now stands, so that the two texts agree.
  forster_distance_ = ForsterDistance(s);
  overlap_integral_text_ = FormatExponent(s.overlap_integral, ".");
  forster_distance_text_ = FormatFixed(forster_distance_, ".");
  TellViews([&](FretView& v) { v.SetResultTexts(overlap_integral_text_, forster_distance_text_); });
}

void FretEngine::SetResultsVisible(bool visible) {
  results_visible_ = visible;
  TellViews([&](FretView& v) { v.SetResultsVisible(visible); });
}

// --- Loading ---------------------------------------------------------------

void FretEngine::BeginLoad(SpectrumSide side) {
  FretSession& s = session_;
  if (side == SpectrumSide::kAbsorption) {
    s.absorption_valid = false;
    s.extinction_valid = false;
    ClearAbsorption(s);
    // Blanking the coefficient is a change of its field: in extinction
    // entry it hides the results and empties the extinction series.
    WriteField(PanelField::kExtinction, "");
    absorption_origin_ = {};
  } else {
    ClearEmission(s);
    s.emission_valid = false;
    raw_emission_.Clear();
    emission_origin_ = {};
  }
  SetResultsVisible(false);
}

bool FretEngine::AcceptSpectrum(SpectrumSide side, const GridSpectrum& spectrum,
                                std::string_view name) {
  // Every later step walks the grid from first to last.
  if (!RangeOnGrid(spectrum.first, spectrum.last)) {
    RefuseSpectrum(side);
    return false;
  }
  FretSession& s = session_;
  if (side == SpectrumSide::kAbsorption) {
    s.acceptor_absorbance = spectrum.values;
    s.acceptor_absorbance.ClearOutside(spectrum.first, spectrum.last);
    s.absorption_first = spectrum.first;
    s.absorption_last = spectrum.last;
    s.absorption_valid = true;
    TellViews([&](FretView& v) { v.ShowSpectrum(side, name); });
    ClearSeries(PlotSeries::kAcceptorInput);
    PlotGrid(PlotSeries::kAcceptorInput, s.acceptor_absorbance, s.absorption_first,
             s.absorption_last);
    // A new spectrum is derived from the concentration, whatever the radio
    // buttons show.
    s.extinction_mode = false;
    (void)DeriveExtinction();
    RunGate();
    return true;
  }
  s.donor_emission = spectrum.values;
  s.donor_emission.ClearOutside(spectrum.first, spectrum.last);
  raw_emission_ = s.donor_emission;
  s.emission_first = spectrum.first;
  s.emission_last = spectrum.last;
  s.emission_valid = true;
  TellViews([&](FretView& v) { v.ShowSpectrum(side, name); });
  // The input window shows the intensities as read, before normalisation.
  ClearSeries(PlotSeries::kDonorInput);
  PlotGrid(PlotSeries::kDonorInput, s.donor_emission, s.emission_first, s.emission_last);
  // An area it cannot use leaves the emission not loaded: the series stays
  // empty and the gate hides the results.
  const bool usable = NormalizeEmission(s);
  PlotEmission();
  RunGate();
  return usable;
}

void FretEngine::RefuseSpectrum(SpectrumSide side) {
  if (side == SpectrumSide::kAbsorption) {
    ClearSeries(PlotSeries::kExtinction);
    TellViews([&](FretView& v) { v.WithdrawSpectrum(side); });
    ClearSeries(PlotSeries::kAcceptorInput);
  } else {
    TellViews([&](FretView& v) { v.WithdrawSpectrum(side); });
    ClearSeries(PlotSeries::kEmission);
    ClearSeries(PlotSeries::kDonorInput);
  }
  SetResultsVisible(false);
}

void FretEngine::ReportStatus(std::string_view text) {
  TellViews([&](FretView& v) { v.ShowStatus(text); });
}

const SpectrumOrigin& FretEngine::Origin(SpectrumSide side) const {
  return side == SpectrumSide::kEmission ? emission_origin_ : absorption_origin_;
}

void FretEngine::SetOrigin(SpectrumSide side, SpectrumOrigin origin) {
  (side == SpectrumSide::kEmission ? emission_origin_ : absorption_origin_) = std::move(origin);
}

}  // namespace korin
