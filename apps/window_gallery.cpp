// Renders every window to PNG, empty and again filled with a realistic
// donor/acceptor pair, prints the energy-transfer plot to PDF and exports it
// as PNG, SVG and PDF, so that the windows can be looked at without a person
// at a screen. The analysis window follows an engine, so it is filled with
// the bundled sample pair; the same engine fills a second plot and the
// report.
//
//   korin_window_gallery OUTPUT_DIR              images and PDFs only
//   korin_window_gallery OUTPUT_DIR --screen PNG also shows the filled
//                                                windows and grabs the screen
//
// Without a display the offscreen platform is used.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "plots/about_window.h"
#include "plots/analysis_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "plots/plot_export.h"
#include "plots/plot_view.h"
#include "plots/print_form.h"
#include "plots/report_pdf.h"
#include "report/data_export.h"
#include "request/apply_request.h"
#include "request/engine_request.h"

namespace {

using korin::FormWindow;

// A fluorescein-like donor and a rhodamine-like acceptor, made up from
// bell curves: only their look matters here, not their numbers.
double Bell(double nm, double peak, double width) {
  const double z = (nm - peak) / width;
  return std::exp(-z * z / 2);
}
double DonorCounts(int nm) {  // raw emission as a spectrometer writes it
  return 48000 * (Bell(nm, 515, 14) + 0.35 * Bell(nm, 545, 28));
}
double AcceptorAbsorbance(int nm) {
  return 0.85 * Bell(nm, 556, 16) + 0.28 * Bell(nm, 522, 20) + 0.05 * Bell(nm, 355, 25);
}

constexpr int kDonorFirst = 480;
constexpr int kDonorLast = 680;
constexpr int kAcceptorFirst = 300;
constexpr int kAcceptorLast = 650;
constexpr double kQuantumYield = 0.92;
constexpr double kConcentration = 1e-5;  // mol/L, in a 1 cm cuvette

void Fill(korin::EnergyTransferPlotWindow& plot, korin::DonorInputWindow& donor,
          korin::AcceptorInputWindow& acceptor) {
  double area = 0;
  for (int nm = kDonorFirst; nm <= kDonorLast; ++nm) area += DonorCounts(nm);

  donor.chart().SetTitleText(QStringLiteral("fluorescein_pH9.ifx"));
  donor.SpectrumSeries().ClearSeries();
  plot.EmissionSeries().ClearSeries();
  for (int nm = kDonorFirst; nm <= kDonorLast; ++nm) {
    donor.SpectrumSeries().AddPoint(nm, DonorCounts(nm));
    plot.EmissionSeries().AddPoint(nm, DonorCounts(nm) / area * kQuantumYield * 1000);
  }
  plot.EmissionFileLabel().setText(QStringLiteral("Emission File: fluorescein_pH9.ifx"));

  acceptor.chart().SetTitleText(QStringLiteral("rhodamine_6G.sp"));
  acceptor.SpectrumSeries().ClearSeries();
  plot.ExtinctionSeries().ClearSeries();
  for (int nm = kAcceptorFirst; nm <= kAcceptorLast; ++nm) {
    acceptor.SpectrumSeries().AddPoint(nm, AcceptorAbsorbance(nm));
    plot.ExtinctionSeries().AddPoint(nm, AcceptorAbsorbance(nm) / kConcentration);
  }
  plot.AbsorptionFileLabel().setText(QStringLiteral("Absorption File: rhodamine_6G.sp"));
}

bool SavePng(QWidget& window, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  const bool saved = window.grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  return saved;
}

bool SavePdf(FormWindow& window, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name + QStringLiteral(".pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  const bool printed = korin::PrintForm(window, printer);
  std::printf("%s %s\n", printed ? "wrote" : "FAILED", qPrintable(path));
  return printed;
}

bool Export(FormWindow& window, const QDir& dir, const QString& name) {
  bool ok = true;
  for (const char* extension : {".png", ".svg", ".pdf"}) {
    const QString path = dir.filePath(name + QLatin1String(extension));
    const QString failure = korin::ExportForm(window, path, *korin::PlotFormatOf(path));
    std::printf("%s %s\n", failure.isEmpty() ? "wrote" : qPrintable(failure), qPrintable(path));
    ok &= failure.isEmpty();
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: korin_window_gallery OUTPUT_DIR [--screen PNG]\n");
    return 2;
  }
  QDir dir(args[1]);
  if (!dir.mkpath(QStringLiteral("."))) return 1;

  // Created in the program's order: the plot shows itself, the rest wait.
  korin::EnergyTransferPlotWindow plot;
  korin::DonorInputWindow donor;
  korin::AcceptorInputWindow acceptor;
  korin::AboutWindow about;

  bool ok = true;
  ok &= SavePng(plot, dir, QStringLiteral("tform2_empty"));
  ok &= SavePng(donor, dir, QStringLiteral("tform3_empty"));
  ok &= SavePng(acceptor, dir, QStringLiteral("tform4_empty"));
  ok &= SavePng(about, dir, QStringLiteral("tform5about"));
  ok &= SavePdf(plot, dir, QStringLiteral("tform2_empty"));

  Fill(plot, donor, acceptor);
  ok &= SavePng(plot, dir, QStringLiteral("tform2_filled"));
  ok &= SavePng(donor, dir, QStringLiteral("tform3_filled"));
  ok &= SavePng(acceptor, dir, QStringLiteral("tform4_filled"));
  ok &= SavePdf(plot, dir, QStringLiteral("tform2_filled"));
  ok &= Export(plot, dir, QStringLiteral("tform2_export"));

  // Shown, because a hidden analysis window leaves its work until shown.
  korin::FretEngine engine;
  engine.Start();
  korin::AnalysisWindow analysis(engine);
  analysis.show();
  ok &= SavePng(analysis, dir, QStringLiteral("analysis_empty"));
  const auto print_message = [](std::string_view message) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  };
  // The sample pair through the same request the command-line tool makes
  // of its arguments, into a second plot, and the report the window writes.
  korin::EnergyTransferPlotWindow sample_plot;
  korin::PlotWindowsView view(&sample_plot);
  engine.AddView(&view);
  korin::FretRequest request;
  request.emission.path = std::string(KORIN_SAMPLES_DIR) + "/donor_emission.csv";
  request.absorption.path = std::string(KORIN_SAMPLES_DIR) + "/acceptor_absorption.sp";
  korin::RequestHooks hooks;
  hooks.messages = print_message;
  ok &= korin::ApplyRequest(engine, request, hooks).Loaded(request);
  engine.RemoveView(&view);
  ok &= Export(sample_plot, dir, QStringLiteral("sample_plot_export"));
  {
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    const korin::AnalysisResult figures =
        korin::Analyse(engine.session(), engine.ForsterDistanceValue(), {});
    const std::string date =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    const QString failure = korin::WriteReportPdf(
        korin::BuildReport(engine, korin::RequestOf(engine), figures, date), sample_plot, path);
    std::printf("%s %s\n", failure.isEmpty() ? "wrote" : qPrintable(failure), qPrintable(path));
    ok &= failure.isEmpty();
  }
  analysis.Refresh();
  ok &= SavePng(analysis, dir, QStringLiteral("analysis_filled"));
  // Typed in as a user would: every section with inputs of its own.
  const auto type = [&analysis](const char* field, const char* text) {
    if (auto* edit = analysis.findChild<QLineEdit*>(QLatin1String(field)))
      edit->setText(QLatin1String(text));
  };
  const auto choose = [&analysis](korin::AnalysisWindow::Input input) {
    if (auto* box = analysis.findChild<QComboBox*>(QStringLiteral("InputKind")))
      box->setCurrentIndex(static_cast<int>(input));
  };
  choose(korin::AnalysisWindow::Input::kDistance);
  type("DistanceInput", "70");
  type("QuantumYieldErrorInput", "10");
  type("RefractiveIndexErrorInput", "2");
  type("ExtinctionErrorInput", "5");
  if (auto* box = analysis.findChild<QCheckBox*>(QStringLiteral("FromAnisotropies")))
    box->setChecked(true);
  type("AcceptorAnisotropyInput", "0.05");
  ok &= SavePng(analysis, dir, QStringLiteral("analysis_inputs"));
  choose(korin::AnalysisWindow::Input::kLifetimes);
  type("LifetimeWithAcceptorInput", "5");
  type("LifetimeDonorInput", "4");
  type("QuantumYieldErrorInput", "1,5");
  type("AcceptorAnisotropyInput", "0.6");
  ok &= SavePng(analysis, dir, QStringLiteral("analysis_refused"));

  const qsizetype screen = args.indexOf(QStringLiteral("--screen"));
  if (screen > 0 && screen + 1 < args.size()) {
    const QString path = args[screen + 1];
    donor.show();
    acceptor.show();
    about.show();
    QTimer::singleShot(1500, &app, [&] {
      const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
      std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
      ok &= saved;
      QApplication::quit();
    });
    QApplication::exec();
  }
  return ok ? 0 : 1;
}
