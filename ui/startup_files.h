// The spectrum files named on the windowed program's command line, as a
// file manager passes them: korin-fret [--emission FILE] [--absorption FILE]
// [FILE...]. Each opens as if chosen in its side's open dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/grid_spectrum.h"

namespace korin {

class MainWindow;

struct StartupFile {
  SpectrumSide side;
  QString path;
};

struct StartupFiles {
  std::vector<StartupFile> files;  // in the order named
  QStringList problems;            // what could not be opened, in words
};

// `arguments` as QCoreApplication::arguments() gives them (the program's
// name first). A plain FILE goes to the side whose reader takes its
// extension; a .txt, which both sides read, must be named with --emission
// or --absorption. Whether a file exists is left to its reader, which says
// so as it would for a file chosen in the dialog.
[[nodiscard]] StartupFiles ReadStartupArguments(const QStringList& arguments);

// Opens the files in `startup` in the main window and then shows each
// problem in a message box over it.
void OpenStartupFiles(MainWindow& window, const StartupFiles& startup);

}  // namespace korin
