// How the main window opens spectra: through the open dialogs, a path named
// at start, the column import with its dialog, files dropped on a group or
// a window, and a whole request, such as a pair of the pair table. Every
// way ends in the one open path, whose messages show in message boxes.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "io/column_table.h"
#include "io/drop_policy.h"
#include "io/spectrum_file.h"
#include "io/spectrum_loader.h"
#include "plots/qt_text.h"
#include "request/apply_request.h"
#include "ui/main_window.h"

namespace korin {
namespace {

std::string EncodedPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

void MainWindow::OpenEmission() {
  OpenSpectrumFile(SpectrumSide::kEmission, emission_dialog_);
}
void MainWindow::OpenAbsorption() {
  OpenSpectrumFile(SpectrumSide::kAbsorption, absorption_dialog_);
}

void MainWindow::OpenSpectrumFile(SpectrumSide side, OpenDialogState& dialog) {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, dialog);
  if (!chosen) return;
  (void)OpenAndReport(side, dialog.filter_entry, *chosen);
}

void MainWindow::OpenSpectrumPath(SpectrumSide side, const QString& path, int filter_entry) {
  (void)OpenAndReport(side, filter_entry, path);
}

MessageSink MainWindow::MessageBoxSink() {
  return [this](std::string_view message) { ShowMessage(LocalText(message)); };
}

LoadOutcome MainWindow::OpenAndReport(SpectrumSide side, int filter_entry, const QString& path) {
  LoadOutcome outcome =
      OpenSpectrum(engine_, side, filter_entry, EncodedPath(path), MessageBoxSink());
  ShowLoadWarnings(outcome);
  return outcome;
}

void MainWindow::ShowLoadWarnings(const LoadOutcome& outcome) {
  if (outcome.kind != LoadOutcome::Kind::kAccepted || outcome.warnings.empty()) return;
  QStringList lines;
  for (const std::string& warning : outcome.warnings) lines << LocalText(warning);
  ShowMessage(lines.join(QLatin1Char('\n')));
}

void MainWindow::ImportColumns() {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, columns_dialog_);
  if (!chosen) return;
  const ScannedFile scanned = ScanFile(EncodedPath(*chosen));
  if (!scanned.file.opened) {
    // The readers' own words for a file that cannot be read; no side has
    // been chosen, so none is withdrawn.
    ShowFileError(MessageBoxSink(), scanned.file.path);
    return;
  }
  if (!scanned.table.found()) {
    ShowMessage(
        QStringLiteral("No table of numbers was found in %1.").arg(QFileInfo(*chosen).fileName()));
    return;
  }
  AskAndLoadColumns(*chosen, scanned.file, scanned.table, columns_side_);
}

void MainWindow::AskAndLoadColumns(const QString& path, const SpectrumFile& file,
                                   const ColumnTable& table, SpectrumSide side) {
  const std::optional<ColumnImportChoice> choice = dialogs_.AskColumns(this, table, path, side);
  if (!choice) return;
  columns_side_ = choice->side;
  ShowLoadWarnings(
      LoadColumns(engine_, choice->side, table, choice->pair, file.Source(), MessageBoxSink()));
}

void MainWindow::LoadRequest(const FretRequest& request) {
  RequestHooks hooks;
  hooks.messages = MessageBoxSink();
  hooks.opened = [this](SpectrumSide, const LoadOutcome& outcome) { ShowLoadWarnings(outcome); };
  // Both spectra are opened, as a user opens one after the other.
  hooks.stop_at_refused = false;
  (void)ApplyRequest(engine_, request, hooks);
  panel::ShowWindow(this);
}

void MainWindow::OpenDropped(const QList<QUrl>& urls, std::optional<SpectrumSide> side, QPoint at) {
  // The files themselves, and those directly inside a dropped folder.
  std::vector<std::string> files;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isDir()) {
      for (const QFileInfo& inside : QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name)) {
        files.push_back(EncodedPath(inside.filePath()));
      }
    } else {
      files.push_back(EncodedPath(info.filePath()));
    }
  }
  const std::optional<std::size_t> readable = FirstReadable(files, side);
  if (!readable) {
    // Downloaded spectra come as .csv, .tsv or .dat tables: the first file
    // holding one goes to the column dialog.
    if (const auto table = FirstTable(files)) {
      AskAndLoadColumns(QFile::decodeName(files[table->first].c_str()), table->second.file,
                        table->second.table, side.value_or(columns_side_));
      return;
    }
    ShowStatusText(QStringLiteral("No dropped file has an extension a spectrum reader takes."));
    return;
  }
  const std::string& chosen = files[*readable];
  const QString shown = QFile::decodeName(chosen.c_str());
  if (!side) {
    const bool emission = ReadsByExtension(SpectrumSide::kEmission, chosen);
    const bool absorption = ReadsByExtension(SpectrumSide::kAbsorption, chosen);
    side = emission && absorption
               ? dialogs_.AskSide(this, at, shown)
               : std::optional(emission ? SpectrumSide::kEmission : SpectrumSide::kAbsorption);
    if (!side) return;
  }
  // Read once: the table, the trial and the load all take these bytes.
  const ScannedFile scanned = ScanFile(chosen);
  if (NeedsColumnChoice(scanned.file.Source(), scanned.table, *side)) {
    AskAndLoadColumns(shown, scanned.file, scanned.table, *side);
    return;
  }
  const LoadOutcome outcome =
      LoadSpectrum(engine_, *side, kFilterByExtension, scanned.file.Source(), MessageBoxSink());
  ShowLoadWarnings(outcome);
  if (files.size() > 1 && outcome.kind == LoadOutcome::Kind::kAccepted) {
    ShowStatusText(QStringLiteral("Opened %1 as the %2 spectrum; the other %3 dropped files were "
                                  "left alone.")
                       .arg(QFileInfo(shown).fileName(), *side == SpectrumSide::kEmission
                                                             ? QStringLiteral("emission")
                                                             : QStringLiteral("absorption"))
                       .arg(files.size() - 1));
  }
}

}  // namespace korin
