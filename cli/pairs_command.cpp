#include "cli/pairs_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <thread>
#include <vector>

#include "batch/dye_sheet.h"
#include "batch/pair_run.h"
#include "cli/fret_cli.h"
#include "cli/request_options.h"
#include "cli/tool_messages.h"
#include "core/fret_analysis.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

// The parameters the command takes, in the order --help lists them.
constexpr Parameter kTargetOption[] = {Parameter::kTargetDistance};
constexpr Parameter kColumnOptions[] = {Parameter::kEmissionColumns, Parameter::kAbsorptionColumns,
                                        Parameter::kEmissionUnits, Parameter::kAbsorptionUnits};
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
};

enum class Format { kCsv, kJson, kTable };

struct PairsRequest {
  Format format = Format::kCsv;
  PairOrder order = PairOrder::kListed;
  std::optional<double> target;
  int jobs = 1;
  DyeDefaults defaults;
  SharedParameters shared;
};

// Reads the options into `r`. Answers nothing to go on, or the exit code.
std::optional<int> ParsePairs(std::span<const std::string> args, PairsOptions& o, PairsRequest& r,
                              bool out_is_terminal, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "J and R0 of every donor x acceptor pair, from a dye sheet (a CSV with the columns file, "
      "side, filter, quantum_yield, extinction, concentration, optical_path, name, and for "
      "downloaded tables column and units) or from file lists. Values a sheet leaves out, and "
      "those of listed files, come from the options.",
      std::string(kProgram) + " pairs"};
  app.add_option("SHEET", o.sheet, "Dye sheet: one row per spectrum file, relative to its folder");
  app.add_option("--donors", o.donors, "Donor emission files")->expected(1, -1);
  app.add_option("--acceptors", o.acceptors, "Acceptor absorption files")->expected(1, -1);
  app.add_option("--format", o.format,
                 "csv, json or table (default: table on a terminal, csv otherwise)")
      ->check(CLI::IsMember({"csv", "json", "table"}));
  app.add_option("--sort", o.sort,
                 "r0 or j (largest first), or name (donor, then acceptor); default: as listed")
      ->check(CLI::IsMember({"r0", "j", "name"}));
  TypedOptions typed;
  AddParameterOptions(app, kTargetOption, Command::kPairs, typed);
  app.add_option("--jobs", o.jobs, "Threads to compute on (default: all cores)");
  AddParameterOptions(app, kColumnOptions, Command::kPairs, typed);
  AddParameterOptions(app, kPanelOptions, Command::kPairs, typed);
  AddExclusions(app, Command::kPairs);

  std::vector<const char*> argv;
  for (const auto& arg : args.subspan(1)) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e, out, err) == 0 ? kExitSuccess : kExitBadOption;
  }

  FretRequest& request = o.request;
  bool ok = TakeTypedOptions(typed, Command::kPairs, request, err);
  r.jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  if (o.jobs) {
    double value = 0.0;
    if (ParseReal(*o.jobs, value) && value >= 1 && value <= 1024 &&
        value == static_cast<int>(value)) {
      r.jobs = static_cast<int>(value);
    } else {
      ok = RefuseOption(err, "--jobs", *o.jobs, "expected a whole number from 1 to 1024");
    }
  }
  if (!o.sheet && o.donors.empty() && o.acceptors.empty()) {
    err << kProgram << " pairs: give a dye sheet, or --donors and --acceptors\n";
    ok = false;
  }
  if (!ok) return kExitBadOption;

  if (request.Given(Parameter::kTargetDistance)) {
    (void)ParseReal(request.Text(Parameter::kTargetDistance), r.target.emplace());
  }
  r.format = !o.format              ? (out_is_terminal ? Format::kTable : Format::kCsv)
             : *o.format == "json"  ? Format::kJson
             : *o.format == "table" ? Format::kTable
                                    : Format::kCsv;
  r.order = !o.sort           ? (r.target ? PairOrder::kDistanceError : PairOrder::kListed)
            : *o.sort == "r0" ? PairOrder::kForsterDistance
            : *o.sort == "j"  ? PairOrder::kOverlapIntegral
                              : PairOrder::kName;
  r.defaults = {request.Text(Parameter::kQuantumYield),
                request.Text(Parameter::kConcentration),
                OpticalPathOf(request),
                request.Given(Parameter::kExtinction)
                    ? std::optional(request.Text(Parameter::kExtinction))
                    : std::nullopt,
                FilterEntryOf(request, SpectrumSide::kEmission),
                FilterEntryOf(request, SpectrumSide::kAbsorption)};
  r.shared = {request.Text(Parameter::kOrientation), SolventOf(request),
              request.Text(Parameter::kRefractiveIndex)};
  return std::nullopt;
}

// --- Output -------------------------------------------------------------------

// Characters on a terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void WriteTable(std::span<const PairRow> rows, const PairInputs& inputs,
                const std::optional<double>& target, std::ostream& out) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::string> header{"Donor", "Acceptor", "J (M^-1 cm^3)", "R0 (Angstroms)"};
  if (target) {
    header.push_back("E at " + FormatGeneral(*target, 15) + " A");
    header.push_back("|R0 - R| (A)");
  }
  cells.push_back(std::move(header));
  for (const PairRow& row : rows) {
    std::vector<std::string> line{inputs.Donor(row.donor).record.name,
                                  inputs.Acceptor(row.acceptor).record.name,
                                  row.overlap_integral_text, row.forster_distance_text};
    if (target) {
      line.push_back(AnalysisText(row.efficiency_at_target));
      line.push_back(AnalysisText(row.distance_error));
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

nlohmann::ordered_json ErrorJson(const TableError& e) {
  constexpr std::string_view kKinds[] = {"row", "spectrum", "pair"};
  nlohmann::ordered_json error;
  error["kind"] = kKinds[static_cast<int>(e.kind)];
  error["file"] = e.file;
  if (!e.name.empty()) error["name"] = e.name;
  error["line"] = e.line > 0 ? nlohmann::ordered_json(e.line) : nlohmann::ordered_json(nullptr);
  error["reason"] = e.reason;
  error["messages"] = e.messages;
  return error;
}

void WriteJson(std::span<const PairRow> rows, const PairInputs& inputs, const PairsRequest& r,
               std::span<const TableError> errors, std::ostream& out) {
  nlohmann::ordered_json result;
  result["parameters"] = {{"orientation", inputs.shared.orientation},
                          {"refractive_index", inputs.shared.refractive_index}};
  if (r.target) result["parameters"]["target_distance"] = *r.target;
  const auto dye = [](const PreparedDye& d) {
    nlohmann::ordered_json entry{{"name", d.record.name}, {"file", d.record.path}};
    if (d.record.side == SpectrumSide::kEmission) {
      entry["quantum_yield"] = d.quantum_yield;
    } else {
      entry["extinction_entry"] = d.record.extinction.has_value();
    }
    return entry;
  };
  result["donors"] = nlohmann::ordered_json::array();
  for (const PreparedDye* d : inputs.donors) result["donors"].push_back(dye(*d));
  result["acceptors"] = nlohmann::ordered_json::array();
  for (const PreparedDye* a : inputs.acceptors) result["acceptors"].push_back(dye(*a));
  auto& pairs = result["pairs"] = nlohmann::ordered_json::array();
  for (const PairRow& row : rows) {
    nlohmann::ordered_json pair{{"donor", inputs.Donor(row.donor).record.name},
                                {"acceptor", inputs.Acceptor(row.acceptor).record.name},
                                {"overlap_integral", row.overlap_integral},
                                {"overlap_integral_text", row.overlap_integral_text},
                                {"forster_distance", row.forster_distance},
                                {"forster_distance_text", row.forster_distance_text}};
    if (r.target) {
      pair["efficiency_at_target"] = row.efficiency_at_target;
      pair["distance_error"] = row.distance_error;
    }
    pairs.push_back(std::move(pair));
  }
  auto& list = result["errors"] = nlohmann::ordered_json::array();
  for (const TableError& e : errors) list.push_back(ErrorJson(e));
  // File names need not be UTF-8; replace what is not rather than fail.
  out << result.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void ReportError(const TableError& e, std::string_view sheet, std::ostream& err) {
  err << kProgram << ": ";
  switch (e.kind) {
    case TableError::Kind::kRow:
      err << e.file << ':' << e.line << ": " << e.reason << '\n';
      break;
    case TableError::Kind::kSpectrum:
      err << e.file;
      if (e.line > 0) err << " (" << sheet << ':' << e.line << ')';
      err << ": not used: " << e.reason << '\n';
      break;
    case TableError::Kind::kPair:
      err << e.name << ": " << e.reason << '\n';
      break;
  }
  for (const std::string& message : e.messages) err << "  " << message << '\n';
}

}  // namespace

int RunPairsCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                    bool out_is_terminal) {
  PairsOptions o;
  PairsRequest r;
  if (const auto code = ParsePairs(args, o, r, out_is_terminal, out, err)) return *code;

  std::vector<DyeRecord> records;
  std::vector<TableError> errors;
  if (o.sheet) {
    DyeSheet sheet = ReadDyeSheet(*o.sheet, r.defaults);
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
  const FretRequest& request = o.request;
  const auto list = [&](SpectrumSide side, const std::vector<std::string>& files) {
    for (const std::string& file : files) {
      DyeRecord record = ListedDye(side, file, r.defaults);
      if (ReadsColumns(request, side)) {
        ReadThroughColumns(record, request.Text(ColumnsParameter(side)),
                           request.Text(UnitsParameter(side)));
      }
      records.push_back(std::move(record));
    }
  };
  list(SpectrumSide::kEmission, o.donors);
  list(SpectrumSide::kAbsorption, o.acceptors);
  const std::string_view sheet_name = o.sheet ? std::string_view(*o.sheet) : "";
  const auto listed = [&](SpectrumSide side) {
    return std::ranges::any_of(records, [side](const DyeRecord& s) { return s.side == side; });
  };
  if (!listed(SpectrumSide::kEmission) || !listed(SpectrumSide::kAbsorption)) {
    for (const TableError& e : errors) ReportError(e, sheet_name, err);
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
    for (TableError& e : left_out) uncomputed.push_back(std::move(e));
  };
  std::vector<std::shared_ptr<const DyePreparation>> prepared;
  const PairRunResult run = RunPairs(records, r.shared, prepared, r.jobs, hooks);
  if (run.end == PairRunResult::End::kSharedRefused) {
    err << kProgram << " pairs: " << run.why << '\n';
    return kExitBadOption;
  }
  const PairInputs& inputs = run.run->inputs;
  for (const TableError& e : run.run->refused) errors.push_back(e);
  for (TableError& e : uncomputed) errors.push_back(std::move(e));
  // What a reader reported about a spectrum it still took, as the single
  // pair shows it.
  for (const auto& dye : run.run->dyes) {
    if (!dye->dye) continue;
    for (const std::string& message : dye->dye->messages) err << message << '\n';
  }
  if (r.target) ApplyTargetDistance(rows, *r.target);
  SortPairs(rows, r.order, inputs);

  for (const TableError& e : errors) ReportError(e, sheet_name, err);
  switch (r.format) {
    case Format::kCsv:
      out << PairTableCsv(rows, inputs, r.target.has_value());
      break;
    case Format::kJson:
      WriteJson(rows, inputs, r, errors, out);
      break;
    case Format::kTable:
      WriteTable(rows, inputs, r.target, out);
      break;
  }
  return errors.empty() ? kExitSuccess : kExitRejected;
}

}  // namespace korin
