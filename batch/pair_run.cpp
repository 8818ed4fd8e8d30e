#include "batch/pair_run.h"

#include <algorithm>

namespace korin {
namespace {

// Pairs handed over at a time: a few batches for a small table, a hundred
// for a large one, so that a view stays live without redrawing for every
// row.
std::size_t RowBatch(std::size_t pairs) {
  return std::max<std::size_t>(4096, pairs / 100);
}

bool Cancelled(const PairRunHooks& hooks) {
  return hooks.cancelled && hooks.cancelled();
}

}  // namespace

PairRunResult RunPairs(std::span<const DyeRecord> records, const FretRequest& shared,
                       std::vector<std::shared_ptr<const DyePreparation>>& prepared, int jobs,
                       const PairRunHooks& hooks, const DyeReader& read) {
  PairRunResult result;
  std::string why;
  const std::optional<SharedValues> values = ReadSharedParameters(shared, why);
  if (!values) {
    result.end = PairRunResult::End::kSharedRefused;
    result.why = std::move(why);
    return result;
  }

  // Each spectrum not prepared yet, a few between two looks at Cancel.
  prepared.resize(records.size());
  std::vector<std::size_t> missing;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!prepared[i]) missing.push_back(i);
  }
  const std::size_t step = std::max<std::size_t>(8, 2 * static_cast<std::size_t>(jobs));
  if (hooks.preparing) hooks.preparing(0, missing.size());
  for (std::size_t done = 0; done < missing.size(); done += step) {
    if (Cancelled(hooks)) {
      result.end = PairRunResult::End::kCancelledPreparing;
      return result;
    }
    const std::size_t end = std::min(missing.size(), done + step);
    std::vector<DyeRecord> batch;
    for (std::size_t k = done; k < end; ++k) batch.push_back(records[missing[k]]);
    std::vector<DyePreparation> made = PrepareDyes(batch, shared, jobs, read);
    for (std::size_t k = done; k < end; ++k) {
      prepared[missing[k]] = std::make_shared<const DyePreparation>(std::move(made[k - done]));
    }
    if (hooks.preparing) hooks.preparing(end, missing.size());
  }

  // The table's dyes, in the order they were listed; the refused, with why.
  auto run = std::make_shared<PairRun>();
  run->shared = shared;
  run->dyes = prepared;
  run->inputs.shared = *values;
  for (const auto& dye : run->dyes) AddPrepared(*dye, run->inputs, run->refused);
  result.run = run;
  result.pairs = PairCount(run->inputs);
  if (hooks.prepared) hooks.prepared(run);

  const std::size_t batch = RowBatch(result.pairs);
  for (std::size_t first = 0; first < result.pairs; first += batch) {
    if (Cancelled(hooks)) {
      result.end = PairRunResult::End::kCancelledComputing;
      return result;
    }
    std::vector<PairRow> rows(std::min(batch, result.pairs - first));
    ComputePairs(run->inputs, first, rows, jobs);
    std::vector<TableError> uncomputed = TakeUncomputed(rows, run->inputs);
    result.pairs_done = first + std::min(batch, result.pairs - first);
    if (hooks.computed) hooks.computed(std::move(rows), std::move(uncomputed), result.pairs_done);
  }
  return result;
}

}  // namespace korin
