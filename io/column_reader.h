// Reads one column of a delimited table onto the 1-nm grid, with the
// wavelengths of another column: the spectra people download come in 0.1,
// 0.5 or 2 nm steps, at uneven wavelengths and in either order, so each grid
// point inside the file's range is interpolated between its neighbouring
// points instead of rounding each point to a whole nanometre.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid_spectrum.h"
#include "io/column_table.h"
#include "io/file_error.h"
#include "io/spectrum_read.h"
#include "io/spectrum_source.h"

namespace korin {

// Which columns of a table make the spectrum, 0-based.
struct ColumnPair {
  int wavelength_column = 0;
  int value_column = 1;
  WavelengthUnit unit = WavelengthUnit::kNanometre;
};

struct ColumnRead {
  SpectrumRead read;
  long points = 0;  // rows that gave a point
  // Rows passed over because the wavelength or the value cell holds text
  // that is not a number ("NaN", "n/a"), or a wavelength that converts to
  // none (a wavenumber of 0). Empty cells are passed over without counting.
  long skipped_rows = 0;
  // Wavelengths (in nm) that two or more points share, each counted once;
  // their values are averaged.
  long repeated_wavelengths = 0;
};

// Reads the pair from the rows of `table` (scanned from `content`).
// Wavelengths are converted to nm, the points put in wavelength order
// (points at one wavelength are averaged, and counted in
// repeated_wavelengths), and every whole nanometre from
// the lowest wavelength up to the highest gets the value interpolated
// linearly between the points either side. The range rule then decides, on
// those whole nanometres: they must lie within 100..1500 nm and span more
// than 10 nm. Precondition: both columns belong to one block of `table`.
[[nodiscard]] ColumnRead ReadColumnPair(std::string_view content, const ColumnTable& table,
                                        const ColumnPair& pair);

// A column import as the user asks for it: the columns by 1-based number or
// header name, empty for the choice the header makes (ChooseColumns), and
// the wavelength unit, by default the one the wavelength column's name
// gives.
struct ColumnRequest {
  std::string wavelength_column;  // empty: the value column's own wavelengths
  std::string value_column;       // empty: chosen by the header
  std::optional<WavelengthUnit> unit;
};

struct ColumnImport {
  SpectrumRead read;
  ColumnTable table;
  ColumnPair pair;  // the columns read, when `chosen`
  bool chosen = false;
  // Why no columns were read ("several columns could hold the emission:
  // ..."), for a status line; empty when `chosen`.
  std::string choice_error;
  // For the user, each once: a column named as another kind than the
  // side, an excitation column standing in for absorption, skipped rows,
  // wavelengths that appear more than once (two samples stacked in one
  // file, perhaps).
  std::vector<std::string> warnings;
  long skipped_rows = 0;
};

// Scans `source`, chooses the columns for `side` as `request` says and reads
// them. A source that could not be opened reports "File Error: " + its name
// through `sink`; nothing else goes there.
[[nodiscard]] ColumnImport ImportColumns(const SpectrumSource& source, SpectrumSide side,
                                         const ColumnRequest& request, const MessageSink& sink);

// Reads `pair` of `table`, already scanned from `source`, as a user chose it
// in the column dialog: the same checks (not one column for both, both in
// one block) and warnings as above. A pair outside the table reads nothing.
[[nodiscard]] ColumnImport ImportColumns(const SpectrumSource& source, ColumnTable table,
                                         SpectrumSide side, const ColumnPair& pair);

// The format table's readers for the column import: the columns the header
// chooses, nm unless the header names another unit.
[[nodiscard]] SpectrumRead ReadEmissionFromColumns(const SpectrumSource& source,
                                                   const MessageSink& sink);
[[nodiscard]] SpectrumRead ReadAbsorptionFromColumns(const SpectrumSource& source,
                                                     const MessageSink& sink);

// Parses a unit as the command line and messages spell it: "nm", "um" (or
// "µm"), "cm-1"; any case. Nothing for any other text.
[[nodiscard]] std::optional<WavelengthUnit> ParseWavelengthUnit(std::string_view text);

}  // namespace korin
