// The program's five windows, created once at start-up in a fixed order and
// kept until the end: closing any but the main window only hides it.
#pragma once

#include <memory>

#include "core/fret_engine.h"
#include "plots/about_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "ui/dialog_service.h"
#include "ui/main_window.h"

namespace korin {

struct WindowSet {
  // Creates the main window (which starts the panel on `engine` before any
  // other window exists), then the energy-transfer plot (shown at once),
  // then the two input windows and the About window, hidden. The About
  // window's contents come with it or, for the program's start, when it is
  // first shown.
  WindowSet(FretEngine& engine, DialogService& dialogs,
            AboutWindow::Contents about_contents = AboutWindow::Contents::kWithWindow);

  std::unique_ptr<MainWindow> main_window;
  std::unique_ptr<EnergyTransferPlotWindow> plot_window;
  std::unique_ptr<DonorInputWindow> donor_window;
  std::unique_ptr<AcceptorInputWindow> acceptor_window;
  std::unique_ptr<AboutWindow> about_window;
};

}  // namespace korin
