// How fast spectrum text is cut into numbers: a 1401-line file is the
// largest spectrum the grid holds.
#include <benchmark/benchmark.h>

#include <string>

#include "import/field_scanner.h"
#include "core/parse_real.h"

namespace {

void BM_ParseReal(benchmark::State& state) {
  double value = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(korin::ParseReal("0.012345678", value));
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_ParseReal);

void BM_ScanSpectrumLines(benchmark::State& state) {
  std::string lines;
  for (int w = 100; w <= 1500; ++w)
    lines += std::to_string(w) + ".0\t0.0" + std::to_string(w) + "\n";
  for (auto _ : state) {
    std::string_view rest = lines;
    double sum = 0.0;
    while (!rest.empty()) {
      const auto end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest.remove_prefix(end + 1);
      double value = 0.0;
      while (korin::NextNumericField(line, value)) sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ScanSpectrumLines);

}  // namespace
