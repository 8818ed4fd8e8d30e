// The command-line tool: J and R0 of a donor emission file and an acceptor
// absorption file, computed by the same readers and numbers as the windows.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_engine.h"
#include "report/report.h"

namespace korin {

// Exit codes of the tool.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRejected = 1;   // a spectrum refused, or the calculation cannot run
inline constexpr int kExitBadOption = 2;  // an option or its value is not accepted

// Runs the tool on `args` (args[0] is the program name) and answers its exit
// code. Results go to `out`; reader messages and errors to `err`. With
// args[1] "pairs" it runs the pair table (cli/pairs_command.h), which writes
// an aligned table by default when `out_is_terminal`.
[[nodiscard]] int RunFretCli(std::span<const std::string> args, std::ostream& out,
                             std::ostream& err, bool out_is_terminal = false);

// The Qt-linked program that draws for the tool (plot export, the PDF
// report, the plot beside a Markdown report). The tool runs it, with its own
// arguments, only when one of those is asked for; it lives beside the tool,
// or where KORIN_FRET_RENDER names it.
inline constexpr std::string_view kDrawingCompanion = "korin-fret-render";

// What the companion is to draw, read from the tool's options.
struct DrawingRequest {
  std::string plot;  // --export-plot: .png, .svg or .pdf; empty for none
  int plot_dpi = 300;
  int plot_width = 0;  // --plot-size in pixels; 0: the window's size at plot_dpi
  int plot_height = 0;
  std::string report_pdf;   // --report ending in .pdf
  std::string report_plot;  // the image beside a Markdown report
  bool replace = false;     // --force
  std::string date;
  std::vector<ReportLine> extra_results;  // the analysis figures asked for
};

// For the companion: reads `args` as the tool does and computes on `engine`
// (whose view the companion has attached), reporting only errors. Answers
// the tool's exit code; on success `request` says what to draw.
[[nodiscard]] int PrepareDrawing(std::span<const std::string> args, FretEngine& engine,
                                 DrawingRequest& request, std::ostream& err);

}  // namespace korin
