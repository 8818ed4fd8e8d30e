#include "cli/fret_cli.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli/analysis_options.h"
#include "cli/column_options.h"
#include "cli/export_options.h"
#include "cli/pairs_command.h"
#include "cli/parameter_options.h"
#include "cli/tool_messages.h"
#include "core/fret_engine.h"
#include "core/version.h"
#include "io/spectrum_loader.h"
#include "numeric/decimal_bound.h"
#include "numeric/number_text.h"

namespace korin {
namespace {

struct Options {
  std::string emission_file;
  std::string absorption_file;
  ParameterOptions parameters;
  bool json = false;
  AnalysisOptions analysis;
  ExportOptions exports;
  ColumnOptions columns;
};

// The single pair's parameters: the panel's, and the columns to import.
struct CliParameters : Parameters {
  ColumnLoads columns;
};

int Fail(std::ostream& err, std::string_view reason) {
  err << kProgram << ": " << reason << '\n';
  return kExitRejected;
}

// Opens one spectrum as the open commands do; answers whether it is in use.
bool Load(FretEngine& engine, SpectrumSide side, int filter, const std::string& path,
          ColumnLoads& columns, std::ostream& err, bool echo_messages) {
  const LoadOutcome outcome = OpenSide(
      engine, side, filter, path, columns,
      [&err, echo_messages](std::string_view m) {
        if (echo_messages) err << m << '\n';
      },
      err, echo_messages);
  const char* what = side == SpectrumSide::kAbsorption ? "absorption" : "emission";
  switch (outcome.kind) {
    case LoadOutcome::Kind::kAccepted:
      return true;
    case LoadOutcome::Kind::kNoReader:
      err << kProgram << ": no " << what << " reader for '" << path << "' with filter entry "
          << filter << "; name the format with --" << what << "-filter 2..6\n";
      return false;
    case LoadOutcome::Kind::kRefused:
      err << kProgram << ": " << what << " spectrum not accepted: " << path;
      // The column import says why: a choice the header leaves open.
      if (outcome.format->filter_entry == 0) err << ": " << outcome.reason;
      err << '\n';
      return false;
    case LoadOutcome::Kind::kUnusable:
      (void)Fail(err,
                 "the " + std::string(what) + " spectrum has no positive finite area: " + path);
      return false;
  }
  return false;
}

// Why the calculation cannot run, for a session whose gate failed.
std::string_view GateFailure(const FretEngine& engine) {
  const FretSession& s = engine.session();
  if (engine.LastGateOutcome() == GateOutcome::kOverlapNotFinite) {
    return "the overlap integral is beyond the range of a double";
  }
  if (!Exceeds(s.concentration, bounds::kGateMinConcentration)) {
    return "the concentration must exceed 1E-10 mol/L for the calculation";
  }
  if (!s.extinction_valid) {
    return "no extinction spectrum can be derived from this absorbance";
  }
  return "an input is not valid";
}

// The panel driven as a user would: the parameters typed and chosen, the
// two spectra opened, the coefficient typed in extinction entry, Calculate.
// Answers the exit code; the reader messages go to `err` when asked.
int Compute(const Options& o, CliParameters& p, const AnalysisRequest& analysis, FretEngine& engine,
            std::ostream& err, bool echo_messages) {
  engine.Start();
  engine.ChooseSolvent(p.solvent);
  if (o.parameters.refractive_index)
    engine.EditField(PanelField::kRefractiveIndex, *o.parameters.refractive_index);
  engine.ChooseOpticalPath(p.optical_path);
  engine.EditField(PanelField::kOrientation, o.parameters.orientation);
  engine.EditField(PanelField::kQuantumYield, o.parameters.quantum_yield);
  engine.EditField(PanelField::kConcentration, o.parameters.concentration);

  if (!Load(engine, SpectrumSide::kEmission, p.emission_filter, o.emission_file, p.columns, err,
            echo_messages) ||
      !Load(engine, SpectrumSide::kAbsorption, p.absorption_filter, o.absorption_file, p.columns,
            err, echo_messages)) {
    return kExitRejected;
  }
  if (o.parameters.extinction) {
    engine.SetExtinctionEntry(true);
    engine.EditField(PanelField::kExtinction, *o.parameters.extinction);
    if (!engine.session().extinction_valid) {
      return Fail(err,
                  "the absorbance cannot be scaled to --extinction: it has no positive value, or "
                  "the scaled values lie beyond the range of a double");
    }
  }
  engine.RunGate();
  if (engine.LastGateOutcome() != GateOutcome::kShown) return Fail(err, GateFailure(engine));
  if (const auto refusal = AnalysisRefusal(analysis, engine)) return Fail(err, *refusal);
  return kExitSuccess;
}

void WriteResults(const Options& o, const CliParameters& p, const AnalysisRequest& analysis,
                  const FretEngine& engine, std::ostream& out) {
  const FretSession& s = engine.session();
  const std::string& j_text = engine.OverlapIntegralText();
  const std::string& r0_text = engine.ForsterDistanceText();
  if (!o.json) {
    out << "Overlap Integral: " << j_text << " M^-1 cm^3\n";
    out << "Ro [Angstroms]: " << r0_text << '\n';
    WriteAnalysisLines(analysis, engine, out);
    return;
  }
  nlohmann::ordered_json result;
  result["overlap_integral"] = s.overlap_integral;
  result["overlap_integral_text"] = j_text;
  result["forster_distance"] = engine.ForsterDistanceValue();
  result["forster_distance_text"] = r0_text;
  result["extinction_max"] = s.extinction_max;
  result["extinction_max_text"] = FormatGeneral(s.extinction_max, 15);
  result["emission"] = {
      {"file", o.emission_file}, {"first", s.emission_first}, {"last", s.emission_last}};
  result["absorption"] = {
      {"file", o.absorption_file}, {"first", s.absorption_first}, {"last", s.absorption_last}};
  AddColumnJson(p.columns, SpectrumSide::kEmission, result["emission"]);
  AddColumnJson(p.columns, SpectrumSide::kAbsorption, result["absorption"]);
  result["parameters"] = {
      {"concentration", s.concentration},     {"optical_path", s.optical_path},
      {"extinction_mode", s.extinction_mode}, {"refractive_index", s.refractive_index},
      {"orientation", s.orientation_factor},  {"quantum_yield", s.quantum_yield}};
  AddAnalysisJson(analysis, engine, result);
  // File names need not be UTF-8; replace what is not rather than fail.
  out << result.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

namespace {

// Reads `args` into `o`, `p` and the requests. Answers nothing to go on, or
// the exit code to end with (help, version, a bad option).
std::optional<int> ParseArguments(std::span<const std::string> args, Options& o, CliParameters& p,
                                  AnalysisRequest& analysis, DrawingRequest& drawing,
                                  std::ostream& out, std::ostream& err) {
  CLI::App app{"Spectral overlap integral J and Foerster distance R0 of a FRET pair.",
               std::string(kProgram)};
  app.footer(
      "Many pairs at once: korin-fret-cli pairs SHEET.csv, or pairs --donors FILE... "
      "--acceptors FILE... (see korin-fret-cli pairs --help).");
  app.add_option("EMISSION_FILE", o.emission_file, "Donor emission spectrum")->required();
  app.add_option("ABSORPTION_FILE", o.absorption_file, "Acceptor absorption spectrum")->required();
  o.parameters.AddTo(app);
  o.columns.AddTo(app);
  app.add_flag("--json", o.json, "Machine-readable output");
  o.analysis.AddTo(app);
  o.exports.AddTo(app);
  app.set_version_flag("--version", std::string(kProgram) + " " + std::string(kVersion));

  if (args.empty()) return kExitBadOption;  // not even a program name
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    // Help and version are successes; everything else is a bad option.
    return app.exit(e, out, err) == 0 ? kExitSuccess : kExitBadOption;
  }
  bool ok = ReadParameters(o.parameters, p, err);
  ok = ReadAnalysisOptions(o.analysis, analysis, err) && ok;
  ok = ReadExportOptions(o.exports, drawing, err) && ok;
  ok = ReadColumnOptions(o.columns, p.columns, err) && ok;
  if (!ok) return kExitBadOption;
  return std::nullopt;
}

}  // namespace

int RunFretCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool out_is_terminal) {
  if (args.size() >= 2 && args[1] == "pairs") {
    return RunPairsCommand(args, out, err, out_is_terminal);
  }
  Options o;
  CliParameters p;
  AnalysisRequest analysis;
  DrawingRequest drawing;
  if (const auto code = ParseArguments(args, o, p, analysis, drawing, out, err)) return *code;
  // Drawing needs the companion; without it a Markdown report goes without
  // its plot, and a plot or a PDF is refused before anything is computed.
  const std::optional<std::string> companion = DrawingCompanionPath();
  if (!companion) drawing.report_plot.clear();
  if (NeedsDrawing(drawing) && !companion) {
    err << kProgram << ": " << DrawingOption(drawing) << " needs the drawing program "
        << kDrawingCompanion << " beside " << kProgram << ", which this installation lacks\n";
    return kExitBadOption;
  }

  FretEngine engine;
  if (const int code = Compute(o, p, analysis, engine, err, true); code != kExitSuccess) {
    return code;
  }
  WriteResults(o, p, analysis, engine, out);
  drawing.extra_results = AnalysisReportLines(analysis, engine);
  if (!drawing.report_pdf.empty() || !drawing.report_plot.empty() || o.exports.report) {
    drawing.date = ReportDate();
  }
  if (const int code = WriteExports(o.exports, engine, drawing, err); code != kExitSuccess) {
    return code;
  }
  if (!NeedsDrawing(drawing)) return kExitSuccess;
  return RunDrawingCompanion(*companion, args, drawing.date);
}

int PrepareDrawing(std::span<const std::string> args, FretEngine& engine, DrawingRequest& request,
                   std::ostream& err) {
  Options o;
  CliParameters p;
  AnalysisRequest analysis;
  std::ostringstream ignored;
  if (const auto code = ParseArguments(args, o, p, analysis, request, ignored, err)) return *code;
  if (const int code = Compute(o, p, analysis, engine, err, false); code != kExitSuccess) {
    return code;
  }
  request.extra_results = AnalysisReportLines(analysis, engine);
  request.date = ReportDate();
  return kExitSuccess;
}

}  // namespace korin
