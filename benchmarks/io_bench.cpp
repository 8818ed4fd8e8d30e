// How fast spectrum text is cut into numbers and read: a 1401-line file is
// the largest spectrum the grid holds, while instrument exports in 0.001-nm
// steps run to megabytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/fret_engine.h"
#include "io/field_scanner.h"
#include "io/spectrum_file.h"
#include "io/spectrum_loader.h"
#include "io/spectrum_readers.h"
#include "numeric/parse_real.h"

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

// About 5 MB of "500.001,0.12345" lines in 0.001-nm steps from 300 nm.
std::string FineStepSpectrum() {
  std::string text = "Wavelength,Intensity\n";
  for (int step = 0; text.size() < 5'000'000; ++step) {
    char line[48];
    std::snprintf(line, sizeof line, "%d.%03d,%.5f\n", 300 + step / 1000, step % 1000,
                  0.1 + (step % 1000) / 10000.0);
    text += line;
  }
  return text;
}

void BM_ReadEmissionColumns5MB(benchmark::State& state) {
  const std::string content = FineStepSpectrum();
  for (auto _ : state) {
    const korin::SpectrumRead read = korin::ReadEmissionColumns({"big.csv", content}, nullptr);
    benchmark::DoNotOptimize(read.accepted);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(content.size()));
}
BENCHMARK(BM_ReadEmissionColumns5MB)->Unit(benchmark::kMillisecond);

// The same from a file, as an open command reads it: the file taken in
// whole, then read.
void BM_OpenEmissionFile5MB(benchmark::State& state) {
  const std::string content = FineStepSpectrum();
  const std::string path = std::filesystem::temp_directory_path() / "korin-bench-5mb.csv";
  std::ofstream(path, std::ios::binary) << content;
  for (auto _ : state) {
    const korin::SpectrumFile file = korin::ReadSpectrumFile(path);
    const korin::SpectrumRead read = korin::ReadEmissionColumns(file.Source(), nullptr);
    benchmark::DoNotOptimize(read.accepted);
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(content.size()));
}
BENCHMARK(BM_OpenEmissionFile5MB)->Unit(benchmark::kMillisecond);

// The whole open command as the window and the command-line tool give it:
// the reader chosen by the extension, the file taken in, read, its header
// checked, and the spectrum handed to an engine that shows it.
void BM_OpenSpectrum5MB(benchmark::State& state) {
  const std::string content = FineStepSpectrum();
  const std::string path = std::filesystem::temp_directory_path() / "korin-bench-open-5mb.csv";
  std::ofstream(path, std::ios::binary) << content;
  korin::FretEngine engine;
  engine.Start();
  for (auto _ : state) {
    const korin::LoadOutcome outcome =
        korin::OpenSpectrum(engine, korin::SpectrumSide::kEmission, 1, path, nullptr);
    if (outcome.kind != korin::LoadOutcome::Kind::kAccepted) {
      state.SkipWithError("the spectrum was not accepted");
      break;
    }
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(content.size()));
}
BENCHMARK(BM_OpenSpectrum5MB)->Unit(benchmark::kMillisecond);

}  // namespace
