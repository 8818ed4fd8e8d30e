// The main window's menus beyond the panel: printing, the exports and the
// report, the tick count, and the tool windows it opens.
#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "core/analysis_result.h"
#include "io/file_output.h"
#include "plots/analysis_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/form_window.h"
#include "plots/plot_export.h"
#include "plots/print_form.h"
#include "plots/report_pdf.h"
#include "report/data_export.h"
#include "request/engine_request.h"
#include "ui/main_window.h"
#include "ui/pair_table_window.h"
#include "ui/planner_window.h"

namespace korin {

QPrinter& MainWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  return *printer_;
}

void MainWindow::OnPrintSetup() {
  dialogs_.PrinterSetup(this, Printer());
}

void MainWindow::OnPrint() {
  if (plot_ == nullptr) return;
  QPrinter& printer = Printer();
  // Without a printer the dialog would offer a Print button that prints
  // nothing.
  if (!dialogs_.CanPrint(printer)) {
    ShowMessage(QStringLiteral("No printer is installed, so the plot cannot be printed."));
    return;
  }
  if (!dialogs_.Print(this, printer)) return;
  if (!PrintForm(*plot_, printer)) {
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                         : printer.printerName();
    ShowMessage(QStringLiteral("The print job could not be started on \"%1\".").arg(target));
  }
}

void MainWindow::ShowAnalysis() {
  // It follows the engine itself from now on.
  if (!analysis_window_) analysis_window_ = std::make_unique<AnalysisWindow>(engine_);
  panel::ShowWindow(analysis_window_.get());
}

void MainWindow::ShowPairTable() {
  if (!pair_table_window_) {
    // The plan set in the planner, while it is open, plans every pair.
    pair_table_window_ = std::make_unique<PairTableWindow>(
        engine_, dialogs_, [this](const FretRequest& pair) { LoadRequest(pair); },
        [this]() -> std::optional<PlanRequest> {
          if (!planner_window_ || !planner_window_->isVisible()) return std::nullopt;
          return planner_window_->Request();
        });
  }
  panel::ShowWindow(pair_table_window_.get());
}

void MainWindow::ShowPlanner() {
  if (!planner_window_) planner_window_ = std::make_unique<PlannerWindow>(engine_, dialogs_);
  panel::ShowWindow(planner_window_.get());
}

bool MainWindow::ResultsToExport() {
  if (engine_.ResultsVisible() && engine_.LastGateOutcome() == GateOutcome::kShown) return true;
  ShowMessage(
      QStringLiteral("There is nothing to export yet: load both spectra so that J and R0 "
                     "are shown."));
  return false;
}

void MainWindow::ExportPlot(FormWindow& window) {
  const std::optional<QString> path =
      dialogs_.SaveFile(this, QStringLiteral("Export plot"),
                        {QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG image (*.svg)"),
                         QStringLiteral("PDF document (*.pdf)")});
  if (!path) return;
  const std::optional<PlotFormat> format = PlotFormatOf(*path);
  if (!format) {
    ShowMessage(QStringLiteral("A plot is exported as .png, .svg or .pdf, not as %1.").arg(*path));
    return;
  }
  PngOptions png;
  if (*format == PlotFormat::kPng) {
    const QSize client = window.ClientArea().size();
    const auto chosen = dialogs_.AskImageSize(this, client * png.dpi / 96, png.dpi);
    if (!chosen) return;
    png = {chosen->first, chosen->second};
  }
  if (const QString error = ExportForm(window, *path, *format, png); !error.isEmpty()) {
    ShowMessage(error);
  }
}

void MainWindow::ExportData() {
  if (!ResultsToExport()) return;
  const std::optional<QString> path =
      dialogs_.SaveFile(this, QStringLiteral("Export data"), {QStringLiteral("CSV file (*.csv)")});
  if (!path) return;
  // The dialog has asked before replacing a file.
  const WriteOutcome written =
      WriteFileAtomically(QFile::encodeName(*path).toStdString(), ExportDataCsv(engine_), true);
  if (!written.written) ShowMessage(QFile::decodeName(written.message.c_str()));
}

void MainWindow::SaveReport() {
  if (!ResultsToExport() || plot_ == nullptr) return;
  const std::optional<QString> path = dialogs_.SaveFile(
      this, QStringLiteral("Save report"),
      {QStringLiteral("PDF report (*.pdf)"), QStringLiteral("Markdown report (*.md)")});
  if (!path) return;
  // The command in the report computes the panel as it stands, with what
  // the analysis window asks when it is open.
  FretRequest reproduced = RequestOf(engine_);
  if (analysis_window_) {
    CopyScope(analysis_window_->AskedAnalysis(), ParameterScope::kAnalysis, reproduced);
  }
  const AnalysisResult analysis =
      Analyse(engine_.session(), engine_.ForsterDistanceValue(), AnalysisInputsOf(reproduced));
  ReportContent report = BuildReport(
      engine_, reproduced, analysis,
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString());
  // The planner's figures join the results while it is open.
  if (planner_window_ && planner_window_->isVisible()) {
    for (ReportLine& line : planner_window_->ReportLines())
      report.results.push_back(std::move(line));
  }
  QString error;
  if (path->endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)) {
    // The plot goes beside the text, as an SVG the text shows.
    const QString image = path->left(path->size() - 3) + QStringLiteral("-plot.svg");
    error = ExportForm(*plot_, image, PlotFormat::kSvg);
    if (error.isEmpty()) {
      const std::string markdown =
          ReportMarkdown(report, QFileInfo(image).fileName().toStdString());
      const WriteOutcome written =
          WriteFileAtomically(QFile::encodeName(*path).toStdString(), markdown, true);
      if (!written.written) error = QFile::decodeName(written.message.c_str());
    }
  } else {
    error = WriteReportPdf(report, *plot_, *path);
  }
  if (!error.isEmpty()) ShowMessage(error);
}

void MainWindow::SetMinorTickCount(int count, QAction* checked) {
  if (plot_ != nullptr) plot_->chart().BottomAxis().SetMinorTickCount(count);
  for (QAction* item : {ticks_1_item_, ticks_4_item_, ticks_9_item_}) {
    item->setChecked(item == checked);
  }
}

}  // namespace korin
