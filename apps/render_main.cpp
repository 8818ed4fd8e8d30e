// korin-fret-render: what korin-fret-cli cannot draw without Qt. The tool
// runs it with its own arguments when a plot export, a PDF report or the
// plot beside a Markdown report is asked for; it computes the same numbers
// through the same engine into an energy-transfer plot window that is never
// shown, and draws that window into the files asked for.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <iostream>
#include <string>
#include <vector>

#include "cli/fret_cli.h"
#include "plots/energy_transfer_plot.h"
#include "plots/plot_export.h"
#include "plots/report_pdf.h"
#include "report/data_export.h"

namespace {

// The engine's changes to the plot's series and file labels.
class PlotView final : public korin::FretView {
 public:
  explicit PlotView(korin::EnergyTransferPlotWindow& plot) : plot_(plot) {}

  void ClearSeries(korin::PlotSeries series) override {
    if (korin::chart::Series* target = Target(series)) target->ClearSeries();
  }
  void AddPoints(korin::PlotSeries series, int first, std::span<const double> ys) override {
    korin::chart::Series* target = Target(series);
    if (target == nullptr) return;
    int x = first;
    for (const double y : ys) (void)target->AddPoint(x++, y);
  }
  void ShowSpectrum(korin::SpectrumSide side, std::string_view name) override {
    const QString shown =
        QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    if (side == korin::SpectrumSide::kEmission) {
      plot_.EmissionFileLabel().setText(QStringLiteral("Emission File: ") + shown);
    } else {
      plot_.AbsorptionFileLabel().setText(QStringLiteral("Absorption File: ") + shown);
    }
  }

 private:
  korin::chart::Series* Target(korin::PlotSeries series) {
    switch (series) {
      case korin::PlotSeries::kEmission:
        return &plot_.EmissionSeries();
      case korin::PlotSeries::kExtinction:
        return &plot_.ExtinctionSeries();
      default:
        return nullptr;
    }
  }

  korin::EnergyTransferPlotWindow& plot_;
};

// Refuses to replace an existing file unless --force was given, as the
// tool does for its own files.
bool MayWrite(const std::string& path, const korin::DrawingRequest& request) {
  if (request.replace || !QFileInfo::exists(QFile::decodeName(path.c_str()))) return true;
  std::cerr << "korin-fret-cli: " << path << " exists; add --force to replace it\n";
  return false;
}

int Failed(const QString& error) {
  std::cerr << "korin-fret-cli: " << error.toStdString() << '\n';
  return korin::kExitRejected;
}

// Qt's notes about the desktop it runs on (no runtime folder, no fonts of
// a name) mean nothing to a user of the command line; errors still show.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  // No window appears: the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QApplication app(argc, argv);
  const std::vector<std::string> args(argv, argv + argc);

  korin::EnergyTransferPlotWindow plot;
  plot.hide();
  PlotView view(plot);
  korin::FretEngine engine(&view);
  korin::DrawingRequest request;
  if (const int code = korin::PrepareDrawing(args, engine, request, std::cerr)) return code;

  if (!request.plot.empty()) {
    if (!MayWrite(request.plot, request)) return korin::kExitRejected;
    const QString path = QFile::decodeName(request.plot.c_str());
    korin::PngOptions png;
    png.dpi = request.plot_dpi;
    if (request.plot_width > 0) png.size = QSize(request.plot_width, request.plot_height);
    const QString error = korin::ExportForm(plot, path, *korin::PlotFormatOf(path), png);
    if (!error.isEmpty()) return Failed(error);
  }
  const korin::ReportContent report =
      korin::BuildReport(engine, request.date, request.extra_results);
  if (!request.report_pdf.empty()) {
    if (!MayWrite(request.report_pdf, request)) return korin::kExitRejected;
    const QString error =
        korin::WriteReportPdf(report, plot, QFile::decodeName(request.report_pdf.c_str()));
    if (!error.isEmpty()) return Failed(error);
  }
  if (!request.report_plot.empty()) {
    if (!MayWrite(request.report_plot, request)) return korin::kExitRejected;
    const QString error = korin::ExportForm(plot, QFile::decodeName(request.report_plot.c_str()),
                                            korin::PlotFormat::kSvg);
    if (!error.isEmpty()) return Failed(error);
  }
  return korin::kExitSuccess;
}
