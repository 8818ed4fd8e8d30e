#include "report/result_json.h"

#include <nlohmann/json.hpp>

#include "io/column_table.h"
#include "io/spectrum_formats.h"
#include "numeric/number_text.h"

namespace korin {
namespace {

using Json = nlohmann::ordered_json;

// "orientation factor" -> "orientation_factor"
std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c == ' ') c = '_';
  }
  return key;
}

Json FileJson(const std::string& path, int first, int last,
              const std::optional<LoadOutcome>& outcome) {
  Json file{{"file", path}, {"first", first}, {"last", last}};
  // A side read through the column import names the reader and its columns.
  if (outcome && outcome->columns) {
    const LoadOutcome::Columns& used = *outcome->columns;
    file["reader"] = kColumnsReaderName;
    file["columns"] = {{"wavelength", used.wavelength_column + 1},
                       {"wavelength_name", used.wavelength_name},
                       {"value", used.value_column + 1},
                       {"value_name", used.value_name},
                       {"unit", UnitText(used.unit)},
                       {"skipped_rows", used.skipped_rows}};
  }
  return file;
}

void AddAnalysis(const AnalysisResult& analysis, Json& result) {
  result["overlap_integral_nm4"] = analysis.overlap_integral_nm4;
  result["forster_distance_nm"] = analysis.forster_distance_nm;
  const OverlapDiagnostics& d = analysis.overlap;
  Json overlap;
  overlap["peak_nm"] = d.available ? Json(d.peak) : Json(nullptr);
  overlap["band_nm"] = d.available ? Json::array({d.band_first, d.band_last}) : Json(nullptr);
  overlap["warnings"] = d.warnings;
  result["overlap"] = std::move(overlap);
  if (const auto& u = analysis.uncertainty) {
    Json shares;
    for (const FactorSpread& f : u->factors) shares[Key(FactorName(f.factor))] = f.share;
    result["uncertainty"] = {{"r0_min", u->r0_min}, {"r0_max", u->r0_max}, {"shares", shares}};
  }
  if (const auto& r = analysis.distance) {
    result["distance"] = {{"efficiency", r->efficiency},
                          {"angstrom", r->angstroms},
                          {"nm", AngstromsToNanometres(r->angstroms)}};
  }
  if (const auto& e = analysis.efficiency) {
    result["efficiency"] = {{"angstrom", e->angstroms}, {"efficiency", e->efficiency}};
  }
}

}  // namespace

std::string ResultJson(const FretEngine& engine, const FretRequest& request,
                       const RequestOutcome& outcome, const AnalysisResult& analysis) {
  const FretSession& s = engine.session();
  Json result;
  result["overlap_integral"] = s.overlap_integral;
  result["overlap_integral_text"] = engine.OverlapIntegralText();
  result["forster_distance"] = engine.ForsterDistanceValue();
  result["forster_distance_text"] = engine.ForsterDistanceText();
  result["extinction_max"] = s.extinction_max;
  result["extinction_max_text"] = FormatGeneral(s.extinction_max, 15);
  result["emission"] =
      FileJson(request.emission.path, s.emission_first, s.emission_last, outcome.emission);
  result["absorption"] =
      FileJson(request.absorption.path, s.absorption_first, s.absorption_last, outcome.absorption);
  result["parameters"] = {
      {"concentration", s.concentration},     {"optical_path", s.optical_path},
      {"extinction_mode", s.extinction_mode}, {"refractive_index", s.refractive_index},
      {"orientation", s.orientation_factor},  {"quantum_yield", s.quantum_yield}};
  AddAnalysis(analysis, result);
  // File names need not be UTF-8; replace what is not rather than fail.
  return result.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace korin
