#include "import/pair_sources.h"

#include "import/spectrum_loader.h"

namespace korin {

OpenReport OpenDyeSpectrum(FretEngine& engine, const DyeSpec& spec) {
  OpenReport report;
  const LoadOutcome outcome =
      OpenSpectrum(engine, spec.side, spec.filter_entry, spec.path,
                   [&report](std::string_view message) { report.messages.emplace_back(message); });
  report.in_use = outcome.kind == LoadOutcome::Kind::kAccepted;
  if (!report.in_use) report.reason = outcome.reason;
  return report;
}

std::vector<DyePreparation> PrepareDyeFiles(std::span<const DyeSpec> specs,
                                            const SharedParameters& shared, int jobs) {
  return PrepareDyes(specs, shared, OpenDyeSpectrum, jobs);
}

}  // namespace korin
