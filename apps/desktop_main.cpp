// Korin-FRET: start-up of the windowed program.
#include <QApplication>
#include <QTimer>

#include "core/fret_engine.h"
#include "ui/dialog_service.h"
#include "ui/startup_files.h"
#include "ui/window_set.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korin-FRET"));
  // Spectrum files named by a file manager or on the command line.
  const korin::StartupFiles startup = korin::ReadStartupArguments(QApplication::arguments());
  // The one calculation engine and its state, from before the first window
  // to the end.
  korin::FretEngine engine;
  korin::QtDialogService dialogs;
  // The About window stays hidden until asked for: its contents are made
  // then, not before the first frame.
  korin::WindowSet windows(engine, dialogs, korin::AboutWindow::Contents::kWhenFirstShown);
  windows.main_window->show();
  // Once the windows are up, so that a reader's message stands over them.
  if (!startup.files.empty() || !startup.problems.isEmpty()) {
    QTimer::singleShot(0, windows.main_window.get(),
                       [&] { korin::OpenStartupFiles(*windows.main_window, startup); });
  }
  return QApplication::exec();
}
