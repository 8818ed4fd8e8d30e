#include "report/data_export.h"

#include <cmath>
#include <cstddef>

#include "core/forster.h"
#include "core/fret_analysis.h"
#include "core/parameter_tables.h"
#include "core/version.h"
#include "numeric/number_text.h"
#include "report/analysis_text.h"
#include "request/engine_request.h"

namespace korin {
namespace {

std::string Program() {
  return "Korin-FRET " + std::string(kVersion);
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

const std::string& Field(const FretEngine& engine, PanelField field) {
  return engine.FieldText(field);
}

std::vector<ReportLine> Parameters(const FretEngine& engine) {
  const FretSession& s = engine.session();
  std::vector<ReportLine> lines = {
      {"Donor quantum yield", Trimmed(Field(engine, PanelField::kQuantumYield))},
      {"Orientation factor kappa^2", Trimmed(Field(engine, PanelField::kOrientation))},
  };
  const int solvent = engine.SolventIndex();
  const std::string n = Trimmed(Field(engine, PanelField::kRefractiveIndex));
  lines.push_back(
      {"Refractive index",
       solvent > 0
           ? n + " (" + std::string(kSolventTable[static_cast<std::size_t>(solvent)].name) + ")"
           : n});
  if (s.extinction_mode) {
    lines.push_back({"Acceptor peak extinction coefficient",
                     Trimmed(Field(engine, PanelField::kExtinction)) + " M^-1 cm^-1"});
  } else {
    lines.push_back(
        {"Acceptor concentration", Trimmed(Field(engine, PanelField::kConcentration)) + " mol/L"});
    lines.push_back({"Optical path", RoundTripText(s.optical_path) + " cm"});
    lines.push_back({"Acceptor peak extinction coefficient (derived)",
                     FormatGeneral(s.extinction_max, 15) + " M^-1 cm^-1"});
  }
  return lines;
}

std::vector<ReportLine> Results(const FretEngine& engine) {
  const double j = engine.session().overlap_integral;
  const double r0 = engine.ForsterDistanceValue();
  // With "." whatever the window's locale: the command line prints these.
  return {
      {"Overlap integral J", FormatExponent(j, ".") + " M^-1 cm^3"},
      {"Overlap integral J", AnalysisText(OverlapIntegralInNm4(j)) + " M^-1 cm^-1 nm^4"},
      {"Forster distance R0", FormatFixed(r0, ".") + " Angstroms"},
      {"Forster distance R0", AnalysisText(AngstromsToNanometres(r0)) + " nm"},
  };
}

}  // namespace

std::string ExportDataCsv(const FretEngine& engine) {
  const FretSession& s = engine.session();
  std::string csv = "# " + Program() + " data export\n";
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    const SpectrumOrigin& origin = engine.Origin(side);
    csv += std::string("# ") +
           (side == SpectrumSide::kEmission ? "Donor emission" : "Acceptor absorption") +
           " file: " + origin.path + " (read as " + origin.reader + ")\n";
  }
  for (const ReportLine& line : Parameters(engine))
    csv += "# " + line.label + ": " + line.value + "\n";
  for (const ReportLine& line : Results(engine))
    csv += "# " + line.label + ": " + line.value + "\n";
  csv +=
      "Wavelength [nm],Donor emission (as read),Donor emission (normalised) [nm^-1],Acceptor "
      "absorbance,Acceptor epsilon [M^-1 cm^-1],F*epsilon*lambda^4 [M^-1 cm^3 per nm],Cumulative J "
      "fraction\n";

  // The term of J is written whatever its sign; the cumulative fraction
  // only where J is positive.
  const OverlapDiagnostics d = DiagnoseOverlap(s);
  const int first = std::max(s.emission_first, s.absorption_first);
  const int last = std::min(s.emission_last, s.absorption_last);
  for (int w = first; w <= last; ++w) {
    const auto i = static_cast<std::size_t>(w - d.first);
    csv += std::to_string(w) + ',' + RoundTripText(engine.RawEmission()[w]) + ',' +
           RoundTripText(s.donor_emission[w]) + ',' + RoundTripText(s.acceptor_absorbance[w]) +
           ',' + RoundTripText(s.acceptor_extinction[w]) + ',' +
           RoundTripText(OverlapTerm(s.donor_emission, s.acceptor_extinction, w)) + ',' +
           (d.available ? RoundTripText(d.cumulative_fraction[i]) : std::string()) + '\n';
  }
  return csv;
}

ReportContent BuildReport(const FretEngine& engine, const FretRequest& reproduced,
                          const AnalysisResult& analysis, std::string date) {
  const FretSession& s = engine.session();
  ReportContent report;
  report.title = Program() + " report";
  report.date = std::move(date);
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    const SpectrumOrigin& origin = engine.Origin(side);
    const bool emission = side == SpectrumSide::kEmission;
    report.files.push_back({emission ? "Donor emission" : "Acceptor absorption", origin.path,
                            origin.reader, emission ? s.emission_first : s.absorption_first,
                            emission ? s.emission_last : s.absorption_last, origin.sha256.Value()});
  }
  report.parameters = Parameters(engine);
  report.results = Results(engine);
  for (ReportLine& line : AnalysisReportLines(analysis)) report.results.push_back(std::move(line));
  report.warnings = analysis.overlap.warnings;
  report.command = ReproducingCommand(reproduced);
  return report;
}

}  // namespace korin
