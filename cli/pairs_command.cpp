#include "cli/pairs_command.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <thread>
#include <vector>

#include "batch/dye_sheet.h"
#include "batch/pair_run.h"
#include "cli/fret_cli.h"
#include "cli/option_parser.h"
#include "cli/plan_command.h"
#include "cli/request_options.h"
#include "cli/tool_messages.h"
#include "core/fret_analysis.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "plan/pair_plan.h"

namespace korin {
namespace {

// The parameters the command takes, in the order --help lists them.
constexpr Parameter kTargetOption[] = {Parameter::kTargetDistance};
constexpr Parameter kColumnOptions[] = {Parameter::kEmissionColumns, Parameter::kAbsorptionColumns,
                                        Parameter::kEmissionUnits, Parameter::kAbsorptionUnits};
// The instrument of a plan for every pair.
constexpr PlanParameter kPlanOptions[] = {
    PlanParameter::kDonorLaser,      PlanParameter::kAcceptorLaser,
    PlanParameter::kDonorChannel,    PlanParameter::kAcceptorChannel,
    PlanParameter::kDonorExtinction, PlanParameter::kAcceptorQuantumYield};
constexpr Parameter kPanelOptions[] = {
    Parameter::kEmissionFilter,  Parameter::kAbsorptionFilter, Parameter::kConcentration,
    Parameter::kOpticalPath,     Parameter::kExtinction,       Parameter::kSolvent,
    Parameter::kRefractiveIndex, Parameter::kOrientation,      Parameter::kQuantumYield};

struct PairsOptions {
  std::optional<std::string> sheet;
  std::vector<std::string> donors;
  std::vector<std::string> acceptors;
  std::optional<std::string> format;
  std::optional<std::string> sort;
  std::optional<std::string> jobs;
  // The values every listed file and every sheet row without its own take.
  FretRequest request;
  // The instrument, when the pairs are planned.
  PlanRequest plan;
  PlanOptionValues plan_typed;
};

enum class Format { kCsv, kJson, kTable };

// The options as read.
struct PairsSettings {
  Format format = Format::kCsv;
  PairOrder order = PairOrder::kListed;
  std::optional<double> target;
  int jobs = 1;
};

// Reads the options into `options` and `settings`. Answers nothing to go
// on, or the exit code.
std::optional<int> ParsePairs(std::span<const std::string> args, PairsOptions& options,
                              PairsSettings& settings, bool out_is_terminal, std::ostream& out,
                              std::ostream& err) {
  OptionParser parser(
      "J and R0 of every donor x acceptor pair, from a dye sheet (a CSV with the columns file, "
      "side, filter, quantum_yield, extinction, concentration, optical_path, name, and for "
      "downloaded tables column and units; for a plan second_file, second_column and "
      "second_units) or from file lists. Values a sheet leaves out, and "
      "those of listed files, come from the options.",
      std::string(kProgram) + " pairs");
  (void)parser.Positional("SHEET", options.sheet,
                          "Dye sheet: one row per spectrum file, relative to its folder");
  (void)parser.AddList("--donors", options.donors, "Donor emission files", 1, -1);
  (void)parser.AddList("--acceptors", options.acceptors, "Acceptor absorption files", 1, -1);
  parser.Choices(parser.Add("--format", options.format,
                            "csv, json or table (default: table on a terminal, csv otherwise)"),
                 {"csv", "json", "table"}, false);
  parser.Choices(
      parser.Add("--sort", options.sort,
                 "r0 or j (largest first), or name (donor, then acceptor); default: as listed"),
      {"r0", "j", "name"}, false);
  TypedOptions typed;
  AddParameterOptions(parser, kTargetOption, Command::kPairs, typed);
  (void)parser.Add("--jobs", options.jobs, "Threads to compute on (default: all cores)");
  AddParameterOptions(parser, kColumnOptions, Command::kPairs, typed);
  AddParameterOptions(parser, kPanelOptions, Command::kPairs, typed);
  AddPlanOptions(parser, kPlanOptions, options.plan_typed, options.plan);
  AddExclusions(parser, Command::kPairs);
  // The command's own name stands where a program's would.
  if (const auto code = parser.Parse(args.subspan(1), out, err, kExitBadOption)) return code;

  FretRequest& request = options.request;
  bool ok = TakeTypedOptions(typed, Command::kPairs, request, err);
  ok = TakePlanOptions(options.plan_typed, options.plan, err) && ok;
  // A plan needs its laser and both channels; any of them asks for it.
  const bool planned =
      std::ranges::any_of(kPlanOptions, [&](PlanParameter p) { return options.plan.Given(p); });
  if (planned) {
    for (const PlanParameter needed : {PlanParameter::kDonorLaser, PlanParameter::kDonorChannel,
                                       PlanParameter::kAcceptorChannel}) {
      if (options.plan.Given(needed)) continue;
      err << kProgram << " pairs: a plan needs " << DeclarationOf(needed).option << '\n';
      ok = false;
    }
  }
  settings.jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  if (options.jobs) {
    double value = 0.0;
    if (ParseReal(*options.jobs, value) && value >= 1 && value <= 1024 &&
        value == static_cast<int>(value)) {
      settings.jobs = static_cast<int>(value);
    } else {
      ok = RefuseOption(err, "--jobs", *options.jobs, "expected a whole number from 1 to 1024");
    }
  }
  if (!options.sheet && options.donors.empty() && options.acceptors.empty()) {
    err << kProgram << " pairs: give a dye sheet, or --donors and --acceptors\n";
    ok = false;
  }
  if (!ok) return kExitBadOption;

  if (request.Given(Parameter::kTargetDistance)) {
    (void)ParseReal(request.Text(Parameter::kTargetDistance), settings.target.emplace());
  }
  settings.format = !options.format              ? (out_is_terminal ? Format::kTable : Format::kCsv)
                    : *options.format == "json"  ? Format::kJson
                    : *options.format == "table" ? Format::kTable
                                                 : Format::kCsv;
  settings.order = !options.sort
                       ? (settings.target ? PairOrder::kDistanceError : PairOrder::kListed)
                   : *options.sort == "r0" ? PairOrder::kForsterDistance
                   : *options.sort == "j"  ? PairOrder::kOverlapIntegral
                                           : PairOrder::kName;
  return std::nullopt;
}

// --- Output -------------------------------------------------------------------

// Characters on a terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The plan's figures of each row, as text; empty cells for a row without one.
std::vector<std::string> PlanCells(const PairPlan* plan, std::size_t row, bool with_target) {
  if (plan == nullptr) return {};
  const PairPlanColumns& p = plan->rows[row];
  if (!p.planned) return std::vector<std::string>(with_target ? 4 : 3);
  std::vector<std::string> cells{RoundTripText(p.leakage), RoundTripText(p.direct_excitation),
                                 RoundTripText(p.gamma)};
  if (with_target) cells.push_back(RoundTripText(p.apparent_at_target));
  return cells;
}

void WriteTable(std::span<const PairRow> rows, const PairInputs& inputs,
                const std::optional<double>& target, const PairPlan* plan, std::ostream& out) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::string> header{"Donor", "Acceptor", "J (M^-1 cm^3)", "R0 (Angstroms)"};
  if (target) {
    header.push_back("E at " + FormatGeneral(*target, 15) + " A");
    header.push_back("|R0 - R| (A)");
    header.push_back("|dE/dr| (1/A)");
  }
  if (plan != nullptr) {
    for (const char* name : {"alpha", "d", "gamma"}) header.push_back(name);
    if (target) header.push_back("E_app at R");
  }
  cells.push_back(std::move(header));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PairRow& row = rows[i];
    std::vector<std::string> line{inputs.Donor(row.donor).record.name,
                                  inputs.Acceptor(row.acceptor).record.name,
                                  row.overlap_integral_text, row.forster_distance_text};
    if (target) {
      line.push_back(AnalysisText(row.efficiency_at_target));
      line.push_back(AnalysisText(row.distance_error));
      line.push_back(AnalysisText(row.efficiency_slope_at_target));
    }
    if (plan != nullptr && plan->rows[i].planned) {
      const PairPlanColumns& p = plan->rows[i];
      for (const double figure : {p.leakage, p.direct_excitation, p.gamma}) {
        line.push_back(AnalysisText(figure));
      }
      if (target) line.push_back(AnalysisText(p.apparent_at_target));
    } else if (plan != nullptr) {
      line.resize(line.size() + (target ? 4 : 3), "-");
    }
    cells.push_back(std::move(line));
  }
  std::vector<std::size_t> widths(cells.front().size(), 0);
  for (const auto& line : cells) {
    for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], Columns(line[c]));
  }
  for (const auto& line : cells) {
    std::string text;
    for (std::size_t c = 0; c < line.size(); ++c) {
      const std::string pad(widths[c] - Columns(line[c]), ' ');
      // Names to the left, numbers to the right.
      text += c < 2 ? line[c] + pad : pad + line[c];
      if (c + 1 < line.size()) text += "  ";
    }
    while (text.ends_with(' ')) text.pop_back();
    out << text << '\n';
  }
}

nlohmann::ordered_json ErrorJson(const TableError& error) {
  constexpr std::string_view kKinds[] = {"row", "spectrum", "pair"};
  nlohmann::ordered_json json;
  json["kind"] = kKinds[static_cast<int>(error.kind)];
  json["file"] = error.file;
  if (!error.name.empty()) json["name"] = error.name;
  json["line"] =
      error.line > 0 ? nlohmann::ordered_json(error.line) : nlohmann::ordered_json(nullptr);
  json["reason"] = error.reason;
  json["messages"] = error.messages;
  return json;
}

void WriteJson(std::span<const PairRow> rows, const PairInputs& inputs,
               const PairsSettings& settings, const PairPlan* plan,
               std::span<const TableError> errors, std::ostream& out) {
  nlohmann::ordered_json result;
  result["parameters"] = {{"orientation", inputs.shared.orientation},
                          {"refractive_index", inputs.shared.refractive_index}};
  if (settings.target) result["parameters"]["target_distance"] = *settings.target;
  const auto dye = [](const PreparedDye& prepared) {
    nlohmann::ordered_json entry{{"name", prepared.record.name}, {"file", prepared.record.path}};
    if (prepared.record.side == SpectrumSide::kEmission) {
      entry["quantum_yield"] = prepared.quantum_yield;
    } else {
      entry["extinction_entry"] = prepared.record.values.Given(Parameter::kExtinction);
    }
    return entry;
  };
  result["donors"] = nlohmann::ordered_json::array();
  for (const PreparedDye* donor : inputs.donors) result["donors"].push_back(dye(*donor));
  result["acceptors"] = nlohmann::ordered_json::array();
  for (const PreparedDye* acceptor : inputs.acceptors) {
    result["acceptors"].push_back(dye(*acceptor));
  }
  auto& pairs = result["pairs"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PairRow& row = rows[i];
    nlohmann::ordered_json pair{{"donor", inputs.Donor(row.donor).record.name},
                                {"acceptor", inputs.Acceptor(row.acceptor).record.name},
                                {"overlap_integral", row.overlap_integral},
                                {"overlap_integral_text", row.overlap_integral_text},
                                {"forster_distance", row.forster_distance},
                                {"forster_distance_text", row.forster_distance_text}};
    if (settings.target) {
      pair["efficiency_at_target"] = row.efficiency_at_target;
      pair["distance_error"] = row.distance_error;
      pair["efficiency_slope_at_target"] = row.efficiency_slope_at_target;
    }
    if (plan != nullptr) {
      const PairPlanColumns& p = plan->rows[i];
      nlohmann::ordered_json figures = nullptr;
      if (p.planned) {
        figures = {
            {"leakage", p.leakage}, {"direct_excitation", p.direct_excitation}, {"gamma", p.gamma}};
        if (settings.target) figures["apparent_efficiency_at_target"] = p.apparent_at_target;
      }
      pair["plan"] = std::move(figures);
    }
    pairs.push_back(std::move(pair));
  }
  auto& list = result["errors"] = nlohmann::ordered_json::array();
  for (const TableError& error : errors) list.push_back(ErrorJson(error));
  // File names need not be UTF-8; replace what is not rather than fail.
  out << result.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void ReportError(const TableError& error, std::string_view sheet, std::ostream& err) {
  err << kProgram << ": ";
  switch (error.kind) {
    case TableError::Kind::kRow:
      err << error.file << ':' << error.line << ": " << error.reason << '\n';
      break;
    case TableError::Kind::kSpectrum:
      err << error.file;
      if (error.line > 0) err << " (" << sheet << ':' << error.line << ')';
      err << ": not used: " << error.reason << '\n';
      break;
    case TableError::Kind::kPair:
      err << error.name << ": " << error.reason << '\n';
      break;
  }
  for (const std::string& message : error.messages) err << "  " << message << '\n';
}

}  // namespace

int RunPairsCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                    bool out_is_terminal) {
  PairsOptions options;
  PairsSettings settings;
  if (const auto code = ParsePairs(args, options, settings, out_is_terminal, out, err)) {
    return *code;
  }
  // The values typed apply to every spectrum without its own; the columns
  // and units only to listed files, since a sheet's row names its own.
  const FretRequest& typed = options.request;
  FretRequest sheet_defaults = typed;
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    sheet_defaults.Clear(ColumnsParameter(side));
    sheet_defaults.Clear(UnitsParameter(side));
  }

  std::vector<DyeRecord> records;
  std::vector<TableError> errors;
  if (options.sheet) {
    DyeSheet sheet = ReadDyeSheet(*options.sheet, sheet_defaults);
    if (!sheet.readable) {
      err << kProgram << ": " << sheet.problem << '\n';
      return kExitBadOption;
    }
    for (const std::string& note : sheet.notes) err << kProgram << ": " << note << '\n';
    records = std::move(sheet.dyes);
    errors = std::move(sheet.skipped);
  }
  // Listed files, through the column import when their side's column or
  // unit is given.
  for (const std::string& file : options.donors) {
    records.push_back(ListedDye(SpectrumSide::kEmission, file, typed));
  }
  for (const std::string& file : options.acceptors) {
    records.push_back(ListedDye(SpectrumSide::kAbsorption, file, typed));
  }
  const std::string_view sheet_name = options.sheet ? std::string_view(*options.sheet) : "";
  const auto listed = [&](SpectrumSide side) {
    return std::ranges::any_of(records,
                               [side](const DyeRecord& record) { return record.side == side; });
  };
  if (!listed(SpectrumSide::kEmission) || !listed(SpectrumSide::kAbsorption)) {
    for (const TableError& error : errors) ReportError(error, sheet_name, err);
    err << kProgram << " pairs: nothing to pair: no "
        << (listed(SpectrumSide::kEmission) ? "acceptor" : "donor") << " is listed\n";
    return kExitBadOption;
  }

  std::vector<PairRow> rows;
  std::vector<TableError> uncomputed;
  PairRunHooks hooks;
  hooks.computed = [&](std::vector<PairRow> batch, std::vector<TableError> left_out, std::size_t) {
    rows.insert(rows.end(), std::make_move_iterator(batch.begin()),
                std::make_move_iterator(batch.end()));
    std::ranges::move(left_out, std::back_inserter(uncomputed));
  };
  std::vector<std::shared_ptr<const DyePreparation>> prepared;
  const PairRunResult run = RunPairs(records, typed, prepared, settings.jobs, hooks);
  if (run.end == PairRunResult::End::kSharedRefused) {
    err << kProgram << " pairs: " << run.why << '\n';
    return kExitBadOption;
  }
  const PairInputs& inputs = run.run->inputs;
  errors.insert(errors.end(), run.run->refused.begin(), run.run->refused.end());
  std::ranges::move(uncomputed, std::back_inserter(errors));
  // What a reader reported about a spectrum it still took, as the single
  // pair shows it.
  for (const auto& dye : run.run->dyes) {
    if (!dye->dye) continue;
    for (const std::string& message : dye->dye->messages) err << message << '\n';
  }
  if (settings.target) ApplyTargetDistance(rows, *settings.target);
  SortPairs(rows, settings.order, inputs);
  // The plan of every pair, after sorting so that its rows follow them.
  std::optional<PairPlan> plan;
  if (AsksForPlan(options.plan)) {
    plan = PlanPairs(*run.run, rows, options.plan, settings.target);
    std::ranges::copy(plan->refused, std::back_inserter(errors));
  }
  const PairPlan* planned = plan ? &*plan : nullptr;
  ExtraColumns extra;
  if (planned != nullptr) {
    extra.names = {"leakage", "direct_excitation", "gamma"};
    if (settings.target) extra.names.push_back("apparent_efficiency_at_target");
    extra.cells = [&](std::size_t row) {
      return PlanCells(planned, row, settings.target.has_value());
    };
  }

  for (const TableError& error : errors) ReportError(error, sheet_name, err);
  switch (settings.format) {
    case Format::kCsv:
      out << PairTableCsv(rows, inputs, settings.target.has_value(),
                          planned != nullptr ? &extra : nullptr);
      break;
    case Format::kJson:
      WriteJson(rows, inputs, settings, planned, errors, out);
      break;
    case Format::kTable:
      WriteTable(rows, inputs, settings.target, planned, out);
      break;
  }
  return errors.empty() ? kExitSuccess : kExitRejected;
}

}  // namespace korin
