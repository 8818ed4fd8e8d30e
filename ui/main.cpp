// Korin-FRET: start-up of the windowed program.
#include <QApplication>

#include "core/fret_engine.h"
#include "ui/dialog_service.h"
#include "ui/window_set.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korin-FRET"));
  // The one calculation engine and its state, from before the first window
  // to the end.
  korin::FretEngine engine;
  korin::QtDialogService dialogs;
  korin::WindowSet windows(engine, dialogs);
  windows.Form1->show();
  return QApplication::exec();
}
