// How long the FRET Analysis window takes to re-read the engine: the main
// window refreshes it on every keystroke, so one refresh must stay far
// below a frame. Hidden, a refresh only marks the window stale.
#include <benchmark/benchmark.h>

#include <string>

#include "core/fret_engine.h"
#include "io/spectrum_loader.h"
#include "plots/analysis_window.h"

namespace {

// An engine with the bundled sample pair loaded and its results shown.
bool LoadSamples(korin::FretEngine& engine) {
  engine.Start();
  const std::string samples = KORIN_SAMPLES_DIR;
  const auto emission = korin::OpenSpectrum(engine, korin::SpectrumSide::kEmission, 1,
                                            samples + "/donor_emission.csv", {});
  const auto absorption = korin::OpenSpectrum(engine, korin::SpectrumSide::kAbsorption, 1,
                                              samples + "/acceptor_absorption.sp", {});
  return emission.kind == korin::LoadOutcome::Kind::kAccepted &&
         absorption.kind == korin::LoadOutcome::Kind::kAccepted && engine.ResultsVisible();
}

void BM_RefreshShownAnalysisWindow(benchmark::State& state) {
  korin::FretEngine engine;
  if (!LoadSamples(engine)) {
    state.SkipWithError("the sample pair did not load");
    return;
  }
  korin::AnalysisWindow window(engine);
  window.show();
  for (auto _ : state) window.Refresh();
}
BENCHMARK(BM_RefreshShownAnalysisWindow)->Unit(benchmark::kMicrosecond);

void BM_RefreshHiddenAnalysisWindow(benchmark::State& state) {
  korin::FretEngine engine;
  if (!LoadSamples(engine)) {
    state.SkipWithError("the sample pair did not load");
    return;
  }
  korin::AnalysisWindow window(engine);
  for (auto _ : state) window.Refresh();
}
BENCHMARK(BM_RefreshHiddenAnalysisWindow)->Unit(benchmark::kNanosecond);

}  // namespace
