// The command-line tool's analysis figures beyond J and R0: distance from
// efficiency and back, R0's uncertainty, and in JSON both unit systems and
// the overlap diagnostics.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/fret_analysis.h"
#include "core/fret_engine.h"
#include "report/report.h"

namespace korin {

// The options as typed.
struct AnalysisOptions {
  std::optional<std::string> efficiency;
  std::optional<std::string> distance;
  std::vector<std::string> kappa2_range;
  std::vector<std::string> anisotropy;
  std::optional<std::string> quantum_yield_error;
  std::optional<std::string> refractive_index_error;
  std::optional<std::string> extinction_error;

  void AddTo(CLI::App& app);
};

// The options as read.
struct AnalysisRequest {
  std::optional<double> efficiency;
  std::optional<double> distance;  // angstroms
  std::optional<Kappa2Range> kappa2;
  InputErrors errors;
  bool uncertainty = false;  // any error or kappa^2 range was given
};

// Reads every analysis option; a value outside its range is reported on
// `err`, naming the option, and the answer is false.
[[nodiscard]] bool ReadAnalysisOptions(const AnalysisOptions& options, AnalysisRequest& request,
                                       std::ostream& err);

// Whether the figures asked for exist: a distance or an efficiency needs a
// positive R0. Otherwise the reason.
[[nodiscard]] std::optional<std::string> AnalysisRefusal(const AnalysisRequest& request,
                                                         const FretEngine& engine);

// One line per figure asked for, after the two result lines.
void WriteAnalysisLines(const AnalysisRequest& request, const FretEngine& engine,
                        std::ostream& out);

// The figures asked for as report lines.
[[nodiscard]] std::vector<ReportLine> AnalysisReportLines(const AnalysisRequest& request,
                                                          const FretEngine& engine);

// The analysis keys of the JSON result: both units and the overlap always,
// the rest when asked for.
void AddAnalysisJson(const AnalysisRequest& request, const FretEngine& engine,
                     nlohmann::ordered_json& result);

}  // namespace korin
