#include "report/report.h"

namespace korin {
namespace {

// A table cell: a "|" would end it.
std::string Cell(std::string_view text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|') cell += '\\';
    cell += c;
  }
  return cell;
}

}  // namespace

std::string ReportMarkdown(const ReportContent& report, std::string_view plot_image) {
  std::string md = "# " + report.title + "\n\nDate: " + report.date + "\n\n## Input files\n\n";
  md += "| Spectrum | File | Reader | Range | SHA-256 |\n|---|---|---|---|---|\n";
  for (const ReportFile& f : report.files) {
    md += "| " + Cell(f.role) + " | `" + Cell(f.path) + "` | " + Cell(f.reader) + " | " +
          std::to_string(f.first) + "-" + std::to_string(f.last) + " nm | `" + f.sha256 + "` |\n";
  }
  const auto table = [&md](std::string_view heading, const std::vector<ReportLine>& lines) {
    md += "\n## ";
    md += heading;
    md += "\n\n| | |\n|---|---|\n";
    for (const ReportLine& line : lines)
      md += "| " + Cell(line.label) + " | " + Cell(line.value) + " |\n";
  };
  table("Parameters", report.parameters);
  table("Results", report.results);
  if (!report.warnings.empty()) {
    md += "\n## Warnings\n\n";
    for (const std::string& warning : report.warnings) md += "- " + warning + "\n";
  }
  if (!plot_image.empty()) {
    md += "\n## Energy-transfer plot\n\n![Energy-transfer plot](";
    md += plot_image;
    md += ")\n";
  }
  md += "\n## Reproduce\n\n```\n" + report.command + "\n```\n";
  return md;
}

}  // namespace korin
