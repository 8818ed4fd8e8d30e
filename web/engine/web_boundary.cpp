#include "web/engine/web_boundary.h"

#include <chrono>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>
#include <vector>

#include "batch/pair_run.h"
#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "core/parameter_tables.h"
#include "io/column_choice.h"
#include "io/column_table.h"
#include "io/drop_policy.h"
#include "io/spectrum_formats.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "report/analysis_text.h"
#include "report/data_export.h"
#include "report/report.h"
#include "report/result_json.h"
#include "request/apply_request.h"
#include "request/engine_request.h"
#include "request/request_json.h"

namespace korin {
namespace {

using Json = nlohmann::ordered_json;

std::string Refused(std::string_view error) {
  return Json{{"ok", false}, {"error", error}}.dump();
}

// A field of a call, or `fallback` where it is missing or of another type:
// a call is never trusted to hold what it should.
std::string Text(const Json& call, const char* key) {
  const auto found = call.find(key);
  return found != call.end() && found->is_string() ? found->get<std::string>() : std::string();
}
bool Flag(const Json& call, const char* key) {
  const auto found = call.find(key);
  return found != call.end() && found->is_boolean() && found->get<bool>();
}
int Count(const Json& call, const char* key, int fallback) {
  const auto found = call.find(key);
  return found != call.end() && found->is_number_integer() ? found->get<int>() : fallback;
}

std::optional<SpectrumSide> SideOf(std::string_view name) {
  if (name == "emission") return SpectrumSide::kEmission;
  if (name == "absorption") return SpectrumSide::kAbsorption;
  return std::nullopt;
}

std::string_view SideName(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? "emission" : "absorption";
}

std::string_view KindName(LoadOutcome::Kind kind) {
  switch (kind) {
    case LoadOutcome::Kind::kAccepted:
      return "accepted";
    case LoadOutcome::Kind::kUnusable:
      return "unusable";
    case LoadOutcome::Kind::kRefused:
      return "refused";
    case LoadOutcome::Kind::kNoReader:
      break;
  }
  return "no_reader";
}

// What the panel's views are told, kept for the page: the plots' series,
// the status lines and the fields the calculation writes.
class RecordingView : public FretView {
 public:
  struct Series {
    int first = 0;
    std::vector<double> values;
  };

  void ClearSeries(PlotSeries series) override { series_[Index(series)] = {}; }
  void AddPoints(PlotSeries series, int first, std::span<const double> ys) override {
    Series& s = series_[Index(series)];
    if (s.values.empty()) s.first = first;
    s.values.insert(s.values.end(), ys.begin(), ys.end());
  }
  void ShowStatus(std::string_view text) override { status_.emplace_back(text); }

  [[nodiscard]] Json SeriesJson(PlotSeries series) const {
    const Series& s = series_[Index(series)];
    return Json{{"first", s.first}, {"values", s.values}};
  }
  [[nodiscard]] const std::vector<std::string>& Status() const { return status_; }

 private:
  static std::size_t Index(PlotSeries series) { return static_cast<std::size_t>(series); }

  std::array<Series, 4> series_;
  std::vector<std::string> status_;
};

// The request's spectra given their stored bytes; false with `error` when
// a named file is not stored.
bool AttachFiles(const WebBoundary& boundary, FretRequest& request, std::string& error) {
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    SpectrumRequest& spectrum = request.Spectrum(side);
    if (spectrum.path.empty() || spectrum.content) continue;
    const std::string* bytes = boundary.File(spectrum.path);
    if (!bytes) {
      error = "no file named '" + spectrum.path + "' is open";
      return false;
    }
    spectrum.content = *bytes;
  }
  return true;
}

Json OutcomeJson(const std::optional<LoadOutcome>& outcome,
                 const std::vector<std::string>& messages) {
  if (!outcome) return nullptr;
  Json json{{"kind", KindName(outcome->kind)},
            {"reason", outcome->reason},
            {"messages", messages},
            {"warnings", outcome->warnings}};
  if (outcome->format) json["reader"] = outcome->format->reader_name;
  return json;
}

Json RefusalsJson(const std::vector<RequestRefusal>& refusals) {
  Json list = Json::array();
  for (const RequestRefusal& r : refusals) {
    list.push_back({{"parameter", DeclarationOf(r.parameter).name},
                    {"message", RefusalText(r.parameter, r.refusal, Naming::kWords)}});
  }
  return list;
}

Json AnalysisFiguresJson(const AnalysisResult& analysis) {
  Json figures{{"lines", Json::array()}};
  for (const ReportLine& line : AnalysisReportLines(analysis)) {
    figures["lines"].push_back({{"label", line.label}, {"value", line.value}});
  }
  const OverlapDiagnostics& overlap = analysis.overlap;
  figures["cumulative"] = {{"first", overlap.first}, {"values", overlap.cumulative_fraction}};
  return figures;
}

}  // namespace

WebBoundary::WebBoundary() = default;
WebBoundary::~WebBoundary() = default;

void WebBoundary::PutFile(std::string name, std::string bytes) {
  files_.insert_or_assign(std::move(name), std::move(bytes));
}

void WebBoundary::RemoveFile(const std::string& name) {
  files_.erase(name);
}

const std::string* WebBoundary::File(const std::string& name) const {
  const auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second;
}

namespace {

std::string PairCall(const WebBoundary& boundary, const Json& call,
                     std::unique_ptr<FretEngine>& kept) {
  if (!call.contains("request")) return Refused("a pair call needs a request");
  std::string error;
  std::optional<FretRequest> parsed = RequestFromJson(call["request"].dump(), error);
  if (!parsed) return Refused(error);
  FretRequest request = std::move(*parsed);

  Json answer{{"ok", true}};
  const std::vector<RequestRefusal> refusals = CheckRequest(request);
  answer["refusals"] = RefusalsJson(refusals);
  if (!refusals.empty()) {
    answer["shown"] = false;
    answer["why"] = answer["refusals"][0]["message"];
    return answer.dump();
  }
  if (!AttachFiles(boundary, request, error)) return Refused(error);

  auto engine = std::make_unique<FretEngine>();
  RecordingView view;
  engine->AddView(&view);
  std::array<std::vector<std::string>, 2> messages;
  SpectrumSide opening = SpectrumSide::kEmission;
  RequestHooks hooks;
  hooks.stop_at_refused = false;  // both sides opened, as a user would
  hooks.messages = [&](std::string_view message) {
    messages[static_cast<std::size_t>(opening)].emplace_back(message);
  };
  // The side being opened is the one after the last opened.
  hooks.opened = [&](SpectrumSide side, const LoadOutcome&) {
    if (side == SpectrumSide::kEmission) opening = SpectrumSide::kAbsorption;
  };
  const RequestOutcome outcome = ApplyRequest(*engine, request, hooks);
  engine->RemoveView(&view);

  Json files;
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    files[std::string(SideName(side))] =
        OutcomeJson(outcome.Of(side), messages[static_cast<std::size_t>(side)]);
  }
  answer["files"] = std::move(files);
  answer["status"] = view.Status();
  answer["series"] = {{"emission", view.SeriesJson(PlotSeries::kEmission)},
                      {"extinction", view.SeriesJson(PlotSeries::kExtinction)},
                      {"donor_input", view.SeriesJson(PlotSeries::kDonorInput)},
                      {"acceptor_input", view.SeriesJson(PlotSeries::kAcceptorInput)}};
  answer["fields"] = {{"extinction", engine->FieldText(PanelField::kExtinction)},
                      {"concentration", engine->FieldText(PanelField::kConcentration)}};

  const bool shown = engine->LastGateOutcome() == GateOutcome::kShown;
  answer["shown"] = shown;
  if (!shown) {
    answer["why"] = GateRefusal(*engine, request, Naming::kWords);
    kept.reset();
    return answer.dump();
  }
  const AnalysisInputs inputs = AnalysisInputsOf(request);
  const AnalysisResult analysis =
      Analyse(engine->session(), engine->ForsterDistanceValue(), inputs);
  answer["texts"] = {{"overlap_integral", engine->OverlapIntegralText()},
                     {"forster_distance", engine->ForsterDistanceText()},
                     {"overlap_integral_nm4", AnalysisText(analysis.overlap_integral_nm4)},
                     {"forster_distance_nm", AnalysisText(analysis.forster_distance_nm)}};
  if (const auto refusal = AnalysisRefusal(analysis, inputs)) answer["analysis_refusal"] = *refusal;
  answer["lines"] = ResultLines(*engine, analysis);
  answer["result"] = Json::parse(ResultJson(*engine, request, outcome, analysis), nullptr, false);
  answer["analysis"] = AnalysisFiguresJson(analysis);

  // What a report records, and the command that computes it again with the
  // analysis asked for.
  FretRequest reproduced = RequestOf(*engine);
  CopyScope(request, ParameterScope::kAnalysis, reproduced);
  answer["command"] = ReproducingCommand(reproduced);
  if (Flag(call, "report")) {
    const ReportContent report = BuildReport(*engine, reproduced, analysis, Text(call, "date"));
    answer["report"] = ReportMarkdown(report, Text(call, "report_plot"));
  }
  if (Flag(call, "csv")) answer["csv"] = ExportDataCsv(*engine);
  kept = std::move(engine);
  return answer.dump();
}

std::string ColumnsCall(const WebBoundary& boundary, const Json& call) {
  const auto side = SideOf(Text(call, "side"));
  if (!side) return Refused("a columns call needs a side: emission or absorption");
  const std::string name = Text(call, "file");
  const std::string* bytes = boundary.File(name);
  if (!bytes) return Refused("no file named '" + name + "' is open");

  const ColumnTable table = ScanColumnTable(*bytes);
  Json answer{{"ok", true}, {"found", table.found()}, {"preview", table.preview}};
  answer["reads_by_extension"] = ReadsByExtension(*side, name);
  answer["needs_column_choice"] =
      table.found() && NeedsColumnChoice(SpectrumSource{name, *bytes}, table, *side);
  Json columns = Json::array();
  for (int c = 0; c < static_cast<int>(table.columns.size()); ++c) {
    const TableColumn& column = table.columns[static_cast<std::size_t>(c)];
    columns.push_back({{"label", ColumnLabel(table, c)},
                       {"wavelength", column.kind == ColumnKind::kWavelength},
                       {"wavelength_column", column.wavelength_column},
                       {"unit", UnitText(column.unit)},
                       {"holds_numbers", column.holds_numbers}});
  }
  answer["columns"] = std::move(columns);
  answer["value_columns"] = ValueColumns(table);
  const ColumnChoice choice = ChooseColumns(table, *side);
  answer["choice"] = {{"chosen", choice.status == ColumnChoice::Status::kChosen},
                      {"wavelength_column", choice.wavelength_column},
                      {"value_column", choice.value_column},
                      {"candidates", choice.candidates},
                      {"text", ColumnChoiceText(table, choice, *side)}};
  return answer.dump();
}

// A dye of the pair table from {"file", "name", "column", "units", "values"}.
std::optional<DyeRecord> DyeOf(const Json& json, SpectrumSide side, const FretRequest& defaults,
                               std::string& error) {
  if (!json.is_object() || !json.contains("file") || !json["file"].is_string()) {
    error = "a dye needs a file";
    return std::nullopt;
  }
  DyeRecord record = ListedDye(side, Text(json, "file"), defaults);
  if (const std::string name = Text(json, "name"); !name.empty()) record.name = name;
  if (json.contains("values")) {
    std::optional<FretRequest> values =
        RequestFromJson(Json{{"parameters", json["values"]}}.dump(), error);
    if (!values) return std::nullopt;
    CopyScope(*values, ScopeOf(side), record.values);
  }
  if (json.contains("column") || json.contains("units")) {
    ReadThroughColumns(record, Text(json, "column"), Text(json, "units"));
  }
  return record;
}

std::optional<PairOrder> OrderOf(std::string_view name) {
  if (name.empty() || name == "listed") return PairOrder::kListed;
  if (name == "r0") return PairOrder::kForsterDistance;
  if (name == "j") return PairOrder::kOverlapIntegral;
  if (name == "name") return PairOrder::kName;
  if (name == "target") return PairOrder::kDistanceError;
  return std::nullopt;
}

Json TableErrorJson(const TableError& e) {
  return {{"file", e.file}, {"name", e.name}, {"reason", e.reason}, {"messages", e.messages}};
}

std::string PairsCall(const WebBoundary& boundary, const Json& call) {
  std::string error;
  FretRequest shared;
  if (call.contains("shared")) {
    std::optional<FretRequest> parsed =
        RequestFromJson(Json{{"parameters", call["shared"]}}.dump(), error);
    if (!parsed) return Refused(error);
    shared = std::move(*parsed);
  }
  std::vector<DyeRecord> records;
  for (const auto& [key, side] : {std::pair{"donors", SpectrumSide::kEmission},
                                  std::pair{"acceptors", SpectrumSide::kAbsorption}}) {
    if (!call.contains(key)) continue;
    if (!call[key].is_array()) return Refused(std::string(key) + " must be a list");
    for (const Json& dye : call[key]) {
      std::optional<DyeRecord> record = DyeOf(dye, side, shared, error);
      if (!record) return Refused(error);
      records.push_back(std::move(*record));
    }
  }
  const auto order = OrderOf(Text(call, "sort"));
  if (!order) return Refused("sort must be listed, r0, j, name or target");
  // The target distance is a shared parameter, checked as the panel's are.
  const std::vector<RequestRefusal> refusals = CheckRequest(shared);
  if (!refusals.empty()) {
    return Json{{"ok", true},
                {"refusals", RefusalsJson(refusals)},
                {"rows", Json::array()},
                {"why", RefusalText(refusals[0].parameter, refusals[0].refusal, Naming::kWords)}}
        .dump();
  }
  std::optional<double> target;
  if (shared.Given(Parameter::kTargetDistance)) {
    (void)ParseReal(shared.Text(Parameter::kTargetDistance), target.emplace());
  }

  std::vector<std::shared_ptr<const DyePreparation>> prepared;
  std::vector<PairRow> rows;
  std::vector<TableError> uncomputed;
  PairRunHooks hooks;
  hooks.computed = [&](std::vector<PairRow> batch, std::vector<TableError> left, std::size_t) {
    rows.insert(rows.end(), batch.begin(), batch.end());
    uncomputed.insert(uncomputed.end(), left.begin(), left.end());
  };
  const DyeReader read = [&boundary](const std::string& path) -> std::optional<std::string> {
    const std::string* bytes = boundary.File(path);
    if (!bytes) return std::nullopt;
    return *bytes;
  };
  const PairRunResult result = RunPairs(records, shared, prepared, 1, hooks, read);
  Json answer{{"ok", true}};
  if (result.end == PairRunResult::End::kSharedRefused) {
    answer["why"] = result.why;
    answer["rows"] = Json::array();
    return answer.dump();
  }
  const PairInputs& inputs = result.run->inputs;
  if (target) ApplyTargetDistance(rows, *target);
  SortPairs(rows, *order, inputs);
  Json list = Json::array();
  for (const PairRow& row : rows) {
    Json line{{"donor", inputs.Donor(row.donor).record.name},
              {"acceptor", inputs.Acceptor(row.acceptor).record.name},
              {"overlap_integral", row.overlap_integral},
              {"overlap_integral_text", row.overlap_integral_text},
              {"forster_distance", row.forster_distance},
              {"forster_distance_text", row.forster_distance_text}};
    if (target) {
      line["efficiency_at_target"] = row.efficiency_at_target;
      line["distance_error"] = row.distance_error;
      line["efficiency_slope_at_target"] = row.efficiency_slope_at_target;
    }
    list.push_back(std::move(line));
  }
  answer["rows"] = std::move(list);
  Json errors = Json::array();
  for (const TableError& e : result.run->refused) errors.push_back(TableErrorJson(e));
  for (const TableError& e : uncomputed) errors.push_back(TableErrorJson(e));
  answer["errors"] = std::move(errors);
  answer["csv"] = PairTableCsv(rows, inputs, target.has_value());
  return answer.dump();
}

// The parameter table and the panel's lists and start texts, from which the
// page builds its fields.
std::string ParametersCall() {
  Json parameters = Json::array();
  for (const ParameterDeclaration& declared : ParameterTable()) {
    parameters.push_back({{"name", declared.name},
                          {"words", declared.words},
                          {"option", declared.option},
                          {"default", declared.default_text},
                          {"unit", declared.unit},
                          {"help", declared.help},
                          {"values", declared.values},
                          {"choices", declared.choices}});
  }
  Json solvents = Json::array();
  for (int i = 1; i < static_cast<int>(kSolventTable.size()); ++i) {
    const Solvent& solvent = kSolventTable[static_cast<std::size_t>(i)];
    solvents.push_back({{"name", SolventName(i)},
                        {"label", solvent.name},
                        {"refractive_index", FormatGeneral(solvent.refractive_index, 15)}});
  }
  Json paths = Json::array();
  for (const OpticalPath& path : kOpticalPathTable) {
    std::string_view label = path.label;
    while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
    paths.push_back(label);
  }
  FretEngine engine;
  engine.Start();
  const Json start{{"quantum_yield", engine.FieldText(PanelField::kQuantumYield)},
                   {"orientation", engine.FieldText(PanelField::kOrientation)},
                   {"concentration", engine.FieldText(PanelField::kConcentration)},
                   {"refractive_index", engine.FieldText(PanelField::kRefractiveIndex)},
                   {"extinction", engine.FieldText(PanelField::kExtinction)},
                   {"solvent", SolventName(engine.SolventIndex())},
                   {"optical_path", paths[static_cast<std::size_t>(engine.OpticalPathIndex())]}};
  return Json{{"ok", true},
              {"parameters", parameters},
              {"solvents", solvents},
              {"optical_paths", paths},
              {"start", start}}
      .dump();
}

std::string GateCall(FretEngine* engine, const Json& call) {
  if (!engine) return Refused("no pair is shown");
  const int runs = std::max(1, Count(call, "runs", 1));
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) engine->RunGate();
  const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  return Json{{"ok", true},
              {"runs", runs},
              {"ns_per_run", took.count() / runs},
              {"forster_distance", engine->ForsterDistanceText()}}
      .dump();
}

}  // namespace

std::string WebBoundary::Call(std::string_view json) {
  const Json call = Json::parse(json, nullptr, false);
  if (call.is_discarded() || !call.is_object()) return Refused("the call is not a JSON object");
  const std::string command = Text(call, "command");
  if (command == "pair") return PairCall(*this, call, engine_);
  if (command == "columns") return ColumnsCall(*this, call);
  if (command == "pairs") return PairsCall(*this, call);
  if (command == "gate") return GateCall(engine_.get(), call);
  if (command == "parameters") return ParametersCall();
  return Refused("unknown command '" + command + "'");
}

}  // namespace korin
