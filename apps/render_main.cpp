// korin-fret-render: what korin-fret-cli cannot draw without Qt. The tool
// hands it a drawing job as JSON on its standard input (or in the file
// named as its argument): the request the tool computed and what to draw.
// The companion applies the same request to the same engine, with an
// energy-transfer plot window that is never shown, and draws that window
// into the files asked for.
//
//   korin-fret-render [JOB.json] < JOB.json
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "core/analysis_result.h"
#include "plots/energy_transfer_plot.h"
#include "plots/plot_export.h"
#include "plots/plot_view.h"
#include "plots/report_pdf.h"
#include "report/data_export.h"
#include "request/apply_request.h"
#include "request/engine_request.h"
#include "request/request_json.h"

namespace {

// The tool's exit codes, which the companion's become.
constexpr int kSuccess = 0;
constexpr int kRejected = 1;
constexpr int kBadJob = 2;

// Refuses to replace an existing file unless --force was given, as the
// tool does for its own files.
bool MayWrite(const std::string& path, const korin::DrawingRequest& drawing) {
  if (drawing.replace || !QFileInfo::exists(QFile::decodeName(path.c_str()))) return true;
  std::cerr << "korin-fret-cli: " << path << " exists; add --force to replace it\n";
  return false;
}

int Failed(const std::string& error) {
  std::cerr << "korin-fret-cli: " << error << '\n';
  return kRejected;
}

// Qt's notes about the desktop it runs on (no runtime folder, no fonts of
// a name) mean nothing to a user of the command line; errors still show.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  // No window appears: the offscreen platform needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QApplication app(argc, argv);

  std::string text;
  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    text = ReadAll(in);
  } else {
    text = ReadAll(std::cin);
  }
  std::string error;
  const std::optional<korin::DrawingJob> job = korin::DrawingJobFromJson(text, error);
  if (!job) {
    std::cerr << "korin-fret-render: " << error << '\n';
    return kBadJob;
  }
  const korin::DrawingRequest& drawing = job->drawing;

  korin::EnergyTransferPlotWindow plot;
  plot.hide();
  korin::PlotWindowsView view(&plot);
  korin::FretEngine engine(&view);
  // The tool has shown the readers' messages already; only a refusal
  // matters here.
  (void)korin::ApplyRequest(engine, job->request);
  if (engine.LastGateOutcome() != korin::GateOutcome::kShown) {
    return Failed(korin::GateRefusal(engine, job->request, korin::Naming::kOptions));
  }
  const korin::AnalysisResult analysis = korin::Analyse(
      engine.session(), engine.ForsterDistanceValue(), korin::AnalysisInputsOf(job->request));

  if (!drawing.plot.empty()) {
    if (!MayWrite(drawing.plot, drawing)) return kRejected;
    const QString path = QFile::decodeName(drawing.plot.c_str());
    const std::optional<korin::PlotFormat> format = korin::PlotFormatOf(path);
    if (!format) return Failed(drawing.plot + " is no .png, .svg or .pdf file");
    korin::PngOptions png;
    png.dpi = drawing.plot_dpi;
    if (drawing.plot_width > 0) png.size = QSize(drawing.plot_width, drawing.plot_height);
    const QString failure = korin::ExportForm(plot, path, *format, png);
    if (!failure.isEmpty()) return Failed(failure.toStdString());
  }
  if (!drawing.report_pdf.empty()) {
    if (!MayWrite(drawing.report_pdf, drawing)) return kRejected;
    korin::FretRequest reproduced = korin::RequestOf(engine);
    korin::CopyScope(job->request, korin::ParameterScope::kAnalysis, reproduced);
    const korin::ReportContent report =
        korin::BuildReport(engine, reproduced, analysis, drawing.date);
    const QString failure =
        korin::WriteReportPdf(report, plot, QFile::decodeName(drawing.report_pdf.c_str()));
    if (!failure.isEmpty()) return Failed(failure.toStdString());
  }
  if (!drawing.report_plot.empty()) {
    if (!MayWrite(drawing.report_plot, drawing)) return kRejected;
    const QString failure = korin::ExportForm(plot, QFile::decodeName(drawing.report_plot.c_str()),
                                              korin::PlotFormat::kSvg);
    if (!failure.isEmpty()) return Failed(failure.toStdString());
  }
  return kSuccess;
}
