// How long the energy-transfer plot takes to take in two full spectra (1401
// single AddPoint calls per series) and to paint once at its window size.
// A paint must stay well under one 60 Hz frame (16.7 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "plots/energy_transfer_plot.h"

namespace {

constexpr int kFirst = 100;  // the whole 1-nm grid
constexpr int kLast = 1500;

double Bell(int nm, double peak, double width) {
  const double z = (nm - peak) / width;
  return std::exp(-z * z / 2);
}

void Fill(korin::EnergyTransferPlotWindow& plot) {
  plot.EmissionSeries().ClearSeries();
  plot.ExtinctionSeries().ClearSeries();
  for (int nm = kFirst; nm <= kLast; ++nm) {
    plot.EmissionSeries().AddPoint(nm, 14.0 * Bell(nm, 515, 15));
    plot.ExtinctionSeries().AddPoint(nm, 85000.0 * Bell(nm, 556, 18));
  }
}

void Paint(korin::EnergyTransferPlotWindow& plot, QImage& image) {
  QPainter painter(&image);
  plot.chart().draw(painter, image.rect());
}

void BM_AddPointsToBothSeries(benchmark::State& state) {
  korin::EnergyTransferPlotWindow plot;
  for (auto _ : state) Fill(plot);
  state.SetItemsProcessed(state.iterations() * 2 * (kLast - kFirst + 1));
}
BENCHMARK(BM_AddPointsToBothSeries)->Unit(benchmark::kMicrosecond);

void BM_PaintEnergyTransferChart(benchmark::State& state) {
  korin::EnergyTransferPlotWindow plot;
  Fill(plot);
  QImage image(418, 231, QImage::Format_RGB32);
  for (auto _ : state) Paint(plot, image);
}
BENCHMARK(BM_PaintEnergyTransferChart)->Unit(benchmark::kMillisecond);

void BM_FillAndPaintEnergyTransferChart(benchmark::State& state) {
  korin::EnergyTransferPlotWindow plot;
  QImage image(418, 231, QImage::Format_RGB32);
  for (auto _ : state) {
    Fill(plot);
    Paint(plot, image);
  }
}
BENCHMARK(BM_FillAndPaintEnergyTransferChart)->Unit(benchmark::kMillisecond);

}  // namespace

// Fonts and widgets need an application; the offscreen platform needs no
// display.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
