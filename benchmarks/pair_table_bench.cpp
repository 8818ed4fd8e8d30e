// The pair table in memory: 100 donors against 100 acceptors, each spectrum
// prepared once through its engine, then J, R0 and their two texts for all
// 10,000 pairs; the goal is a million pairs a second on two cores.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "batch/pair_table.h"
#include "gaussian_spectrum.h"

namespace {

using korin::bench::Gaussian;
using korin::bench::SpectrumFile;

constexpr int kDyes = 100;

// Donors from 450 nm and acceptors from 500 nm on, each a little further
// red; broad enough that every pair overlaps.
std::vector<korin::DyeRecord> Records() {
  std::vector<korin::DyeRecord> records;
  const korin::FretRequest defaults;
  for (int i = 0; i < kDyes; ++i) {
    records.push_back(korin::ListedDye(korin::SpectrumSide::kEmission,
                                       "d" + std::to_string(i) + ".csv", defaults));
  }
  for (int i = 0; i < kDyes; ++i) {
    records.push_back(korin::ListedDye(korin::SpectrumSide::kAbsorption,
                                       "a" + std::to_string(i) + ".sp", defaults));
  }
  return records;
}

// The bytes of the file a record names ("d17.csv", "a3.sp"), made in
// memory: the preparation reads them as it reads a file's.
std::optional<std::string> ReadInMemory(const std::string& path) {
  const int i = std::atoi(path.c_str() + 1);
  if (path.front() == 'd') {
    return SpectrumFile(Gaussian(350, 900, 1000.0, 450.0 + 2 * i, 25.0),
                        korin::SpectrumSide::kEmission);
  }
  return SpectrumFile(Gaussian(300, 950, 0.85, 500.0 + 2 * i, 35.0),
                      korin::SpectrumSide::kAbsorption);
}

struct Table {
  std::vector<korin::PreparedDye> donors;
  std::vector<korin::PreparedDye> acceptors;
};

Table Prepare(int jobs) {
  Table table;
  table.donors.reserve(kDyes);
  table.acceptors.reserve(kDyes);
  for (auto& prepared : korin::PrepareDyes(Records(), {}, jobs, ReadInMemory)) {
    if (!prepared.dye) std::abort();
    (prepared.dye->record.side == korin::SpectrumSide::kEmission ? table.donors : table.acceptors)
        .push_back(std::move(*prepared.dye));
  }
  return table;
}

// All 10,000 pairs on `jobs` threads: items per second are pairs per second.
void BM_PairTable100x100(benchmark::State& state) {
  const Table table = Prepare(2);
  const korin::PairInputs inputs =
      korin::PairInputsOf(table.donors, table.acceptors, {0.66667, 1.333});
  const int jobs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const std::vector<korin::PairRow> rows = korin::ComputeAllPairs(inputs, jobs);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * kDyes * kDyes);
}
BENCHMARK(BM_PairTable100x100)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// Preparing the 200 spectra: an engine each, started, typed, read from
// the bytes of its file and loaded.
void BM_PrepareDyes200(benchmark::State& state) {
  const int jobs = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const Table table = Prepare(jobs);
    benchmark::DoNotOptimize(table.donors.data());
  }
  state.SetItemsProcessed(state.iterations() * 2 * kDyes);
}
BENCHMARK(BM_PrepareDyes200)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
