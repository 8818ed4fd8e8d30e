// One computation of the pair table, as the pairs command and the pair table
// window both run it: the spectra not prepared yet are prepared a few at a
// time, then the pairs are computed in batches. Between batches the run
// asks whether to stop, and tells how far it has come, so that a window can
// show progress and a Cancel button while the run goes on elsewhere.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "batch/pair_table.h"

namespace korin {

// What a run's rows point at, kept alive with them.
struct PairRun {
  FretRequest shared;                                       // the shared values the run used
  std::vector<std::shared_ptr<const DyePreparation>> dyes;  // in the records' order
  PairInputs inputs;                                        // points into `dyes`
  std::vector<TableError> refused;                          // spectra not in use
};

struct PairRunHooks {
  // Asked between batches; true ends the run where it stands.
  std::function<bool()> cancelled;
  // How many of the spectra to prepare are done.
  std::function<void(std::size_t done, std::size_t total)> preparing;
  // Every spectrum stands; the pairs come next.
  std::function<void(const std::shared_ptr<const PairRun>& run)> prepared;
  // A batch of rows in the listed order, the pairs without figures taken
  // out into `uncomputed`; `done` pairs of the run are computed.
  std::function<void(std::vector<PairRow> rows, std::vector<TableError> uncomputed,
                     std::size_t done)>
      computed;
};

struct PairRunResult {
  enum class End { kFinished, kSharedRefused, kCancelledPreparing, kCancelledComputing };
  End end = End::kFinished;
  std::string why;  // kSharedRefused: why the shared parameters hide every result
  std::shared_ptr<const PairRun> run;  // once the spectra stand
  std::size_t pairs = 0;               // the pairs of the run
  std::size_t pairs_done = 0;          // computed before the end
};

// Runs the table for `records` with `shared` on up to `jobs` threads.
// `prepared` holds each record's preparation where one was made before
// (null elsewhere; resized to the records): preparations do not depend on
// the shared values, so the run makes only the missing ones, and keeps
// what it made even when it stops part-way.
[[nodiscard]] PairRunResult RunPairs(std::span<const DyeRecord> records, const FretRequest& shared,
                                     std::vector<std::shared_ptr<const DyePreparation>>& prepared,
                                     int jobs, const PairRunHooks& hooks = {},
                                     const DyeReader& read = ReadDyeFile);

}  // namespace korin
