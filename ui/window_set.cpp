#include "ui/window_set.h"

namespace korin {

WindowSet::WindowSet(FretEngine& engine, DialogService& dialogs,
                     AboutWindow::Contents about_contents)
    : main_window(std::make_unique<MainWindow>(engine, dialogs)),
      plot_window(std::make_unique<EnergyTransferPlotWindow>()),
      donor_window(std::make_unique<DonorInputWindow>()),
      acceptor_window(std::make_unique<AcceptorInputWindow>()),
      about_window(std::make_unique<AboutWindow>(about_contents)) {
  main_window->AttachWindows(plot_window.get(), donor_window.get(), acceptor_window.get(),
                             about_window.get());
}

}  // namespace korin
