#include "plots/plot_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "chart/chart_style.h"
#include "plots/form_window.h"

namespace korin {
namespace {

// Window pixels are laid out for 96 pixels per inch; a PDF point is 1/72 inch.
constexpr double kWindowDpi = 96;
constexpr double kPointsPerPixel = 72.0 / kWindowDpi;
constexpr double kInchesPerMetre = 1 / 0.0254;
// Beyond this a PNG's stored resolution is no longer a plausible print one.
constexpr int kMaxDpi = 10000;
// 2^28 pixels, 1 GiB in memory: an A0 poster at 300 dpi still fits.
constexpr qint64 kMaxPngPixels = qint64{1} << 28;

QString CannotWrite(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

QSize PngSize(const QSize& client, const PngOptions& png) {
  if (!png.size.isEmpty()) return png.size;
  const double scale = png.dpi / kWindowDpi;
  return {static_cast<int>(std::lround(client.width() * scale)),
          static_cast<int>(std::lround(client.height() * scale))};
}

// Each writer answers an empty string or the reason it failed, without the
// path; the file is committed only after an empty answer.
QString WritePng(FormWindow& window, QSaveFile& file, const PngOptions& png) {
  QWidget& client = window.ClientArea();
  const QSize size = PngSize(client.size(), png);
  const auto too_large = qint64{size.width()} * size.height() > kMaxPngPixels;
  QImage image = too_large ? QImage() : QImage(size, QImage::Format_RGB32);
  if (image.isNull())
    return QStringLiteral("an image of %1 x %2 pixels is too large")
        .arg(size.width())
        .arg(size.height());
  const int dots_per_metre = static_cast<int>(std::lround(png.dpi * kInchesPerMetre));
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  const QBrush background = client.palette().brush(client.backgroundRole());
  image.fill(background.color());

  // The whole drawing at the scale that fits the asked size, centred; at
  // the default size it fills the image exactly.
  const double scale = std::min(static_cast<double>(size.width()) / client.width(),
                                static_cast<double>(size.height()) / client.height());
  const QSizeF drawn = QSizeF(client.size()) * scale;
  QPainter painter(&image);
  DrawClientArea(
      window, painter,
      QRectF(QPointF((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2),
             drawn));
  painter.end();
  if (!image.save(&file, "PNG"))
    return file.error() != QFileDevice::NoError ? file.errorString()
                                                : QStringLiteral("the PNG could not be encoded");
  return {};
}

// QSvgGenerator names only a font's first family, which a viewer may not
// have ("MS Sans Serif" off Windows, where a browser then takes its serif
// default). Each name gets the family Qt laid the text out in, and a
// generic sans, to fall back on.
QByteArray WithFallbackFonts(const QByteArray& svg) {
  static const QRegularExpression kFamily(QStringLiteral(R"re(font-family="([^"]*)")re"));
  const QString text = QString::fromUtf8(svg);
  QString out;
  out.reserve(text.size() + text.size() / 8);
  QHash<QString, QString> replacements;  // every element repeats its font
  qsizetype copied = 0;
  for (const QRegularExpressionMatch& match : kFamily.globalMatch(text)) {
    const QString asked = match.captured(1);
    auto replacement = replacements.find(asked);
    if (replacement == replacements.end()) {
      QStringList families = {asked};
      const QString used = QFontInfo(chart::PixelFont(asked, kFont8pt)).family();
      if (!used.isEmpty() && used != asked) families << used;
      families << QStringLiteral("sans-serif");
      replacement = replacements.insert(
          asked,
          QStringLiteral(R"re(font-family="%1")re").arg(families.join(QStringLiteral(", "))));
    }
    out += QStringView(text).mid(copied, match.capturedStart() - copied);
    out += *replacement;
    copied = match.capturedEnd();
  }
  out += QStringView(text).mid(copied);
  return out.toUtf8();
}

QString WriteSvg(FormWindow& window, QSaveFile& file) {
  const QSize size = window.ClientArea().size();
  QBuffer svg;
  QSvgGenerator generator;
  generator.setOutputDevice(&svg);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(), size));
  generator.setResolution(static_cast<int>(kWindowDpi));
  generator.setTitle(window.windowTitle());
  QPainter painter;
  if (!painter.begin(&generator)) return QStringLiteral("the SVG drawing could not start");
  DrawClientArea(window, painter, QRectF(QPointF(), QSizeF(size)));
  painter.end();
  const QByteArray bytes = WithFallbackFonts(svg.data());
  if (file.write(bytes) != bytes.size()) return file.errorString();
  return {};
}

QString WritePdf(FormWindow& window, QSaveFile& file) {
  const QSizeF size = window.ClientArea().size();
  QPdfWriter writer(&file);
  writer.setCreator(QStringLiteral("Korin-FRET"));
  writer.setTitle(window.windowTitle());
  // The page is the client area itself, so the file embeds in a document at
  // the window's size with nothing around it. Qt keeps page sizes in whole
  // points: the drawing fills the rounded page, off by less than a point.
  writer.setPageLayout(QPageLayout(
      QPageSize(size * kPointsPerPixel, QPageSize::Point, QString(), QPageSize::ExactMatch),
      QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
  QPainter painter;
  if (!painter.begin(&writer)) return QStringLiteral("the PDF page could not start");
  const QSizeF page_points = writer.pageLayout().fullRectPoints().size();
  DrawClientArea(window, painter, QRectF(QPointF(), page_points * (writer.resolution() / 72.0)));
  painter.end();
  return {};
}

}  // namespace

std::optional<PlotFormat> PlotFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) return PlotFormat::kPng;
  if (suffix == QLatin1String("svg")) return PlotFormat::kSvg;
  if (suffix == QLatin1String("pdf")) return PlotFormat::kPdf;
  return std::nullopt;
}

QString ExportForm(FormWindow& window, const QString& path, PlotFormat format,
                   const PngOptions& png) {
  if (format == PlotFormat::kPng && (png.dpi <= 0 || png.dpi > kMaxDpi))
    return CannotWrite(
        path,
        QStringLiteral("%1 dpi is not a resolution between 1 and %2").arg(png.dpi).arg(kMaxDpi));

  // The temporary file lives beside `path` and only commit() renames it over
  // the old file; on any failure it is removed when `file` goes.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path, file.errorString());
  QString failure;
  switch (format) {
    case PlotFormat::kPng:
      failure = WritePng(window, file, png);
      break;
    case PlotFormat::kSvg:
      failure = WriteSvg(window, file);
      break;
    case PlotFormat::kPdf:
      failure = WritePdf(window, file);
      break;
  }
  if (!failure.isEmpty()) {
    file.cancelWriting();
    return CannotWrite(path, failure);
  }
  if (!file.commit()) return CannotWrite(path, file.errorString());
  return {};
}

void DrawClientArea(FormWindow& window, QPainter& painter, const QRectF& target) {
  QWidget& client = window.ClientArea();

  // The window paints itself into a recording rather than onto the device:
  // Qt would rasterise a widget rendered straight onto a PDF or SVG, while
  // a replayed recording keeps every line and glyph a vector.
  QPicture picture;
  {
    QPainter recorder(&picture);
    recorder.fillRect(client.rect(), client.palette().brush(client.backgroundRole()));
    client.render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
  }

  // Replaying a picture already scales by the device's dots per inch over
  // the picture's; the rest takes the client area to the target's size.
  const QPaintDevice& device = *painter.device();
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / client.width() * picture.logicalDpiX() / device.logicalDpiX(),
                target.height() / client.height() * picture.logicalDpiY() / device.logicalDpiY());
  painter.drawPicture(0, 0, picture);
  painter.restore();
}

}  // namespace korin
