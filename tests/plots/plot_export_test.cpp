// Exporting the energy-transfer plot: each file opened back shows the chart
// at the asked size, vectors stay vectors and text stays text, and a write
// that fails leaves the folder as it was.
#include "plots/plot_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QXmlStreamReader>
#include <cmath>
#include <filesystem>

#include "chart/pixels.h"
#include "filled_plot.h"
#include "pdf_reading.h"
#include "plots/energy_transfer_plot.h"
#include "support/temp_files.h"
#include "support/unprivileged.h"

namespace korin {
namespace {

using testing::BoundingBox;
using testing::Count;

const QColor kLightRedFill(255, 128, 128);

bool LightRed(QColor c) {
  return c.red() > 230 && std::abs(c.green() - 128) < 30 && std::abs(c.blue() - 128) < 30;
}

class PlotExport : public ::testing::Test {
 protected:
  PlotExport() { testing::FillPlot(plot); }

  [[nodiscard]] QString Path(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }
  [[nodiscard]] QStringList Listing() const {
    return QDir(QString::fromStdString(dir.path().string()))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  [[nodiscard]] QImage Screen() {
    return plot.ClientArea().grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  EnergyTransferPlotWindow plot;
  testing::TempDir dir;
};

TEST(PlotFormatOf, GoesByTheExtensionInAnyCase) {
  const struct {
    const char* path;
    std::optional<PlotFormat> format;
  } cases[] = {
      {"plot.png", PlotFormat::kPng}, {"/a/b/PLOT.PNG", PlotFormat::kPng},
      {"plot.Svg", PlotFormat::kSvg}, {"plot.pdf", PlotFormat::kPdf},
      {"x.y.PdF", PlotFormat::kPdf},  {"plot.jpg", std::nullopt},
      {"plot", std::nullopt},         {"plot.png.bak", std::nullopt},
      {"dir.pdf/plot", std::nullopt}, {"plot.svgz", std::nullopt},
      {"plot.", std::nullopt},        {"", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlotFormatOf(QString::fromUtf8(c.path)), c.format) << c.path;
}

TEST_F(PlotExport, PngHasTheAskedSizeAndResolution) {
  const QSize client = plot.ClientArea().size();
  const auto at = [&](double dpi) {
    return QSize(static_cast<int>(std::lround(client.width() * dpi / 96)),
                 static_cast<int>(std::lround(client.height() * dpi / 96)));
  };
  const struct {
    PngOptions options;
    QSize expected;
  } cases[] = {
      {{}, at(300)},
      {{.size = {}, .dpi = 96}, client},
      {{.size = {}, .dpi = 150}, at(150)},
      {{.size = {800, 515}, .dpi = 72}, {800, 515}},
      {{.size = {1000, 1000}}, {1000, 1000}},
  };
  for (const auto& c : cases) {
    const QString path = Path("plot.png");
    ASSERT_EQ(ExportForm(plot, path, PlotFormat::kPng, c.options), QString());
    const QImage image(path);
    EXPECT_EQ(image.size(), c.expected) << c.options.dpi;
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, c.options.dpi, 0.5);
    EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, c.options.dpi, 0.5);
  }
}

TEST_F(PlotExport, PngAt96DpiIsTheWindowAndAt300TheSameDrawingScaledUp) {
  const QImage screen = Screen();
  const QRect drawn = BoundingBox(screen, testing::NotWhite());
  const int fill = Count(screen, screen.rect(), LightRed);
  ASSERT_GT(fill, 500) << "the emission's region shows";

  for (const int dpi : {96, 300}) {
    const QString path = Path("plot.png");
    ASSERT_EQ(ExportForm(plot, path, PlotFormat::kPng, {.size = {}, .dpi = dpi}), QString());
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    const double scale = dpi / 96.0;
    // At the window's own resolution the export is the window, pixel for
    // pixel: the same painting, replayed.
    if (dpi == 96) {
      EXPECT_TRUE(image == screen);
    }
    // Scaled as a drawing: the same extent (to what glyph edges allow), and
    // the regions cover the scaled area, not a corner of the image.
    const QRect box = BoundingBox(image, testing::NotWhite());
    const double edges = 2 * scale + 1;
    EXPECT_NEAR(box.left(), drawn.left() * scale, edges) << dpi;
    EXPECT_NEAR(box.top(), drawn.top() * scale, edges) << dpi;
    EXPECT_NEAR(box.right(), drawn.right() * scale, edges) << dpi;
    EXPECT_NEAR(box.bottom(), drawn.bottom() * scale, edges) << dpi;
    EXPECT_NEAR(Count(image, image.rect(), LightRed), fill * scale * scale,
                fill * scale * scale / 10)
        << dpi;
    EXPECT_GT(Count(image, image.rect(), testing::Exactly(kLightRedFill)), fill * scale * scale / 2)
        << "the fill keeps its colour rather than blurring: " << dpi;
  }
}

TEST_F(PlotExport, PngOfOtherProportionsCentresTheDrawing) {
  const QString path = Path("square.png");
  ASSERT_EQ(ExportForm(plot, path, PlotFormat::kPng, {.size = {836, 836}}), QString());
  const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
  const QRect box = BoundingBox(image, testing::NotWhite());
  const QRect screen_box = BoundingBox(Screen(), testing::NotWhite());
  // Twice the window's width fills the width; the height, 2 x 269, sits
  // in the middle of 836.
  const int top = (836 - 2 * plot.ClientArea().height()) / 2;
  EXPECT_NEAR(box.left(), 2 * screen_box.left(), 3);
  EXPECT_NEAR(box.right(), 2 * screen_box.right(), 3);
  EXPECT_NEAR(box.top(), top + 2 * screen_box.top(), 3);
  EXPECT_NEAR(box.bottom(), top + 2 * screen_box.bottom(), 3);
}

TEST_F(PlotExport, SvgIsWellFormedVectorsWithTextAsText) {
  const QString path = Path("plot.svg");
  ASSERT_EQ(ExportForm(plot, path, PlotFormat::kSvg), QString());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QStringList texts;
  QString view_box;
  int paths = 0;
  int images = 0;
  int families = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto name = xml.name();
    if (name == QLatin1String("svg")) view_box = xml.attributes().value("viewBox").toString();
    if (name == QLatin1String("path") || name == QLatin1String("polyline")) ++paths;
    if (name == QLatin1String("image")) ++images;
    if (const auto family = xml.attributes().value("font-family"); !family.isEmpty()) {
      ++families;
      EXPECT_TRUE(family.endsWith(QLatin1String("sans-serif"))) << family.toString().toStdString();
    }
    if (name == QLatin1String("text")) texts << xml.readElementText();
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                               << xml.lineNumber();
  EXPECT_EQ(view_box, QStringLiteral("0 0 418 269"));
  EXPECT_GT(paths, 100) << "lines, markers and regions as paths";
  EXPECT_EQ(images, 0);
  EXPECT_GT(families, 0);
  for (const char* caption :
       {"Wavelength [nm]", "Donor  -  Normalized Emission", "Acceptor  -  Extinction Coefficient ",
        "Emission File: donor.ifx", "Absorption File: acceptor.sp"})
    EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
}

TEST_F(PlotExport, PdfIsOneWindowSizedPageOfPathsAndText) {
  const QString path = Path("plot.pdf");
  ASSERT_EQ(ExportForm(plot, path, PlotFormat::kPdf), QString());
  const QByteArray pdf = testing::ReadBytes(path);
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  EXPECT_EQ(testing::PageCount(pdf), 1);
  // 418 x 269 pixels at 96 per inch, in whole points as Qt writes them.
  const QSizeF page = testing::MediaBox(pdf);
  EXPECT_NEAR(page.width(), 418 * 0.75, 0.5);
  EXPECT_NEAR(page.height(), 269 * 0.75, 0.5);
  EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "no bitmap anywhere";
  const QByteArray streams = testing::Streams(pdf);
  EXPECT_GT(testing::OperatorCount(streams, "l"), 200) << "grid, frame, ticks and regions";
  EXPECT_GT(testing::OperatorCount(streams, "Tj") + testing::OperatorCount(streams, "TJ"), 10);

  const auto text = testing::PdfText(path);
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) missing: run scripts/setup";
  for (const char* caption :
       {"Wavelength [nm]", "Normalized Emission", "Extinction Coefficient", "donor.ifx"})
    EXPECT_TRUE(text->contains(QString::fromUtf8(caption))) << caption;
}

TEST_F(PlotExport, FailedWriteLeavesNothingAndNamesThePath) {
  const QString file_in_the_way = QString::fromStdString(dir.Write("notes.txt", "x"));
  const struct {
    const char* what;
    QString path;
  } cases[] = {
      {"missing folder", Path("missing/plot")},
      {"a file for a folder", file_in_the_way + QStringLiteral("/plot")},
  };
  for (const auto& c : cases) {
    for (const auto& [format, extension] : {std::pair{PlotFormat::kPng, ".png"},
                                            {PlotFormat::kSvg, ".svg"},
                                            {PlotFormat::kPdf, ".pdf"}}) {
      const QString path = c.path + QLatin1String(extension);
      const QString answer = ExportForm(plot, path, format);
      EXPECT_TRUE(answer.startsWith(QStringLiteral("Cannot write ") + path + QStringLiteral(": ")))
          << c.what << ": " << answer.toStdString();
      EXPECT_GT(answer.size(), QStringLiteral("Cannot write : ").size() + path.size() + 3);
      EXPECT_FALSE(QFileInfo::exists(path)) << c.what;
    }
  }
  EXPECT_TRUE(ExportForm(plot, Path("missing/plot.svg"), PlotFormat::kSvg)
                  .endsWith(QStringLiteral("No such file or directory")));
  EXPECT_EQ(Listing(), QStringList{QStringLiteral("notes.txt")});
}

TEST_F(PlotExport, ExistingFileIsReplacedOnlyOnSuccess) {
  const QString path = QString::fromStdString(dir.Write("plot.png", "old"));
  // Refused before anything is written, or (too many pixels) with the
  // temporary file already open.
  const struct {
    const char* what;
    PngOptions options;
  } refusals[] = {
      {"too many pixels", {.size = {40000, 40000}}},
      {"no resolution", {.size = {}, .dpi = 0}},
      {"a negative one", {.size = {}, .dpi = -300}},
  };
  for (const auto& r : refusals) {
    const QString answer = ExportForm(plot, path, PlotFormat::kPng, r.options);
    EXPECT_TRUE(answer.startsWith(QStringLiteral("Cannot write ") + path)) << r.what;
    EXPECT_EQ(testing::ReadBytes(path), QByteArray("old")) << r.what;
    EXPECT_EQ(Listing(), QStringList{QStringLiteral("plot.png")}) << "no temporary file left";
  }
  ASSERT_EQ(ExportForm(plot, path, PlotFormat::kPng, {.size = {100, 64}}), QString());
  EXPECT_EQ(QImage(path).size(), QSize(100, 64));
  EXPECT_EQ(Listing(), QStringList{QStringLiteral("plot.png")});
}

TEST_F(PlotExport, ReadOnlyFolderKeepsItsFile) {
  const QString path = QString::fromStdString(dir.Write("plot.pdf", "old"));
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0555));
  const testing::Unprivileged unprivileged;
  ASSERT_TRUE(unprivileged.Refuses(dir.path(), W_OK));
  for (const auto format : {PlotFormat::kPng, PlotFormat::kSvg, PlotFormat::kPdf}) {
    const QString answer = ExportForm(plot, path, format);
    EXPECT_TRUE(answer.startsWith(QStringLiteral("Cannot write ") + path)) << answer.toStdString();
    EXPECT_EQ(testing::ReadBytes(path), QByteArray("old"));
  }
  EXPECT_EQ(Listing(), QStringList{QStringLiteral("plot.pdf")});
}

}  // namespace
}  // namespace korin
