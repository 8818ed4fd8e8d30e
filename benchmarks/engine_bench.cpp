// One run of the calculation gate as the panel runs it on every keystroke:
// the conditions, the extinction from the concentration, J, R0, the three
// texts (J, R0 and the extinction field), through the engine with a view
// that takes nothing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "core/fret_engine.h"
#include "gaussian_spectrum.h"

namespace {

using korin::bench::Gaussian;

void LoadPair(korin::FretEngine& engine) {
  engine.Start();
  engine.BeginLoad(korin::SpectrumSide::kEmission);
  if (!engine.AcceptSpectrum(korin::SpectrumSide::kEmission,
                             Gaussian(300, 1200, 1000.0, 520.0, 30.0), "donor")) {
    std::abort();
  }
  engine.BeginLoad(korin::SpectrumSide::kAbsorption);
  if (!engine.AcceptSpectrum(korin::SpectrumSide::kAbsorption,
                             Gaussian(200, 1400, 0.85, 560.0, 40.0), "acceptor")) {
    std::abort();
  }
  if (!engine.ResultsVisible()) std::abort();
}

// Calculate: everything from the stored state.
void BM_EngineGateRun(benchmark::State& state) {
  korin::FretEngine engine;
  LoadPair(engine);
  for (auto _ : state) {
    engine.RunGate();
    benchmark::DoNotOptimize(engine.ForsterDistanceText().data());
  }
}
BENCHMARK(BM_EngineGateRun);

// A keystroke in the quantum-yield field: parse, redraw the emission series
// (1401 products) and the gate.
void BM_EngineQuantumYieldEdit(benchmark::State& state) {
  korin::FretEngine engine;
  LoadPair(engine);
  bool flip = false;
  for (auto _ : state) {
    engine.EditField(korin::PanelField::kQuantumYield, (flip = !flip) ? "0.5" : "0.6");
    benchmark::DoNotOptimize(engine.ForsterDistanceText().data());
  }
}
BENCHMARK(BM_EngineQuantumYieldEdit);

}  // namespace
