// Exporting a window to a file: its client area as PNG, SVG or PDF, drawn
// by the same painting as the screen, so an export looks like the window.
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;

namespace korin {

class FormWindow;

enum class PlotFormat { kPng, kSvg, kPdf };

// The format named by `path`'s extension in any letter case: .png, .svg or
// .pdf; nothing for any other extension or none.
[[nodiscard]] std::optional<PlotFormat> PlotFormatOf(const QString& path);

struct PngOptions {
  QSize size;  // in pixels; empty: the window's size at `dpi` (client size x dpi / 96)
  int dpi = 300;
};

// Draws `window`'s client area (chart and labels, as on screen) into `path`.
// PNG: `png.size` pixels, the drawing scaled up rather than the pixels (an
// asked size of other proportions gets the drawing centred on the window's
// background), with `png.dpi` stored as the image's resolution. SVG and PDF
// are vectors with text as text, at the window's size at 96 pixels per inch
// (a PDF page exactly as large, without margins). The file is written
// through a temporary one in the same folder that replaces `path` only once
// complete, so a failed export leaves nothing behind and changes nothing.
// Answers an empty string on success, otherwise the reason with the path:
// "Cannot write /x/plot.svg: No such file or directory".
[[nodiscard]] QString ExportForm(FormWindow& window, const QString& path, PlotFormat format,
                                 const PngOptions& png = {});

// Paints `window`'s client area into `target` (in `painter`'s coordinates),
// scaled to fill it, as vectors and text whatever the painter's device.
void DrawClientArea(FormWindow& window, QPainter& painter, const QRectF& target);

}  // namespace korin
