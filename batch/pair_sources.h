// The pair table's spectra opened through the open path: each spectrum read
// once from its file, by the reader its filter entry and extension choose,
// and handed to its own engine.
#pragma once

#include <span>
#include <vector>

#include "batch/pair_table.h"
#include "core/fret_engine.h"
#include "io/column_reader.h"

namespace korin {

// Opens `record`'s file for its side on `engine` as an open command does
// (OpenSpectrum), keeping the reader's messages instead of showing them.
[[nodiscard]] OpenReport OpenDyeSpectrum(FretEngine& engine, const DyeRecord& record);

// The column import's request for a record read through it (a value column
// set): its value column and unit, the value column's own wavelengths.
[[nodiscard]] ColumnRequest ColumnRequestOf(const DyeRecord& record);

// PrepareDyes with the spectra opened from their files.
[[nodiscard]] std::vector<DyePreparation> PrepareDyeFiles(std::span<const DyeRecord> records,
                                                          const SharedParameters& shared, int jobs);

}  // namespace korin
