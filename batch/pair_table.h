// The pair table: many donors against many acceptors, each prepared once
// (dye_preparation.h). Every pair is J and R0 from the two grids by the
// very functions the engine's gate runs, so a row equals, to the last
// digit, what the panel shows for that pair with the same parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/dye_preparation.h"

namespace korin {

// --- The pairs -------------------------------------------------------------------

// The dyes are held elsewhere (a dye is some 11 kB): the inputs point at
// them, and they must outlive the inputs.
struct PairInputs {
  std::vector<const PreparedDye*> donors;
  std::vector<const PreparedDye*> acceptors;
  SharedValues shared;

  [[nodiscard]] const PreparedDye& Donor(std::size_t i) const { return *donors[i]; }
  [[nodiscard]] const PreparedDye& Acceptor(std::size_t i) const { return *acceptors[i]; }
};

// A prepared dye among the inputs' donors or acceptors by its side, or its
// refusal added to `refused`. The preparation must outlive the inputs.
void AddPrepared(const DyePreparation& preparation, PairInputs& inputs,
                 std::vector<TableError>& refused);

// Inputs pointing at every dye of `donors` and of `acceptors`.
[[nodiscard]] PairInputs PairInputsOf(std::span<const PreparedDye> donors,
                                      std::span<const PreparedDye> acceptors, SharedValues shared);

// Pair i is donor i / acceptors.size() with acceptor i % acceptors.size().
[[nodiscard]] std::size_t PairCount(const PairInputs& inputs);

struct PairRow {
  std::uint32_t donor = 0;  // indexes into the inputs
  std::uint32_t acceptor = 0;
  bool computed = false;          // false: J is not a finite double, and the pair has no figures
  double overlap_integral = 0.0;  // M^-1 cm^3
  double forster_distance = 0.0;  // angstroms
  std::string overlap_integral_text;  // the result panel's texts, with "."
  std::string forster_distance_text;
  // With a target distance R: E at R, |R0 - R| in angstroms, and |dE/dr| at
  // R per angstrom (how well E tells distances apart there).
  double efficiency_at_target = 0.0;
  double distance_error = 0.0;
  double efficiency_slope_at_target = 0.0;
};

// One pair, as the engine's gate computes it.
[[nodiscard]] PairRow ComputePair(const PairInputs& inputs, std::uint32_t donor,
                                  std::uint32_t acceptor);

// Pairs first .. first + rows.size() - 1 into `rows`, on up to `jobs`
// threads. Precondition: first + rows.size() <= PairCount(inputs).
void ComputePairs(const PairInputs& inputs, std::size_t first, std::span<PairRow> rows, int jobs);

// Every pair, in the order above.
[[nodiscard]] std::vector<PairRow> ComputeAllPairs(const PairInputs& inputs, int jobs);

// The pairs without figures taken out of `rows`, one error each.
[[nodiscard]] std::vector<TableError> TakeUncomputed(std::vector<PairRow>& rows,
                                                     const PairInputs& inputs);

// --- Target distance, order, CSV -----------------------------------------------

// Sets E at `target` and |R0 - target| on every computed row; a pair with
// R0 = 0 transfers nothing there. Precondition: target > 0, finite.
void ApplyTargetDistance(std::span<PairRow> rows, double target);

enum class PairOrder {
  kListed,           // donors in their order, each against the acceptors in theirs
  kForsterDistance,  // largest R0 first
  kOverlapIntegral,  // largest J first
  kName,             // donor name, then acceptor name, A to Z
  kDistanceError,    // R0 nearest the target first
};

// Sorts stably: ties keep the listed order, whatever the threads did.
void SortPairs(std::vector<PairRow>& rows, PairOrder order, const PairInputs& inputs);

// The header line and one line per row: donor, acceptor, overlap_integral,
// overlap_integral_text, forster_distance, forster_distance_text, and with a
// target efficiency_at_target and distance_error. Numbers read back
// exactly; fields are quoted when they must be.
// Columns a caller adds after those above: their names, and each row's
// cells by its index into `rows`.
struct ExtraColumns {
  std::vector<std::string> names;
  std::function<std::vector<std::string>(std::size_t row)> cells;
};
[[nodiscard]] std::string PairTableCsv(std::span<const PairRow> rows, const PairInputs& inputs,
                                       bool with_target, const ExtraColumns* extra = nullptr);

}  // namespace korin
