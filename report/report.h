// A record of one calculation that lets a colleague reproduce it: the
// program and its version, the input files with their SHA-256, every
// parameter, the results, and the command line that computes them again.
// The window writes it as a PDF page or as Markdown; the command-line tool
// writes the Markdown itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korin {

struct ReportFile {
  std::string role;    // "Donor emission", "Acceptor absorption"
  std::string path;    // as it was opened
  std::string reader;  // the reader that read it, e.g. "two-column text"
  int first = 0;       // its wavelength range in nm
  int last = 0;
  std::string sha256;  // of the bytes read, in lower-case hex
};

// One line of a section: a label and its value with the unit.
struct ReportLine {
  std::string label;
  std::string value;
};

struct ReportContent {
  std::string title;  // "Korin-FRET 2.03 report"
  std::string date;   // ISO 8601, local time: "2026-12-08 14:03"
  std::vector<ReportFile> files;
  std::vector<ReportLine> parameters;
  std::vector<ReportLine> results;
  std::vector<std::string> warnings;  // the overlap diagnostics' words
  std::string command;                // a korin-fret-cli line giving the same numbers
};

// The report as Markdown. `plot_image`, when not empty, is the path of the
// energy-transfer plot's image relative to the Markdown file.
[[nodiscard]] std::string ReportMarkdown(const ReportContent& report, std::string_view plot_image);

}  // namespace korin
