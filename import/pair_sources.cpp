#include "import/pair_sources.h"

#include "import/spectrum_loader.h"

namespace korin {

ColumnRequest ColumnRequestOf(const DyeSpec& spec) {
  ColumnRequest request;
  request.value_column = spec.value_column.value_or("");
  if (!spec.units.empty()) request.unit = UnitOfColumnName(spec.units);
  return request;
}

OpenReport OpenDyeSpectrum(FretEngine& engine, const DyeSpec& spec) {
  OpenReport report;
  const MessageSink keep = [&report](std::string_view message) {
    report.messages.emplace_back(message);
  };
  const LoadOutcome outcome =
      spec.value_column ? OpenColumns(engine, spec.side, ColumnRequestOf(spec), spec.path, keep)
                        : OpenSpectrum(engine, spec.side, spec.filter_entry, spec.path, keep);
  report.in_use = outcome.kind == LoadOutcome::Kind::kAccepted;
  // Read, but the user should know: the wrong column, rows passed over.
  if (report.in_use) {
    for (const std::string& warning : outcome.warnings)
      report.messages.push_back("Warning: " + warning);
  }
  if (!report.in_use) report.reason = outcome.reason;
  return report;
}

std::vector<DyePreparation> PrepareDyeFiles(std::span<const DyeSpec> specs,
                                            const SharedParameters& shared, int jobs) {
  return PrepareDyes(specs, shared, OpenDyeSpectrum, jobs);
}

}  // namespace korin
