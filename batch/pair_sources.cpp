#include "batch/pair_sources.h"

#include "io/spectrum_loader.h"

namespace korin {

ColumnRequest ColumnRequestOf(const DyeRecord& record) {
  ColumnRequest request;
  request.value_column = record.value_column.value_or("");
  if (!record.units.empty()) request.unit = UnitOfColumnName(record.units);
  return request;
}

OpenReport OpenDyeSpectrum(FretEngine& engine, const DyeRecord& record) {
  OpenReport report;
  const MessageSink keep = [&report](std::string_view message) {
    report.messages.emplace_back(message);
  };
  const LoadOutcome outcome =
      record.value_column
          ? OpenColumns(engine, record.side, ColumnRequestOf(record), record.path, keep)
          : OpenSpectrum(engine, record.side, record.filter_entry, record.path, keep);
  report.in_use = outcome.kind == LoadOutcome::Kind::kAccepted;
  // Read, but the user should know: the wrong column, rows passed over.
  if (report.in_use) {
    for (const std::string& warning : outcome.warnings)
      report.messages.push_back("Warning: " + warning);
  }
  if (!report.in_use) report.reason = outcome.reason;
  return report;
}

std::vector<DyePreparation> PrepareDyeFiles(std::span<const DyeRecord> records,
                                            const SharedParameters& shared, int jobs) {
  return PrepareDyes(records, shared, OpenDyeSpectrum, jobs);
}

}  // namespace korin
