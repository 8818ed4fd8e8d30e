#include "cli/fret_cli.h"

#include <optional>
#include <vector>

#include "cli/export_options.h"
#include "cli/pairs_command.h"
#include "cli/plan_command.h"
#include "cli/request_options.h"
#include "cli/tool_messages.h"
#include "core/version.h"
#include "io/spectrum_formats.h"
#include "report/analysis_text.h"
#include "report/result_json.h"
#include "request/apply_request.h"
#include "request/engine_request.h"

namespace korin {
namespace {

// The options in the order --help lists them: the panel's parameters, the
// column import, then (after --json) the analysis.
constexpr Parameter kPanelOptions[] = {
    Parameter::kEmissionFilter,  Parameter::kAbsorptionFilter, Parameter::kConcentration,
    Parameter::kOpticalPath,     Parameter::kExtinction,       Parameter::kSolvent,
    Parameter::kRefractiveIndex, Parameter::kOrientation,      Parameter::kQuantumYield,
    Parameter::kEmissionColumns, Parameter::kEmissionUnits,    Parameter::kAbsorptionColumns,
    Parameter::kAbsorptionUnits};
constexpr Parameter kAnalysisOptions[] = {
    Parameter::kEfficiency,     Parameter::kDistance,          Parameter::kKappa2Range,
    Parameter::kAnisotropy,     Parameter::kQuantumYieldError, Parameter::kRefractiveIndexError,
    Parameter::kExtinctionError};

// One run of the tool as its arguments ask for it.
struct Invocation {
  FretRequest request;
  bool json = false;
  ExportOptions exports;
  DrawingRequest drawing;
};

int Fail(std::ostream& err, std::string_view reason) {
  err << kProgram << ": " << reason << '\n';
  return kExitRejected;
}

// Reads `args`. Answers nothing to go on, or the exit code to end with
// (help, version, a bad option).
std::optional<int> ParseArguments(std::span<const std::string> args, Invocation& invocation,
                                  std::ostream& out, std::ostream& err) {
  if (args.empty()) return kExitBadOption;  // not even a program name
  OptionParser parser("Spectral overlap integral J and Foerster distance R0 of a FRET pair.",
                      std::string(kProgram));
  parser.Footer(
      "Many pairs at once: korin-fret-cli pairs SHEET.csv, or pairs --donors FILE... "
      "--acceptors FILE... (see korin-fret-cli pairs --help). What a pair will show on an "
      "instrument: korin-fret-cli plan (see korin-fret-cli plan --help).");
  FretRequest& request = invocation.request;
  (void)parser.Positional("EMISSION_FILE", request.emission.path, "Donor emission spectrum", true);
  (void)parser.Positional("ABSORPTION_FILE", request.absorption.path,
                          "Acceptor absorption spectrum", true);
  TypedOptions typed;
  AddParameterOptions(parser, kPanelOptions, Command::kSinglePair, typed);
  (void)parser.Flag("--json", invocation.json, "Machine-readable output");
  AddParameterOptions(parser, kAnalysisOptions, Command::kSinglePair, typed);
  AddExclusions(parser, Command::kSinglePair);
  invocation.exports.AddTo(parser);
  parser.Version(std::string(kProgram) + " " + std::string(kVersion));
  if (const auto code = parser.Parse(args, out, err, kExitBadOption)) return code;

  bool ok = TakeTypedOptions(typed, Command::kSinglePair, request, err);
  ok = ReadExportOptions(invocation.exports, invocation.drawing, err) && ok;
  if (!ok) return kExitBadOption;
  return std::nullopt;
}

// Why a side's file was not taken, as the tool says it.
void ReportRefusedFile(const FretRequest& request, SpectrumSide side, const LoadOutcome& outcome,
                       std::ostream& err) {
  const std::string what = side == SpectrumSide::kAbsorption ? "absorption" : "emission";
  const std::string& path = request.Spectrum(side).path;
  switch (outcome.kind) {
    case LoadOutcome::Kind::kAccepted:
      return;
    case LoadOutcome::Kind::kNoReader:
      err << kProgram << ": no " << what << " reader for '" << path << "' with filter entry "
          << FilterEntryOf(request, side) << "; name the format with --" << what << "-filter 2.."
          << FilterEntryCount(side) << '\n';
      return;
    case LoadOutcome::Kind::kRefused:
      err << kProgram << ": " << what << " spectrum not accepted: " << path;
      // The column import says why: a choice the header leaves open.
      if (outcome.format->filter_entry == 0) err << ": " << outcome.reason;
      err << '\n';
      return;
    case LoadOutcome::Kind::kUnusable:
      (void)Fail(err, "the " + what + " spectrum has no positive finite area: " + path);
      return;
  }
}

}  // namespace

int RunFretCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
               bool out_is_terminal) {
  if (args.size() >= 2 && args[1] == "pairs") {
    return RunPairsCommand(args, out, err, out_is_terminal);
  }
  if (args.size() >= 2 && args[1] == "plan") return RunPlanCommand(args, out, err);
  Invocation invocation;
  if (const auto code = ParseArguments(args, invocation, out, err)) return *code;
  DrawingRequest& drawing = invocation.drawing;
  // Drawing needs the companion; without it a Markdown report goes without
  // its plot, and a plot or a PDF is refused before anything is computed.
  const std::optional<std::string> companion = DrawingCompanionPath();
  if (!companion) drawing.report_plot.clear();
  if (NeedsDrawing(drawing) && !companion) {
    err << kProgram << ": " << DrawingOption(drawing) << " needs the drawing program "
        << kDrawingCompanion << " beside " << kProgram << ", which this installation lacks\n";
    return kExitBadOption;
  }

  const FretRequest& request = invocation.request;
  FretEngine engine;
  RequestHooks hooks;
  hooks.messages = [&err](std::string_view message) { err << message << '\n'; };
  hooks.opened = [&err](SpectrumSide, const LoadOutcome& outcome) {
    for (const std::string& warning : outcome.warnings) err << "Warning: " << warning << '\n';
  };
  const RequestOutcome outcome = ApplyRequest(engine, request, hooks);
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    if (outcome.Of(side) && outcome.Of(side)->kind != LoadOutcome::Kind::kAccepted) {
      ReportRefusedFile(request, side, *outcome.Of(side), err);
      return kExitRejected;
    }
  }
  if (engine.LastGateOutcome() != GateOutcome::kShown) {
    return Fail(err, GateRefusal(engine, request, Naming::kOptions));
  }
  // The analysis once, for the output, the report and the companion alike.
  const AnalysisInputs inputs = AnalysisInputsOf(request);
  const AnalysisResult analysis = Analyse(engine.session(), engine.ForsterDistanceValue(), inputs);
  if (const auto refusal = AnalysisRefusal(analysis, inputs)) return Fail(err, *refusal);

  out << (invocation.json ? ResultJson(engine, request, outcome, analysis) + '\n'
                          : ResultLines(engine, analysis));
  if (!drawing.report_pdf.empty() || !drawing.report_plot.empty() || invocation.exports.report) {
    drawing.date = ReportDate();
  }
  // The report's command computes the panel as it stands, with the
  // analysis asked for.
  FretRequest reproduced = RequestOf(engine);
  CopyScope(request, ParameterScope::kAnalysis, reproduced);
  if (const int code =
          WriteExports(invocation.exports, engine, reproduced, analysis, drawing, err)) {
    return code;
  }
  if (!NeedsDrawing(drawing)) return kExitSuccess;
  return RunDrawingCompanion(*companion, {request, drawing});
}

}  // namespace korin
