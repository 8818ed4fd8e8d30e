// The experiment plan of every pair of a pair table on one instrument: the
// leakage, the direct excitation, gamma and the apparent efficiency at the
// target distance. Each dye's other spectrum (a donor's absorption, an
// acceptor's emission) comes from its sheet row, or from its own file when
// that file's header names several spectra; it is prepared once per dye.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "batch/pair_run.h"
#include "plan/plan_request.h"

namespace korin {

struct PairPlanColumns {
  bool planned = false;  // false: the pair's plan is refused (see PairPlan::refused)
  double leakage = 0.0;
  double direct_excitation = 0.0;
  double gamma = 0.0;
  double apparent_at_target = 0.0;  // with a target distance
};

struct PairPlan {
  std::vector<PairPlanColumns> rows;  // one per row, in the rows' order
  // A dye without a usable second spectrum, a channel that cannot be
  // built, or a pair the plan refuses (a laser outside its spectra, ...).
  std::vector<TableError> refused;
};

// `instrument` gives the lasers and channels, and the defaults for a dye's
// second value: --donor-extinction, --acceptor-quantum-yield. Its pair and
// spectra are not used.
[[nodiscard]] PairPlan PlanPairs(const PairRun& run, std::span<const PairRow> rows,
                                 const PlanRequest& instrument, std::optional<double> target,
                                 const PlanFileReader& read = ReadPlanFile);

// Whether `request` asks the pair table for a plan: a donor laser is given.
[[nodiscard]] bool AsksForPlan(const PlanRequest& request);

}  // namespace korin
