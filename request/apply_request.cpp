#include "request/apply_request.h"

#include "core/calculation_gate.h"
#include "core/parameter_ranges.h"
#include "numeric/decimal_bound.h"
#include "numeric/number_text.h"

namespace korin {
namespace {

// The digits the panel writes the peak coefficient back with.
constexpr int kCoefficientDigits = 15;

LoadOutcome Open(FretEngine& engine, const FretRequest& request, SpectrumSide side,
                 const MessageSink& sink) {
  const SpectrumRequest& spectrum = request.Spectrum(side);
  if (ReadsColumns(request, side)) {
    const ColumnRequest columns = ColumnRequestOf(request, side);
    return spectrum.content
               ? LoadColumns(engine, side, columns, {spectrum.path, *spectrum.content}, sink)
               : OpenColumns(engine, side, columns, spectrum.path, sink);
  }
  const int entry = FilterEntryOf(request, side);
  return spectrum.content
             ? LoadSpectrum(engine, side, entry, {spectrum.path, *spectrum.content}, sink)
             : OpenSpectrum(engine, side, entry, spectrum.path, sink);
}

// Extinction entry: the coefficient entered. Once both spectra stand, the
// gate writes the coefficient back in the general format and, when that
// text differs ("8e4" becomes "80000"), runs again on it, so J comes from
// the rewritten value; with the acceptor alone the gate stops earlier, and
// the rewrite is entered here instead, so that one spectrum prepared alone
// holds what it holds in a pair.
void EnterCoefficient(FretEngine& engine, const std::string& text) {
  engine.SetExtinctionEntry(true);
  engine.EnterField(PanelField::kExtinction, text);
  // The general format of a value read from it is that text again, so a
  // second rewrite never differs; the bound only guards the loop.
  for (int rewrites = 0; rewrites < 3 && engine.session().extinction_valid; ++rewrites) {
    const std::string written = FormatGeneral(engine.session().extinction_max, kCoefficientDigits);
    if (written == engine.FieldText(PanelField::kExtinction)) break;
    engine.EnterField(PanelField::kExtinction, written);
  }
}

std::string Name(Parameter parameter, Naming naming) {
  const ParameterDeclaration& declared = DeclarationOf(parameter);
  return naming == Naming::kOptions ? declared.option : "the " + declared.words;
}

// The parameter's own refusal of what was typed, as its field refused it.
std::string Refused(const FretRequest& request, Parameter parameter, Naming naming) {
  const std::vector<ValueRefusal> refusals = Refusals(parameter, request.Text(parameter));
  if (refusals.empty()) return Name(parameter, naming) + " is not accepted";
  return RefusalText(parameter, refusals.front(), naming);
}

std::string SharedRefusal(const FretSession& s, const FretRequest& request, Naming naming) {
  if (!s.orientation_valid) return Refused(request, Parameter::kOrientation, naming);
  if (!s.refractive_index_valid) return Refused(request, Parameter::kRefractiveIndex, naming);
  if (!Exceeds(s.refractive_index, bounds::kGateMinRefractiveIndex)) {
    return "the refractive index must exceed 1E-4 for the calculation";
  }
  return {};
}

std::string DonorRefusal(const FretSession& s, const FretRequest& request, Naming naming) {
  if (!s.quantum_yield_valid) return Refused(request, Parameter::kQuantumYield, naming);
  if (!s.emission_valid) return "the emission is not in use";
  if (!Exceeds(s.quantum_yield, bounds::kGateMinQuantumYield)) {
    return "the quantum yield must exceed 1E-7 for the calculation";
  }
  return {};
}

std::string AcceptorRefusal(const FretEngine& engine, const FretRequest& request, Naming naming) {
  const FretSession& s = engine.session();
  if (!s.concentration_valid) return Refused(request, Parameter::kConcentration, naming);
  if (!Exceeds(s.concentration, bounds::kGateMinConcentration)) {
    return "the concentration must exceed 1E-10 mol/L for the calculation";
  }
  if (!s.absorption_valid) return "the absorption is not in use";
  if (s.extinction_valid) return {};
  if (!request.Given(Parameter::kExtinction)) {
    return "no extinction spectrum can be derived from this absorbance";
  }
  const std::string typed = request.Text(Parameter::kExtinction);
  double value = 0.0;
  if (!ReadInRange(typed, ranges::kExtinction, value)) {
    return Refused(request, Parameter::kExtinction, naming);
  }
  // In range as typed, but the text written back in 15 digits reaches the
  // bound (9999999999.999998 becomes 10000000000), and the panel refuses
  // the text it wrote.
  const std::string& written = engine.FieldText(PanelField::kExtinction);
  if (written != typed && !ReadInRange(written, ranges::kExtinction, value)) {
    return Name(Parameter::kExtinction, naming) + " '" + typed + "' is written back in " +
           std::to_string(kCoefficientDigits) + " digits as '" + written + "', which is not " +
           std::string(ranges::kExtinction.accepted);
  }
  return "the absorbance cannot be scaled to " + Name(Parameter::kExtinction, naming) +
         ": it has no positive value, or the scaled values lie beyond the range of a double";
}

}  // namespace

bool RequestOutcome::Loaded(const FretRequest& request) const {
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    if (!request.Spectrum(side).Given()) continue;
    const std::optional<LoadOutcome>& outcome = Of(side);
    if (!outcome || outcome->kind != LoadOutcome::Kind::kAccepted) return false;
  }
  return true;
}

void EnterParameters(FretEngine& engine, const FretRequest& request) {
  if (!engine.Started()) engine.Start();
  const int solvent = SolventOf(request);
  engine.ChooseSolvent(solvent);
  if (solvent == 0) {
    engine.EnterField(PanelField::kRefractiveIndex, request.Text(Parameter::kRefractiveIndex));
  }
  engine.ChooseOpticalPath(OpticalPathOf(request));
  engine.EnterField(PanelField::kOrientation, request.Text(Parameter::kOrientation));
  engine.EnterField(PanelField::kQuantumYield, request.Text(Parameter::kQuantumYield));
  engine.SetExtinctionEntry(false);
  engine.EnterField(PanelField::kConcentration, request.Text(Parameter::kConcentration));
}

RequestOutcome ApplyRequest(FretEngine& engine, const FretRequest& request,
                            const RequestHooks& hooks) {
  RequestOutcome outcome;
  EnterParameters(engine, request);
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    if (!request.Spectrum(side).Given()) continue;
    LoadOutcome opened = Open(engine, request, side, hooks.messages);
    if (hooks.opened) hooks.opened(side, opened);
    const bool accepted = opened.kind == LoadOutcome::Kind::kAccepted;
    (side == SpectrumSide::kEmission ? outcome.emission : outcome.absorption) = std::move(opened);
    if (!accepted && hooks.stop_at_refused) return outcome;
  }
  if (request.Given(Parameter::kExtinction)) {
    EnterCoefficient(engine, request.Text(Parameter::kExtinction));
  }
  engine.RunGate();
  return outcome;
}

std::string GateRefusal(const FretEngine& engine, const FretRequest& request, Naming naming) {
  const FretSession& s = engine.session();
  if (std::string why = SharedRefusal(s, request, naming); !why.empty()) return why;
  const bool donor = request.emission.Given();
  const bool acceptor = request.absorption.Given();
  if (donor) {
    if (std::string why = DonorRefusal(s, request, naming); !why.empty()) return why;
  }
  if (acceptor) {
    if (std::string why = AcceptorRefusal(engine, request, naming); !why.empty()) return why;
  }
  if (!donor || !acceptor || engine.LastGateOutcome() == GateOutcome::kShown) return {};
  if (engine.LastGateOutcome() == GateOutcome::kOverlapNotFinite) {
    return "the overlap integral is beyond the range of a double";
  }
  return "an input is not valid";
}

std::string RefusalText(Parameter parameter, const ValueRefusal& refusal, Naming naming) {
  return Name(parameter, naming) + (naming == Naming::kOptions ? ": '" : " '") + refusal.text +
         "' is not accepted; " + refusal.why;
}

}  // namespace korin
