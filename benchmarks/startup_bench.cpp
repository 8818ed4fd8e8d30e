// How long the program's windows take to make, as the start makes them:
// the main window with its panel, the energy-transfer plot shown at once,
// the input windows and the About window hidden. A process pays for its
// fonts once; these runs measure what every start pays on top, which the
// style-sheet style and repeated text layouts once swelled.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/fret_engine.h"
#include "ui/dialog_service.h"
#include "ui/window_set.h"

namespace {

void MakeWindows(benchmark::State& state, korin::AboutWindow::Contents about) {
  korin::QtDialogService dialogs;
  for (auto _ : state) {
    korin::FretEngine engine;
    korin::WindowSet windows(engine, dialogs, about);
    windows.main_window->show();
    benchmark::DoNotOptimize(windows.main_window->isVisible());
  }
}

void BM_MakeWindowsAsTheProgramStarts(benchmark::State& state) {
  MakeWindows(state, korin::AboutWindow::Contents::kWhenFirstShown);
}
BENCHMARK(BM_MakeWindowsAsTheProgramStarts)->Unit(benchmark::kMillisecond);

void BM_MakeWindowsWithTheAboutContents(benchmark::State& state) {
  MakeWindows(state, korin::AboutWindow::Contents::kWithWindow);
}
BENCHMARK(BM_MakeWindowsWithTheAboutContents)->Unit(benchmark::kMillisecond);

void BM_MakeAboutContents(benchmark::State& state) {
  for (auto _ : state) {
    korin::AboutWindow about(korin::AboutWindow::Contents::kWhenFirstShown);
    about.show();
    benchmark::DoNotOptimize(about.HasContents());
  }
}
BENCHMARK(BM_MakeAboutContents)->Unit(benchmark::kMillisecond);

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
