#include "ui/dialog_service.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

namespace korin {
namespace {

// Shows only the printer and the number of copies. Qt's dialog brings the
// page range back each time it is shown when it prints through CUPS, so
// it is hidden again then.
class PrinterAndCopiesDialog final : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;

  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (!visible) return;
    for (const char* name : {"gbPrintRange", "reverse"}) {
      if (auto* widget = findChild<QWidget*>(QString::fromLatin1(name))) widget->hide();
    }
    // Colour mode and duplex.
    auto* tabs = findChild<QTabWidget*>();
    auto* options = findChild<QWidget*>(QStringLiteral("optionsTab"));
    if (tabs != nullptr && options != nullptr) tabs->setTabVisible(tabs->indexOf(options), false);
  }
};

// A message box centred on its window. Qt centres it by a frame position
// taken before the box's own frame is known, which puts it a title bar too
// high; it is placed again once sized. A box wider than its window stays
// on the screen, at its edge.
class CentredMessageBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (owner == nullptr || event->spontaneous()) return;
    const QRect outer = owner->frameGeometry();
    const QRect inner = owner->geometry();
    // Until the box is mapped its frame is unknown: take its window's.
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    QRect box(QPoint(), size().grownBy(frame));
    box.moveCenter(outer.center());
    if (const QScreen* screen = owner->screen()) {
      const QRect s = screen->availableGeometry();
      box.moveLeft(std::max(s.left(), std::min(box.left(), s.right() - box.width() + 1)));
      box.moveTop(std::max(s.top(), std::min(box.top(), s.bottom() - box.height() + 1)));
    }
    move(box.topLeft() + QPoint(frame.left(), frame.top()));
  }
};

}  // namespace

std::unique_ptr<QPrintDialog> MakePrintDialog(QPrinter& printer, QWidget* parent) {
  auto dialog = std::make_unique<PrinterAndCopiesDialog>(&printer, parent);
  dialog->setOptions({});
  return dialog;
}

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

namespace {

// The open dialog on `state`: Qt's own dialog on every desktop, so that the
// descriptions show exactly as written and a typed name of a missing file
// is allowed (for a single file). The chosen files, or none on cancel.
QStringList RunOpenDialog(QWidget* parent, OpenDialogState& state, QFileDialog::FileMode mode) {
  QFileDialog dialog(parent, state.title, state.directory);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(mode);
  const QStringList filters = QtNameFilters(state.filter);
  dialog.setNameFilters(filters);
  if (state.filter_entry >= 1 && state.filter_entry <= filters.size()) {
    dialog.selectNameFilter(filters[state.filter_entry - 1]);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  // With the details hidden the dialog may answer the description alone.
  const QString chosen = dialog.selectedNameFilter();
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (filters[i] == chosen || filters[i].startsWith(chosen + QStringLiteral(" ("))) {
      state.filter_entry = static_cast<int>(i) + 1;
      break;
    }
  }
  state.directory = dialog.directory().absolutePath();
  return dialog.selectedFiles();
}

}  // namespace

std::optional<QString> QtDialogService::OpenFile(QWidget* parent, OpenDialogState& state) {
  const QStringList files = RunOpenDialog(parent, state, QFileDialog::AnyFile);
  if (files.isEmpty()) return std::nullopt;
  return files.constFirst();
}

std::optional<QStringList> QtDialogService::OpenFiles(QWidget* parent, OpenDialogState& state) {
  QStringList files = RunOpenDialog(parent, state, QFileDialog::ExistingFiles);
  if (files.isEmpty()) return std::nullopt;
  return files;
}

bool QtDialogService::CanPrint(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    return true;
  }
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool QtDialogService::Print(QWidget* parent, QPrinter& printer) {
  printer.setCopyCount(1);
  return MakePrintDialog(printer, parent)->exec() == QDialog::Accepted;
}

void QtDialogService::PrinterSetup(QWidget* parent, QPrinter& printer) {
  // Paper and orientation here; the print dialog offers the choice of
  // printer each time it opens.
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
}

std::optional<QString> QtDialogService::SaveFile(QWidget* parent, const QString& title,
                                                 const QStringList& filters) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  QString path = dialog.selectedFiles().constFirst();
  // "PNG image (*.png)" -> ".png", added when the name has no extension.
  const QString filter = dialog.selectedNameFilter();
  const qsizetype star = filter.indexOf(QStringLiteral("*."));
  if (star >= 0 && QFileInfo(path).suffix().isEmpty()) {
    path += filter.mid(star + 1, filter.indexOf(QLatin1Char(')'), star) - star - 1);
  }
  return path;
}

std::optional<std::pair<QSize, int>> QtDialogService::AskImageSize(QWidget* parent, QSize size,
                                                                   int dpi) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("PNG image"));
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  auto* resolution = new QSpinBox(&dialog);
  width->setRange(1, 20000);
  height->setRange(1, 20000);
  resolution->setRange(1, 2400);
  width->setValue(size.width());
  height->setValue(size.height());
  resolution->setValue(dpi);
  width->setSuffix(QStringLiteral(" px"));
  height->setSuffix(QStringLiteral(" px"));
  resolution->setSuffix(QStringLiteral(" dpi"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("Width"), width);
  form->addRow(QStringLiteral("Height"), height);
  form->addRow(QStringLiteral("Resolution"), resolution);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::pair{QSize(width->value(), height->value()), resolution->value()};
}

std::optional<SpectrumSide> QtDialogService::AskSide(QWidget* parent, QPoint at,
                                                     const QString& file) {
  QMenu menu(parent);
  menu.addSection(QFileInfo(file).fileName());
  QAction* emission = menu.addAction(QStringLiteral("Open as emission spectrum"));
  QAction* absorption = menu.addAction(QStringLiteral("Open as absorption spectrum"));
  QAction* chosen = menu.exec(at);
  if (chosen == emission) return SpectrumSide::kEmission;
  if (chosen == absorption) return SpectrumSide::kAbsorption;
  return std::nullopt;
}

std::optional<ColumnImportChoice> QtDialogService::AskColumns(QWidget* parent,
                                                              const ColumnTable& table,
                                                              const QString& file,
                                                              SpectrumSide side) {
  ColumnImportDialog dialog(table, QFileInfo(file).fileName(), side, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

void QtDialogService::ShowMessage(QWidget* parent, const QString& caption, const QString& text) {
  CentredMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace korin
