// What a file dropped on a window, or named to the window at start, opens
// as: the reader its extension chooses, or the column dialog for a table
// that reader would misread or refuse. The windows ask here; the decision
// needs no window.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/grid_spectrum.h"
#include "io/column_table.h"
#include "io/spectrum_file.h"
#include "io/spectrum_source.h"

namespace korin {

// Whether the side's reader by extension (its open dialog's first entry)
// takes `path`.
[[nodiscard]] bool ReadsByExtension(SpectrumSide side, std::string_view path);

// The first of `paths` that a reader of `side` takes by its extension; with
// no side, the first that a reader of either side takes. Nothing when no
// path has such an extension.
[[nodiscard]] std::optional<std::size_t> FirstReadable(std::span<const std::string> paths,
                                                       std::optional<SpectrumSide> side);

// A file read once with the table scanned from it.
struct ScannedFile {
  SpectrumFile file;
  ColumnTable table;
};

// Reads and scans `path`.
[[nodiscard]] ScannedFile ScanFile(const std::string& path);

// The first of `paths` that can be read and holds a table of numbers, read
// and scanned: downloaded spectra come as .csv, .tsv or .dat tables that
// no reader takes by extension.
[[nodiscard]] std::optional<std::pair<std::size_t, ScannedFile>> FirstTable(
    std::span<const std::string> paths);

// Whether `source`, with `table` its scan, is better offered in the column
// dialog than read for `side` by the reader its name's extension chooses:
// its header names several spectra (that reader would take one of them
// without asking), or it holds a table that reader refuses (tried on an
// engine of its own, silently, so that the user sees the dialog rather
// than the refusal).
[[nodiscard]] bool NeedsColumnChoice(const SpectrumSource& source, const ColumnTable& table,
                                     SpectrumSide side);

}  // namespace korin
