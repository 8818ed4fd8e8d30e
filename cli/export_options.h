// The tool's exports: the data as CSV and the report as Markdown, written
// here without Qt; the plot and the PDF report, drawn by the companion,
// which gets the request and what to draw as JSON on its standard input.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/option_parser.h"
#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "request/request_json.h"

namespace korin {

// The Qt-linked program that draws for the tool (plot export, the PDF
// report, the plot beside a Markdown report). The tool runs it only when
// one of those is asked for; it lives beside the tool, or where
// KORIN_FRET_RENDER names it.
inline constexpr std::string_view kDrawingCompanion = "korin-fret-render";

struct ExportOptions {
  std::optional<std::string> export_plot;
  std::optional<std::string> export_data;
  std::optional<std::string> report;
  std::string plot_dpi = "300";
  std::optional<std::string> plot_size;
  bool force = false;

  void AddTo(OptionParser& parser);
};

// Checks the file names and the plot's size and resolution, and fills what
// the companion will draw. A bad value is reported on `err`, naming the
// option, and the answer is false.
[[nodiscard]] bool ReadExportOptions(const ExportOptions& options, DrawingRequest& drawing,
                                     std::ostream& err);

// Whether anything is left for the companion to draw, and which option
// asked for it first.
[[nodiscard]] bool NeedsDrawing(const DrawingRequest& drawing);
[[nodiscard]] std::string DrawingOption(const DrawingRequest& drawing);

// The companion's path when it is there to run: KORIN_FRET_RENDER, or the
// program of that name beside this one, or in ../libexec/korin-fret from
// here as the packages install it.
[[nodiscard]] std::optional<std::string> DrawingCompanionPath();

// When the report says it was made: KORIN_REPORT_DATE when set, else
// SOURCE_DATE_EPOCH, else now, as local "YYYY-MM-DD HH:MM".
[[nodiscard]] std::string ReportDate();

// Writes the CSV and the Markdown report asked for; the report reproduces
// `reproduced` and shows `analysis`. Answers the exit code: an existing
// file without --force, or a failed write, is 1 with the reason.
[[nodiscard]] int WriteExports(const ExportOptions& options, const FretEngine& engine,
                               const FretRequest& reproduced, const AnalysisResult& analysis,
                               const DrawingRequest& drawing, std::ostream& err);

// Runs the companion with `job` as JSON on its standard input and answers
// its exit code (1 when it cannot be started).
[[nodiscard]] int RunDrawingCompanion(const std::string& companion, const DrawingJob& job);

}  // namespace korin
