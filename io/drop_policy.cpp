#include "io/drop_policy.h"

#include "core/fret_engine.h"
#include "io/column_choice.h"
#include "io/spectrum_formats.h"
#include "io/spectrum_loader.h"

namespace korin {

bool ReadsByExtension(SpectrumSide side, std::string_view path) {
  return ChooseFormat(side, kFilterByExtension, path) != nullptr;
}

std::optional<std::size_t> FirstReadable(std::span<const std::string> paths,
                                         std::optional<SpectrumSide> side) {
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const bool fits = side ? ReadsByExtension(*side, paths[i])
                           : ReadsByExtension(SpectrumSide::kEmission, paths[i]) ||
                                 ReadsByExtension(SpectrumSide::kAbsorption, paths[i]);
    if (fits) return i;
  }
  return std::nullopt;
}

ScannedFile ScanFile(const std::string& path) {
  ScannedFile scanned{ReadSpectrumFile(path), {}};
  if (scanned.file.opened) scanned.table = ScanColumnTable(scanned.file.content());
  return scanned;
}

std::optional<std::pair<std::size_t, ScannedFile>> FirstTable(std::span<const std::string> paths) {
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ScannedFile scanned = ScanFile(paths[i]);
    if (scanned.table.found()) return std::pair{i, std::move(scanned)};
  }
  return std::nullopt;
}

bool NeedsColumnChoice(const SpectrumSource& source, const ColumnTable& table, SpectrumSide side) {
  if (!table.found()) return false;
  if (NamesSeveralSpectra(table)) return true;
  FretEngine trial;
  return LoadSpectrum(trial, side, kFilterByExtension, source, [](std::string_view) {}).kind !=
         LoadOutcome::Kind::kAccepted;
}

}  // namespace korin
