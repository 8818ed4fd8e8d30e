#include "plan/plan_request.h"

#include <cmath>

#include "batch/dye_preparation.h"
#include "core/fret_analysis.h"
#include "io/column_choice.h"
#include "io/column_table.h"
#include "io/spectrum_file.h"
#include "io/spectrum_formats.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "request/apply_request.h"

namespace korin {
namespace {

using Values = std::span<const std::string>;

std::vector<ValueRefusal> Laser(Values values) {
  double nm = 0.0;
  if (ParseReal(values.front(), nm) && nm >= SpectrumGrid::kFirstWavelength &&
      nm <= SpectrumGrid::kLastWavelength) {
    return {};
  }
  return {{values.front(), "expected a wavelength in nm with 100 <= nm <= 1500"}};
}

std::vector<ValueRefusal> ChannelPart(Values values) {
  if (!values.front().empty()) return {};
  return {{values.front(), "expected CENTER/WIDTH in nm or a file"}};
}

std::vector<ValueRefusal> Apparent(Values values) {
  double e = 0.0;
  if (ParseReal(values.front(), e) && e >= 0.0 && e <= 1.0) return {};
  return {{values.front(), "expected a number with 0 <= E_app <= 1"}};
}

std::vector<PlanParameterDeclaration> MakeTable() {
  using P = PlanParameter;
  return {
      {P::kDonorAbsorptionColumns, "donor_absorption_columns", "--donor-absorption-columns", "",
       "Read the donor absorption file as delimited columns: WL,VALUE as column numbers from 1 "
       "or header names, VALUE, or auto for the column its header names",
       false, Parameter::kAbsorptionColumns, nullptr},
      {P::kDonorAbsorptionUnits, "donor_absorption_units", "--donor-absorption-units", "",
       "Wavelength unit of the donor absorption columns: nm, um or cm-1", false,
       Parameter::kAbsorptionUnits, nullptr},
      {P::kAcceptorEmissionColumns, "acceptor_emission_columns", "--acceptor-emission-columns", "",
       "Read the acceptor emission file as delimited columns: WL,VALUE, VALUE or auto", false,
       Parameter::kEmissionColumns, nullptr},
      {P::kAcceptorEmissionUnits, "acceptor_emission_units", "--acceptor-emission-units", "",
       "Wavelength unit of the acceptor emission columns: nm, um or cm-1", false,
       Parameter::kEmissionUnits, nullptr},
      {P::kDonorExtinction, "donor_extinction", "--donor-extinction", "M^-1 cm^-1",
       "The donor's peak molar extinction coefficient, to which its absorption is scaled", false,
       Parameter::kExtinction, nullptr},
      {P::kAcceptorQuantumYield, "acceptor_quantum_yield", "--acceptor-quantum-yield", "",
       "The acceptor's fluorescence quantum yield", false, Parameter::kQuantumYield, nullptr},
      {P::kDonorLaser, "donor_laser", "--donor-laser", "nm", "The laser that excites the donor",
       false, std::nullopt, Laser},
      {P::kAcceptorLaser, "acceptor_laser", "--acceptor-laser", "nm",
       "A second laser for the acceptor (alternating excitation): adds delta and beta", false,
       std::nullopt, Laser},
      {P::kDonorChannel, "donor_channel", "--donor-channel", "",
       "The donor channel: a band-pass CENTER/WIDTH in nm or a filter or detector file; "
       "repeated, their product",
       true, std::nullopt, ChannelPart},
      {P::kAcceptorChannel, "acceptor_channel", "--acceptor-channel", "",
       "The acceptor channel: a band-pass CENTER/WIDTH in nm or a filter or detector file; "
       "repeated, their product",
       true, std::nullopt, ChannelPart},
      {P::kApparentEfficiency, "apparent_efficiency", "--apparent-efficiency", "",
       "A measured apparent efficiency: gives the true efficiency and the distance", false,
       std::nullopt, Apparent},
  };
}

double Number(std::string_view text) {
  double value = 0.0;
  (void)ParseReal(text, value);
  return value;
}

// Why a spectrum of the plan is not in use, in the table's words.
std::string NotInUse(std::string_view what, const TableError& error) {
  std::string text = "the " + std::string(what) + " spectrum is not accepted: " + error.reason;
  for (const std::string& message : error.messages) text += "; " + message;
  return text;
}

// One of the two added spectra, read as the pair table prepares a dye.
std::optional<PlanSpectrum> Prepare(const SpectrumRequest& source, SpectrumSide side,
                                    const PlanRequest& request, PlanParameter columns,
                                    PlanParameter units, std::string_view what,
                                    const PlanFileReader& read, PlanOutcome& outcome) {
  DyeRecord record = ListedDye(side, source.path, FretRequest{});
  record.values = FretRequest{};
  if (side == SpectrumSide::kAbsorption) {
    record.values.Set(Parameter::kExtinction,
                      std::string(request.Values(PlanParameter::kDonorExtinction).front()));
  }
  if (request.Given(columns) || request.Given(units)) {
    const auto text = [&](PlanParameter p) {
      return request.Given(p) ? request.Values(p).front() : std::string();
    };
    ReadThroughColumns(record, text(columns), text(units));
  }
  const DyeReader reader = [&](const std::string& path) -> std::optional<std::string> {
    if (source.content) return *source.content;
    return read(path);
  };
  const DyePreparation prepared = PrepareDye(record, request.pair, reader);
  if (!prepared.dye) {
    outcome.refusal = NotInUse(what, prepared.error);
    return std::nullopt;
  }
  // The pair table marks what it still took with "Warning: "; the notes are
  // all such.
  constexpr std::string_view kMarked = "Warning: ";
  for (const std::string& message : prepared.dye->messages) {
    outcome.notes.push_back(message.starts_with(kMarked) ? message.substr(kMarked.size())
                                                         : message);
  }
  return PlanSpectrum{prepared.dye->grid, prepared.dye->first, prepared.dye->last};
}

// The pair's request with its files' bytes, each read once; a file whose
// header names several spectra, given without columns or a filter entry, is
// read through the column import by the column its header names for the
// side, so that one download gives both spectra of a dye.
FretRequest PairWithContent(const FretRequest& pair, const PlanFileReader& read) {
  FretRequest request = pair;
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    SpectrumRequest& spectrum = request.Spectrum(side);
    if (spectrum.path.empty() || spectrum.content) continue;
    spectrum.content = read(spectrum.path);
    if (!spectrum.content) continue;
    if (!ReadsColumns(request, side) && FilterEntryOf(request, side) == kFilterByExtension &&
        NamesSeveralSpectra(ScanColumnTable(*spectrum.content))) {
      request.Set(ColumnsParameter(side), "auto");
    }
  }
  return request;
}

// The pair's spectra, J and R0 through the panel, or false with the refusal.
bool RunPair(const PlanRequest& plan, const PlanFileReader& read, PlanOutcome& outcome) {
  const FretRequest pair = PairWithContent(plan.pair, read);
  FretEngine engine;
  RequestHooks hooks;
  std::vector<std::string> messages;
  hooks.messages = [&messages](std::string_view message) { messages.emplace_back(message); };
  std::string refused;
  hooks.opened = [&](SpectrumSide side, const LoadOutcome& loaded) {
    for (const std::string& warning : loaded.warnings) outcome.notes.push_back(warning);
    if (loaded.kind != LoadOutcome::Kind::kAccepted && refused.empty()) {
      const std::string what =
          side == SpectrumSide::kEmission ? "donor emission" : "acceptor absorption";
      refused = "the " + what + " spectrum is not accepted: " + pair.Spectrum(side).path +
                (loaded.reason.empty() ? "" : ": " + loaded.reason);
    }
  };
  (void)ApplyRequest(engine, pair, hooks);
  if (!refused.empty() || engine.LastGateOutcome() != GateOutcome::kShown) {
    outcome.refusal = !refused.empty() ? refused : GateRefusal(engine, pair, Naming::kWords);
    for (const std::string& message : messages) outcome.refusal += "; " + message;
    return false;
  }
  const FretSession& s = engine.session();
  outcome.overlap_integral = s.overlap_integral;
  outcome.overlap_integral_text = engine.OverlapIntegralText();
  outcome.forster_distance = engine.ForsterDistanceValue();
  outcome.forster_distance_text = engine.ForsterDistanceText();
  outcome.spectra.donor_emission = {s.donor_emission, s.emission_first, s.emission_last};
  outcome.spectra.acceptor_extinction = {s.acceptor_extinction, s.absorption_first,
                                         s.absorption_last};
  return true;
}

}  // namespace

std::span<const PlanParameterDeclaration> PlanParameterTable() {
  static const std::vector<PlanParameterDeclaration> table = MakeTable();
  return table;
}

const PlanParameterDeclaration& DeclarationOf(PlanParameter parameter) {
  return PlanParameterTable()[static_cast<std::size_t>(parameter)];
}

std::vector<ValueRefusal> Refusals(PlanParameter parameter, std::span<const std::string> values) {
  const PlanParameterDeclaration& declared = DeclarationOf(parameter);
  std::vector<ValueRefusal> refused;
  for (const std::string& value : values) {
    const std::span<const std::string> one(&value, 1);
    auto why = declared.rule_of ? Refusals(*declared.rule_of, one) : declared.refuse(one);
    refused.insert(refused.end(), why.begin(), why.end());
  }
  return refused;
}

std::optional<std::string> ReadPlanFile(const std::string& path) {
  const SpectrumFile file = ReadSpectrumFile(path);
  if (!file.opened) return std::nullopt;
  return std::string(file.content());
}

PlanOutcome RunPlan(const PlanRequest& request, const PlanFileReader& read) {
  PlanOutcome outcome;
  if (const std::vector<RequestRefusal> refused = CheckRequest(request.pair); !refused.empty()) {
    outcome.refusal =
        RefusalText(refused.front().parameter, refused.front().refusal, Naming::kWords);
    return outcome;
  }
  for (const PlanParameterDeclaration& declared : PlanParameterTable()) {
    for (const ValueRefusal& why : Refusals(declared.id, request.Values(declared.id))) {
      outcome.refusal = declared.option + ": '" + why.text + "' is not accepted; " + why.why;
      return outcome;
    }
  }
  const auto missing = [&](bool given, std::string_view what) {
    if (!given && outcome.refusal.empty()) outcome.refusal = std::string(what) + " is needed";
  };
  missing(request.pair.emission.Given(), "the donor emission spectrum");
  missing(request.pair.absorption.Given(), "the acceptor absorption spectrum");
  missing(request.donor_absorption.Given(), "the donor absorption spectrum");
  missing(request.acceptor_emission.Given(), "the acceptor emission spectrum");
  missing(request.Given(PlanParameter::kDonorExtinction),
          "the donor's peak extinction coefficient");
  missing(request.Given(PlanParameter::kAcceptorQuantumYield), "the acceptor's quantum yield");
  missing(request.Given(PlanParameter::kDonorLaser), "the donor laser");
  missing(request.Given(PlanParameter::kDonorChannel), "the donor channel");
  missing(request.Given(PlanParameter::kAcceptorChannel), "the acceptor channel");
  if (!outcome.refusal.empty()) return outcome;

  if (!RunPair(request, read, outcome)) return outcome;
  const auto donor_extinction =
      Prepare(request.donor_absorption, SpectrumSide::kAbsorption, request,
              PlanParameter::kDonorAbsorptionColumns, PlanParameter::kDonorAbsorptionUnits,
              "donor absorption", read, outcome);
  if (!donor_extinction) return outcome;
  const auto acceptor_emission =
      Prepare(request.acceptor_emission, SpectrumSide::kEmission, request,
              PlanParameter::kAcceptorEmissionColumns, PlanParameter::kAcceptorEmissionUnits,
              "acceptor emission", read, outcome);
  if (!acceptor_emission) return outcome;
  outcome.spectra.donor_extinction = *donor_extinction;
  outcome.spectra.acceptor_emission = *acceptor_emission;

  PlanInstrument instrument;
  for (const auto& [parameter, name, grid] :
       {std::tuple{PlanParameter::kDonorChannel, "donor channel", &instrument.donor_channel},
        std::tuple{PlanParameter::kAcceptorChannel, "acceptor channel",
                   &instrument.acceptor_channel}}) {
    Channel channel = BuildChannel(request.Values(parameter), name, read);
    if (!channel.refusal.empty()) {
      outcome.refusal = channel.refusal;
      return outcome;
    }
    *grid = channel.transmission;
    outcome.notes.insert(outcome.notes.end(), channel.notes.begin(), channel.notes.end());
  }
  outcome.donor_channel = instrument.donor_channel;
  outcome.acceptor_channel = instrument.acceptor_channel;
  instrument.donor_quantum_yield = Number(request.pair.Text(Parameter::kQuantumYield));
  instrument.acceptor_quantum_yield =
      Number(request.Values(PlanParameter::kAcceptorQuantumYield).front());
  instrument.donor_laser = Number(request.Values(PlanParameter::kDonorLaser).front());
  if (request.Given(PlanParameter::kAcceptorLaser)) {
    instrument.acceptor_laser = Number(request.Values(PlanParameter::kAcceptorLaser).front());
  }
  PlanFiguresOrRefusal computed = ComputePlan(outcome.spectra, instrument);
  if (!computed.figures) {
    outcome.refusal = computed.refusal;
    return outcome;
  }
  outcome.figures = *computed.figures;

  const double r0 = outcome.forster_distance;
  if (request.pair.Given(Parameter::kDistance)) {
    const double r = Number(request.pair.Text(Parameter::kDistance));
    outcome.distance = r;
    // With R0 = 0 nothing transfers at any distance.
    outcome.efficiency_at_distance = r0 > 0.0 ? TransferEfficiency(r, r0) : 0.0;
    outcome.apparent_at_distance =
        ApparentEfficiency(outcome.figures.lines, *outcome.efficiency_at_distance);
    outcome.sensitivity = r0 > 0.0 ? TransferEfficiencySlope(r, r0) : 0.0;
  }
  if (request.Given(PlanParameter::kApparentEfficiency)) {
    const double apparent = Number(request.Values(PlanParameter::kApparentEfficiency).front());
    outcome.apparent = apparent;
    outcome.efficiency_from_apparent = EfficiencyFromApparent(outcome.figures.lines, apparent);
    if (!outcome.efficiency_from_apparent) {
      outcome.refusal =
          "--apparent-efficiency: " + FormatGeneral(apparent, 15) +
          " lies outside what this instrument shows, from " +
          FormatGeneral(ApparentEfficiency(outcome.figures.lines, 0.0), 5) + " at E = 0 to " +
          FormatGeneral(ApparentEfficiency(outcome.figures.lines, 1.0), 5) + " at E = 1";
      return outcome;
    }
    const double e = *outcome.efficiency_from_apparent;
    if (e > 0.0 && e < 1.0 && r0 > 0.0)
      outcome.distance_from_apparent = DonorAcceptorDistance(e, r0);
  }
  return outcome;
}

}  // namespace korin
