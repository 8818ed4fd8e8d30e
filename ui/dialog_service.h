// Every modal dialog and message box of the main window goes through this
// interface, so that tests can script them and run without a display.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/fret_engine.h"
#include "core/grid_spectrum.h"
#include "ui/column_import_dialog.h"

class QPrintDialog;
class QPrinter;
class QWidget;

namespace korin {

// An open dialog that keeps its settings for the life of the program: the
// filter entry (1-based) and the folder it was last left in.
struct OpenDialogState {
  QString title;
  std::string filter;  // description|pattern pairs
  int filter_entry = kFilterByExtension;
  QString directory;
};

class DialogService {
 public:
  virtual ~DialogService() = default;

  // Runs the open dialog modally. On confirmation answers the chosen path
  // and leaves the chosen filter entry in `state`; on cancel answers nothing.
  // The file need not exist: the reader reports a missing one.
  virtual std::optional<QString> OpenFile(QWidget* parent, OpenDialogState& state) = 0;

  // The same dialog choosing several existing files at once; on
  // confirmation answers their paths (at least one) and leaves the chosen
  // filter entry in `state`; on cancel answers nothing.
  virtual std::optional<QStringList> OpenFiles(QWidget* parent, OpenDialogState& state) = 0;

  // Whether `printer` can print at all: a printer is installed, or the
  // printer writes a file.
  [[nodiscard]] virtual bool CanPrint(const QPrinter& printer) = 0;

  // The print dialog for `printer`; true when the user confirms.
  [[nodiscard]] virtual bool Print(QWidget* parent, QPrinter& printer) = 0;

  // The printer-setup dialog; what the user confirms stays in `printer`.
  virtual void PrinterSetup(QWidget* parent, QPrinter& printer) = 0;

  // A message box with an OK button and no icon.
  virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text) = 0;

  // A save dialog offering `filters` ("PNG image (*.png)"); it asks before
  // it replaces a file. Answers the path, with the chosen filter's
  // extension added when the name has none; nothing on cancel.
  virtual std::optional<QString> SaveFile(QWidget* parent, const QString& title,
                                          const QStringList& filters) = 0;

  // The size in pixels and the resolution of a PNG image, starting from
  // `size` at `dpi`; nothing on cancel.
  virtual std::optional<std::pair<QSize, int>> AskImageSize(QWidget* parent, QSize size,
                                                            int dpi) = 0;

  // Which side a file dropped on the plot opens as, when both could read
  // it: a small menu at `at` (global); nothing when dismissed.
  virtual std::optional<SpectrumSide> AskSide(QWidget* parent, QPoint at, const QString& file) = 0;

  // The column import's dialog on `table`, the scan of `file`, starting on
  // `side`: the side and the columns the user chose, nothing on cancel.
  virtual std::optional<ColumnImportChoice> AskColumns(QWidget* parent, const ColumnTable& table,
                                                       const QString& file, SpectrumSide side) = 0;
};

// The dialogs of the platform, through Qt.
class QtDialogService final : public DialogService {
 public:
  std::optional<QString> OpenFile(QWidget* parent, OpenDialogState& state) override;
  std::optional<QStringList> OpenFiles(QWidget* parent, OpenDialogState& state) override;
  [[nodiscard]] bool CanPrint(const QPrinter& printer) override;
  [[nodiscard]] bool Print(QWidget* parent, QPrinter& printer) override;
  void PrinterSetup(QWidget* parent, QPrinter& printer) override;
  void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override;
  std::optional<QString> SaveFile(QWidget* parent, const QString& title,
                                  const QStringList& filters) override;
  std::optional<std::pair<QSize, int>> AskImageSize(QWidget* parent, QSize size, int dpi) override;
  std::optional<SpectrumSide> AskSide(QWidget* parent, QPoint at, const QString& file) override;
  std::optional<ColumnImportChoice> AskColumns(QWidget* parent, const ColumnTable& table,
                                               const QString& file, SpectrumSide side) override;
};

// The print dialog as the program shows it: the printer and the number of
// copies, no page range, no selection, no printing to a file.
[[nodiscard]] std::unique_ptr<QPrintDialog> MakePrintDialog(QPrinter& printer, QWidget* parent);

// The name filters a Qt file dialog takes for a description|pattern list.
// Each description is shown exactly as written: the patterns follow it in a
// trailing "(...)" that the dialog hides.
[[nodiscard]] QStringList QtNameFilters(std::string_view filter);

}  // namespace korin
