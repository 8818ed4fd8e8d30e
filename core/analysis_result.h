// The analysis figures of one calculation, computed once: J and R0 in both
// unit systems, the distance for an efficiency and the efficiency at a
// distance, R0's range with each factor's share, and the overlap
// diagnostics. The window, the command-line tool's text and JSON, and the
// report all format this one value.
#pragma once

#include <optional>
#include <string>

#include "core/fret_analysis.h"
#include "core/fret_session.h"

namespace korin {

// What the analysis is asked, as numbers already checked (EfficiencyOf,
// DistanceOf, IsKappa2Range or Kappa2FromAnisotropies, ErrorFromPercent).
struct AnalysisInputs {
  std::optional<double> efficiency;  // 0 < E < 1
  std::optional<double> distance;    // angstroms, > 0
  std::optional<Kappa2Range> kappa2;
  InputErrors errors;
  // R0's range was asked for: a kappa^2 range or any error was given.
  bool uncertainty = false;
};

struct DistanceFigure {
  double efficiency = 0.0;  // as asked
  double angstroms = 0.0;   // the distance that gives it
};

struct EfficiencyFigure {
  double angstroms = 0.0;   // as asked
  double efficiency = 0.0;  // at that distance
};

struct AnalysisResult {
  double overlap_integral = 0.0;      // M^-1 cm^3
  double overlap_integral_nm4 = 0.0;  // M^-1 cm^-1 nm^4
  double forster_distance = 0.0;      // angstroms
  double forster_distance_nm = 0.0;
  // Set when asked for and R0 is positive (no distance follows from R0 = 0).
  std::optional<DistanceFigure> distance;
  std::optional<EfficiencyFigure> efficiency;
  // Set when asked for; kappa^2 over the range asked, or the panel's value.
  std::optional<R0Uncertainty> uncertainty;
  OverlapDiagnostics overlap;
};

// The figures for `session` as a passing gate run left it, with R0
// `forster_distance`. Precondition: the gate's conditions hold and J is
// finite (LastGateOutcome() == kShown).
[[nodiscard]] AnalysisResult Analyse(const FretSession& session, double forster_distance,
                                     const AnalysisInputs& inputs);

// Why a figure asked for cannot be given, or nothing: a distance or an
// efficiency needs a positive R0.
[[nodiscard]] std::optional<std::string> AnalysisRefusal(const AnalysisResult& result,
                                                         const AnalysisInputs& inputs);

}  // namespace korin
