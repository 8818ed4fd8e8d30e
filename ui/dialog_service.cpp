#include "ui/dialog_service.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace korin {

QStringList QtNameFilters(std::string_view filter) {
  const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
                                .split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}

std::optional<QString> QtDialogService::OpenFile(QWidget* parent, OpenDialogState& state) {
  QFileDialog dialog(parent, state.title, state.directory);
  // Qt's own dialog on every desktop, so that the descriptions show exactly
  // as written and a typed name of a missing file is allowed.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = QtNameFilters(state.filter);
  dialog.setNameFilters(filters);
  if (state.filter_entry >= 1 && state.filter_entry <= filters.size()) {
    dialog.selectNameFilter(filters[state.filter_entry - 1]);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // With the details hidden the dialog may answer the description alone.
  const QString chosen = dialog.selectedNameFilter();
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (filters[i] == chosen || filters[i].startsWith(chosen + QStringLiteral(" ("))) {
      state.filter_entry = static_cast<int>(i) + 1;
      break;
    }
  }
  state.directory = dialog.directory().absolutePath();
  return dialog.selectedFiles().constFirst();
}

bool QtDialogService::Print(QWidget* parent, QPrinter& printer) {
  printer.setCopyCount(1);
  QPrintDialog dialog(&printer, parent);
  // Neither a page range nor a selection nor printing to a file.
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogService::PrinterSetup(QWidget* parent, QPrinter& printer) {
  // Paper and orientation here; the print dialog offers the choice of
  // printer each time it opens.
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

void QtDialogService::ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace korin
