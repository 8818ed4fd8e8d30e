// The one-page report: A4, every section's text findable by a reader, the
// plot as vectors at its proportions, nothing running off the page.
#include "plots/report_pdf.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <QProcess>
#include <cmath>
#include <string>

#include "chart/pixels.h"
#include "filled_plot.h"
#include "pdf_reading.h"
#include "plots/energy_transfer_plot.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::BoundingBox;

std::string Sha256(const char* bytes) {
  return QCryptographicHash::hash(QByteArray(bytes), QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

class ReportPdf : public ::testing::Test {
 protected:
  ReportPdf() {
    testing::FillPlot(plot);

    report.title = "Korin-FRET 2.03 report";
    report.date = "2026-12-08 14:03";
    // A path far longer than its column: it wraps, then elides its middle.
    std::string deep = "/home/lab";
    for (int i = 0; i < 12; ++i) deep += "/measurement_series_" + std::to_string(i);
    report.files = {
        {"Donor emission", deep + "/fluorescein_run3.ifx", "ISS text", 430, 650, Sha256("donor")},
        {"Acceptor absorption", "/data/acceptor.sp", "text after a DATA line", 505, 700,
         Sha256("acceptor")},
    };
    report.parameters = {{"Quantum yield", "0.92"},
                         {"Orientation factor \u03ba\u00b2", "0.66667"},
                         {"Refractive index", "1.333"}};
    report.results = {{"Overlap integral J", "3.1962E-13 M\u207b\u00b9\u00b7cm\u00b3"},
                      {"F\u00f6rster distance R0", "55.6500 \u00c5"}};
    report.warnings = {"The donor spectrum is cut off at 430 nm at 6.7 % of its peak."};
    report.command = "korin-fret-cli " + deep + "/fluorescein_run3.ifx /data/acceptor.sp" +
                     " --quantum-yield 0.92 --orientation 0.66667 --refractive-index 1.333";
  }

  QString Write(const char* name) {
    const QString path = QString::fromStdString((dir.path() / name).string());
    EXPECT_EQ(WriteReportPdf(report, plot, path), QString());
    return path;
  }

  // The page at 72 dots per inch: one pixel per point.
  static QImage Rasterise(const QString& pdf) {
    const QString tool = QStringLiteral(KORIN_PDFTOPPM);
    if (!QFileInfo(tool).isExecutable()) return {};
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                             QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
  }

  EnergyTransferPlotWindow plot;
  ReportContent report;
  testing::TempDir dir;
};

TEST_F(ReportPdf, OneA4PageWithThePlotAsVectors) {
  const QByteArray pdf = testing::ReadBytes(Write("report.pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(testing::PageCount(pdf), 1);
  const QSizeF page = testing::MediaBox(pdf);
  EXPECT_NEAR(page.width(), 595, 1);
  EXPECT_NEAR(page.height(), 842, 1);
  EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "the plot is not a bitmap";
  EXPECT_GT(testing::OperatorCount(testing::Streams(pdf), "l"), 200) << "the plot's lines";
}

TEST_F(ReportPdf, TextHoldsEverySection) {
  const auto text = testing::PdfText(Write("report.pdf"));
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) missing: run scripts/setup";
  for (const std::string& expected :
       {report.title, report.date, report.files[0].sha256, report.files[1].sha256,
        std::string("/data/acceptor.sp"), std::string("text after a DATA line"),
        std::string("505\u2013700 nm"), std::string("fluorescein_run3.ifx"),
        std::string("Orientation factor \u03ba\u00b2"), std::string("0.66667"),
        std::string("55.6500 \u00c5"), std::string("cut off at 430 nm"),
        std::string("Wavelength [nm]")})
    EXPECT_TRUE(text->contains(QString::fromStdString(expected))) << expected;
  // The command wraps over lines but loses nothing; the path is elided.
  EXPECT_TRUE(
      testing::Unspaced(*text).contains(testing::Unspaced(QString::fromStdString(report.command))));
  EXPECT_TRUE(text->contains(QStringLiteral("\u2026"))) << "the long path's middle left out";
  EXPECT_EQ(testing::Unspaced(*text).count(QStringLiteral("series_9/measurement_series_10/")), 1)
      << "in the command only: the path's middle is not drawn under its first line";
}

TEST_F(ReportPdf, PlotKeepsItsProportionsAtTwoThirdsOfThePageWidth) {
  const QImage page = Rasterise(Write("report.pdf"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) missing: run scripts/setup";
  ASSERT_EQ(page.size(), QSize(595, 842));
  // Only the plot is red or blue: its axis titles, series and file labels
  // mark its extent.
  const QRect plot_box =
      BoundingBox(page, [](QColor c) { return testing::Reddish()(c) || testing::Bluish()(c); });
  ASSERT_FALSE(plot_box.isEmpty());
  const double share = static_cast<double>(plot_box.width()) / page.width();
  EXPECT_GT(share, 0.58);
  EXPECT_LT(share, 0.70);
  EXPECT_NEAR(static_cast<double>(plot_box.width()) / plot_box.height(), 418.0 / 269, 0.08);
  EXPECT_NEAR(plot_box.center().x(), page.width() / 2, 6) << "centred";
}

TEST_F(ReportPdf, NothingRunsIntoTheMargins) {
  report.command += " --extinction-error 5";
  // More than the page holds at the plot's full size: the plot gives way.
  for (int i = 0; i < 12; ++i) report.warnings.push_back(report.warnings.front());
  const QImage page = Rasterise(Write("report.pdf"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) missing: run scripts/setup";
  const QRect inked = BoundingBox(page, testing::NotWhite());
  EXPECT_GE(inked.left(), 40);
  EXPECT_LE(inked.right(), 595 - 40);
  EXPECT_GE(inked.top(), 30);
  EXPECT_LE(inked.bottom(), 842 - 30);
}

TEST_F(ReportPdf, FailedWriteLeavesNothingAndKeepsTheOldFile) {
  const QString missing = QString::fromStdString((dir.path() / "missing" / "r.pdf").string());
  EXPECT_EQ(WriteReportPdf(report, plot, missing),
            QStringLiteral("Cannot write %1: No such file or directory").arg(missing));
  EXPECT_FALSE(QFileInfo::exists(missing));

  const QString path = QString::fromStdString(dir.Write("report.pdf", "old"));
  ASSERT_EQ(WriteReportPdf(report, plot, path), QString());
  EXPECT_TRUE(testing::ReadBytes(path).startsWith("%PDF"));
}

}  // namespace
}  // namespace korin
