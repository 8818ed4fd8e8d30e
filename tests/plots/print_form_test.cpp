// Printing a window to a PDF printer: one page, the client area at the
// page's top-left corner at its on-screen size, drawn as vectors and text
// rather than a bitmap.
#include "plots/print_form.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <string>

#include "chart/pixels.h"
#include "plots/energy_transfer_plot.h"
#include "plots/input_spectrum_windows.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::BoundingBox;
using testing::Count;

class PrintToPdf : public ::testing::Test {
 protected:
  // Prints `window` to a fresh PDF on an A4 page without margins.
  QString Print(FormWindow& window, const char* name) {
    const QString path = QString::fromStdString((dir.path() / name).string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    EXPECT_TRUE(PrintForm(window, printer));
    return path;
  }

  // The first page at 96 dots per inch, one pixel per window pixel.
  static QImage Rasterise(const QString& pdf) {
    const QString tool = QStringLiteral(KORIN_PDFTOPPM);
    if (!QFileInfo(tool).isExecutable()) return {};
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"),
                             QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
  }

  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  korin::testing::TempDir dir;
};

TEST_F(PrintToPdf, OnePageOfTextAndLinesNotABitmap) {
  EnergyTransferPlotWindow plot;
  plot.hide();  // printing does not need the window on screen
  for (int nm = 450; nm <= 650; ++nm) ASSERT_TRUE(plot.EmissionSeries().AddPoint(nm, nm % 11));
  const QByteArray pdf = Bytes(Print(plot, "plot.pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  const auto pages = pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") +
                     pdf.count("/Type /Page/") + pdf.count("/Type /Page>");
  EXPECT_EQ(pages, 1);
  EXPECT_TRUE(pdf.contains("/Font")) << "labels and titles stay text";
  EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "nothing is printed as a bitmap";
}

TEST_F(PrintToPdf, ClientAreaLandsTopLeftAtItsScreenSize) {
  // The input window's button-face background makes its extent visible on
  // the white page.
  DonorInputWindow donor;
  donor.chart().SetTitleText(QStringLiteral("donor.ifx"));
  for (int nm = 450; nm <= 650; ++nm) ASSERT_TRUE(donor.SpectrumSeries().AddPoint(nm, nm % 11));
  const QImage page = Rasterise(Print(donor, "donor.pdf"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) missing: run scripts/setup";
  EXPECT_EQ(page.size(), QSize(794, 1123)) << "A4 at 96 dots per inch";
  EXPECT_EQ(BoundingBox(page, testing::NotWhite()), QRect(0, 0, 345, 217));
}

TEST_F(PrintToPdf, PrintLooksLikeTheWindow) {
  EnergyTransferPlotWindow plot;
  for (int nm = 430; nm <= 650; ++nm) {
    const double z = (nm - 515) / 15.0;
    ASSERT_TRUE(plot.EmissionSeries().AddPoint(nm, 14 * std::exp(-z * z / 2)));
  }
  plot.AbsorptionFileLabel().setText(QStringLiteral("Absorption File: acceptor.sp"));
  const QImage page = Rasterise(Print(plot, "plot.pdf"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) missing: run scripts/setup";
  const QImage screen = plot.ClientArea().grab().toImage().convertToFormat(QImage::Format_RGB32);

  // Same content at the same place: the drawn parts' extents agree to
  // what glyph edges allow, and the light red region covers about as many
  // pixels.
  const QRect on_page = BoundingBox(page, testing::NotWhite());
  const QRect on_screen = BoundingBox(screen, testing::NotWhite());
  EXPECT_LE(std::abs(on_page.left() - on_screen.left()), 2);
  EXPECT_LE(std::abs(on_page.top() - on_screen.top()), 2);
  EXPECT_LE(std::abs(on_page.right() - on_screen.right()), 2);
  EXPECT_LE(std::abs(on_page.bottom() - on_screen.bottom()), 2);
  const auto light_red = [](QColor c) {
    return c.red() > 230 && std::abs(c.green() - 128) < 30 && std::abs(c.blue() - 128) < 30;
  };
  const int printed = Count(page, page.rect(), light_red);
  const int shown = Count(screen, screen.rect(), light_red);
  EXPECT_NEAR(printed, shown, shown / 10);
  EXPECT_GT(Count(page, plot.AbsorptionFileLabel().geometry(), testing::Bluish()), 40);
}

TEST_F(PrintToPdf, AnswersFalseWhenThePrintJobCannotOpen) {
  EnergyTransferPlotWindow plot;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir.path() / "missing" / "x.pdf").string()));
  EXPECT_FALSE(PrintForm(plot, printer));
}

}  // namespace
}  // namespace korin
