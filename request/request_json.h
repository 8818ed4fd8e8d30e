// A request as JSON, the form in which it travels between programs (the
// command-line tool hands its request to the drawing companion) and across
// the web page's boundary:
//
//   {"emission": {"path": "donor.csv"},
//    "absorption": {"path": "acceptor.sp"},
//    "parameters": {"quantum_yield": "0.8", "kappa2_range": ["0.2", "3"]}}
//
// Parameters go by their table names and hold their texts as typed (two
// texts for MIN MAX pairs); those not given are left out. A spectrum's
// bytes never travel in it: they are handed over beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "request/fret_request.h"

namespace korin {

// What the drawing companion is to draw for the command-line tool, which
// stays free of Qt: the plot export, the PDF report, the plot beside a
// Markdown report.
struct DrawingRequest {
  std::string plot;  // --export-plot: .png, .svg or .pdf; empty for none
  int plot_dpi = 300;
  int plot_width = 0;  // --plot-size in pixels; 0: the window's size at plot_dpi
  int plot_height = 0;
  std::string report_pdf;   // --report ending in .pdf
  std::string report_plot;  // the image beside a Markdown report
  bool replace = false;     // --force
  std::string date;         // the report's date, the same in every file of one run

  bool operator==(const DrawingRequest&) const = default;
};

// The companion's whole input: the request to compute and what to draw.
struct DrawingJob {
  FretRequest request;
  DrawingRequest drawing;
};

[[nodiscard]] std::string RequestToJson(const FretRequest& request);

// The request in `json`, or nothing with `error` saying what is wrong: not
// JSON, an unknown key or parameter, a value of the wrong type or number.
// The values themselves are not judged here (CheckRequest does that).
[[nodiscard]] std::optional<FretRequest> RequestFromJson(std::string_view json, std::string& error);

// {"request": {...}, "drawing": {"plot": "...", "plot_dpi": 300, ...}}
[[nodiscard]] std::string DrawingJobToJson(const DrawingJob& job);
[[nodiscard]] std::optional<DrawingJob> DrawingJobFromJson(std::string_view json,
                                                           std::string& error);

}  // namespace korin
