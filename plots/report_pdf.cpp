#include "plots/report_pdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>
#include <string>
#include <vector>

#include "plots/form_window.h"
#include "plots/plot_export.h"

namespace korin {
namespace {

// The page in points (1/72 inch): A4 with print-safe margins.
constexpr double kPageWidth = 595.276;
constexpr double kPageHeight = 841.89;
constexpr double kMarginSide = 54;
constexpr double kMarginTop = 48;
constexpr double kMarginBottom = 44;
constexpr double kContentWidth = kPageWidth - 2 * kMarginSide;

constexpr double kPlotShare = 0.65;  // of the page's width
constexpr double kColumnGap = 18;    // between the parameters and the results
constexpr double kLabelGap = 8;      // between a label and its value
constexpr double kRowGap = 1.5;

const QColor kInk(0, 0, 0);
const QColor kHeadingInk(31, 59, 99);
const QColor kLabelInk(90, 90, 90);
const QColor kRuleInk(190, 190, 190);
const QColor kCommandShade(243, 243, 243);

QFont SansFont(double points, bool bold = false) {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// Hashes and the command line: every character the same width, so a hash
// reads in even groups and a command can be copied by eye.
QFont FixedFont(double points) {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSizeF(points);
  return font;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

struct Line {
  QString label;
  QString value;
  bool fixed = false;  // the value in the fixed-pitch font
  int max_lines = 0;   // 0: as many as it takes
};

// Draws on the page in points; the painter works in the writer's dots.
class Page {
 public:
  Page(QPainter& painter, double dots_per_point) : painter_(painter), dots_(dots_per_point) {}

  [[nodiscard]] double Dots(double points) const { return points * dots_; }

  // `text` wrapped to `width` from its top-left corner `at`, in at most
  // `max_lines` lines (0: no limit), the last of them elided in the middle
  // when the text needs more, so a long path keeps its start and its file
  // name. Draws only when `draw`; answers the height taken, in points.
  double Text(const QString& text, const QFont& font, QColor colour, QPointF at, double width,
              int max_lines = 0, bool draw = true) {
    QTextLayout layout(text, font, painter_.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font, painter_.device());
    const double line_height = metrics.lineSpacing();
    layout.beginLayout();
    double y = 0;
    int count = 0;
    QString elided;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(Dots(width));
      if (max_lines > 0 && count == max_lines - 1 &&
          line.textStart() + line.textLength() < text.size()) {
        // The rest does not fit: the last line shows its two ends.
        elided = metrics.elidedText(text.mid(line.textStart()), Qt::ElideMiddle, Dots(width));
        break;
      }
      line.setPosition(QPointF(0, y));
      y += line_height;
      ++count;
    }
    layout.endLayout();
    if (draw) {
      painter_.setPen(colour);
      const QPointF origin(Dots(at.x()), Dots(at.y()));
      // Line by line: the line given up for the elided rest is not drawn.
      for (int i = 0; i < count; ++i) layout.lineAt(i).draw(&painter_, origin);
      if (!elided.isEmpty()) {
        painter_.setFont(font);
        painter_.drawText(origin + QPointF(0, y + metrics.ascent()), elided);
      }
    }
    if (!elided.isEmpty()) y += line_height;
    return y / dots_;
  }

  void Rule(double y, double x, double width, double thickness, QColor colour) {
    painter_.fillRect(QRectF(Dots(x), Dots(y), Dots(width), Dots(thickness)), colour);
  }

  void Shade(const QRectF& points, QColor colour) {
    painter_.fillRect(
        QRectF(Dots(points.x()), Dots(points.y()), Dots(points.width()), Dots(points.height())),
        colour);
  }

  [[nodiscard]] QPainter& Painter() { return painter_; }

 private:
  QPainter& painter_;
  double dots_;
};

class ReportLayout {
 public:
  explicit ReportLayout(Page& page) : page_(page) {}

  void Title(const ReportContent& report) {
    y_ +=
        page_.Text(Q(report.title), SansFont(17, true), kInk, {kMarginSide, y_}, kContentWidth, 2);
    y_ += 2;
    y_ += page_.Text(Q(report.date), SansFont(9.5), kLabelInk, {kMarginSide, y_}, kContentWidth, 1);
    y_ += 5;
    page_.Rule(y_, kMarginSide, kContentWidth, 0.8, kHeadingInk);
    y_ += 4;
  }

  void Heading(const QString& text, double x = kMarginSide, double width = kContentWidth) {
    y_ += 11;
    y_ += page_.Text(text, HeadingFont(), kHeadingInk, {x, y_}, width, 1);
    y_ += 1;
    page_.Rule(y_, x, width, 0.5, kRuleInk);
    y_ += 4;
  }

  void Files(const std::vector<ReportFile>& files) {
    Heading(QStringLiteral("Input files"));
    if (files.empty()) Rows({{QString(), QStringLiteral("None")}}, kMarginSide, kContentWidth);
    for (const ReportFile& file : files) {
      y_ += 2;
      y_ +=
          page_.Text(Q(file.role), SansFont(9.5, true), kInk, {kMarginSide, y_}, kContentWidth, 1);
      y_ += 1;
      y_ = Rows(
          {
              {QStringLiteral("Path"), Q(file.path), false, 3},
              {QStringLiteral("Reader"), Q(file.reader)},
              {QStringLiteral("Range"),
               QStringLiteral("%1\u2013%2 nm").arg(file.first).arg(file.last)},
              {QStringLiteral("SHA-256"), Q(file.sha256), true},
          },
          kMarginSide + 10, kContentWidth - 10);
    }
  }

  // The parameters and the results side by side, each a label/value table.
  void ParametersAndResults(const std::vector<ReportLine>& parameters,
                            const std::vector<ReportLine>& results) {
    const double column = (kContentWidth - kColumnGap) / 2;
    const double top = y_;
    double bottom = top;
    const struct {
      QString heading;
      const std::vector<ReportLine>& lines;
      double x;
    } sections[] = {{QStringLiteral("Parameters"), parameters, kMarginSide},
                    {QStringLiteral("Results"), results, kMarginSide + column + kColumnGap}};
    for (const auto& section : sections) {
      y_ = top;
      Heading(section.heading, section.x, column);
      std::vector<Line> lines;
      for (const ReportLine& line : section.lines) lines.push_back({Q(line.label), Q(line.value)});
      if (lines.empty()) lines.push_back({QString(), QStringLiteral("None")});
      bottom = std::max(bottom, Rows(lines, section.x, column));
    }
    y_ = bottom;
  }

  void Warnings(const std::vector<std::string>& warnings) {
    Heading(QStringLiteral("Warnings"));
    if (warnings.empty()) {
      y_ += Body(QStringLiteral("None"), kMarginSide, kContentWidth);
      return;
    }
    // Bullets with a hanging indent, so each warning reads as one block.
    constexpr double kIndent = 10;
    for (const std::string& warning : warnings) {
      page_.Text(QStringLiteral("\u2022"), BodyFont(), kInk, {kMarginSide, y_}, kIndent);
      y_ += Body(Q(warning), kMarginSide + kIndent, kContentWidth - kIndent) + kRowGap;
    }
  }

  // The plot at its on-screen proportions, as wide as the share allows and
  // smaller when the page has less room left above the command line.
  void Plot(FormWindow& plot, const QString& command) {
    Heading(QStringLiteral("Energy-transfer plot"));
    const QSizeF client = plot.ClientArea().size();
    const double room = kPageHeight - kMarginBottom - y_ - CommandHeight(command) - 4;
    double width = kPageWidth * kPlotShare;
    double height = width * client.height() / client.width();
    if (height > room) {
      height = std::max(room, 0.0);
      width = height * client.width() / client.height();
    }
    if (height <= 0) return;  // no room left at all: the command line still shows
    const QRectF target(kMarginSide + (kContentWidth - width) / 2, y_ + 2, width, height);
    const double dots = page_.Dots(1);
    const QRectF in_dots(target.topLeft() * dots, target.size() * dots);
    DrawClientArea(plot, page_.Painter(), in_dots);
    // A hairline frame sets the plot's white off the white page.
    page_.Painter().setPen(QPen(kRuleInk, page_.Dots(0.5)));
    page_.Painter().setBrush(Qt::NoBrush);
    page_.Painter().drawRect(in_dots);
    y_ = target.bottom() + 4;
  }

  void Command(const QString& command) {
    Heading(QStringLiteral("Command line"));
    const double height = CommandText(command, false);
    page_.Shade(QRectF(kMarginSide, y_, kContentWidth, height + 2 * kCommandPadding),
                kCommandShade);
    CommandText(command, true);
  }

 private:
  static constexpr double kCommandPadding = 4;

  static QFont HeadingFont() { return SansFont(11, true); }
  static QFont BodyFont() { return SansFont(9); }

  double Body(const QString& text, double x, double width) {
    return page_.Text(text, BodyFont(), kInk, {x, y_}, width);
  }

  double CommandText(const QString& command, bool draw) {
    return page_.Text(command, FixedFont(8), kInk,
                      {kMarginSide + kCommandPadding, y_ + kCommandPadding},
                      kContentWidth - 2 * kCommandPadding, 0, draw);
  }

  // The heading, the shaded block and a little air below it.
  double CommandHeight(const QString& command) {
    const double heading = 11 +
                           page_.Text(QStringLiteral("Command line"), HeadingFont(), kInk, {},
                                      kContentWidth, 1, false) +
                           5;
    return heading + CommandText(command, false) + 2 * kCommandPadding;
  }

  // Label/value rows from `y_` in the band [x, x + width); answers the
  // bottom. The label column is as wide as the widest label, up to 40 %.
  double Rows(const std::vector<Line>& lines, double x, double width) {
    const QFontMetricsF metrics(BodyFont(), page_.Painter().device());
    double label_width = 0;
    for (const Line& line : lines)
      label_width = std::max(label_width, metrics.horizontalAdvance(line.label) / page_.Dots(1));
    label_width = std::min(label_width + 1, width * 0.4);
    const double value_x = x + label_width + kLabelGap;
    const double value_width = width - label_width - kLabelGap;
    // A value in another font sits on its label's baseline.
    const auto ascent = [this](const QFont& font) {
      return QFontMetricsF(font, page_.Painter().device()).ascent() / page_.Dots(1);
    };
    double y = y_;
    for (const Line& line : lines) {
      const QFont value_font = line.fixed ? FixedFont(8.5) : BodyFont();
      const double shift = ascent(BodyFont()) - ascent(value_font);
      const double label = page_.Text(line.label, BodyFont(), kLabelInk, {x, y}, label_width);
      const double value = page_.Text(line.value, value_font, kInk, {value_x, y + shift},
                                      value_width, line.max_lines) +
                           shift;
      y += std::max(label, value) + kRowGap;
    }
    return y;
  }

  Page& page_;
  double y_ = kMarginTop;
};

}  // namespace

QString WriteReportPdf(const ReportContent& report, FormWindow& plot, const QString& path) {
  const auto cannot_write = [&path](const QString& reason) {
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
  };
  // As for an export: a temporary file beside `path` that only commit()
  // puts in its place.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return cannot_write(file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Korin-FRET"));
    writer.setTitle(Q(report.title));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      return cannot_write(QStringLiteral("the PDF page could not start"));
    }
    Page page(painter, writer.resolution() / 72.0);
    ReportLayout layout(page);
    const QString command = Q(report.command);
    layout.Title(report);
    layout.Files(report.files);
    layout.ParametersAndResults(report.parameters, report.results);
    layout.Warnings(report.warnings);
    layout.Plot(plot, command);
    layout.Command(command);
    painter.end();
  }
  if (!file.commit()) return cannot_write(file.errorString());
  return {};
}

}  // namespace korin
