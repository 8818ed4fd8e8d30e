// An open command after the user confirmed a file: the side is emptied, the
// reader the filter entry and the file's extension choose reads the file,
// and the engine takes the spectrum or withdraws the side. The window and
// the command-line tool open spectra through this one path.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fret_engine.h"
#include "io/column_reader.h"
#include "io/file_error.h"
#include "io/spectrum_formats.h"

namespace korin {

struct LoadOutcome {
  enum class Kind {
    kAccepted,  // read, accepted and in use
    kUnusable,  // read and accepted, but the engine cannot use it (no positive area)
    kRefused,   // the reader refused the file
    kNoReader,  // neither the filter entry nor the extension names a reader
  };
  Kind kind = Kind::kNoReader;
  const SpectrumFormat* format = nullptr;  // the reader's row, when there was one
  // Why the spectrum is not in use, in words for a status line; empty once
  // accepted. The engine has been given it when no message was shown.
  std::string reason;
  int messages = 0;  // messages the reader sent to the sink
  // What the user should know although the load went through, each
  // starting with the file's name: a column read as another kind of
  // spectrum than its header names, rows the column import skipped.
  std::vector<std::string> warnings;
  // The column import's columns, once chosen.
  struct Columns {
    int wavelength_column = 0;  // 0-based
    int value_column = 0;
    std::string wavelength_name;  // as ColumnLabel gives them
    std::string value_name;
    WavelengthUnit unit = WavelengthUnit::kNanometre;
    long skipped_rows = 0;
  };
  std::optional<Columns> columns;
};

// Reads `path` (from disk, once) for `side` with the reader that
// `filter_entry` and the path choose, and tells the engine. The reader's
// messages go to `sink`. When the load fails without any message, the
// engine's status line says which file was not loaded and how it was read.
// An accepted spectrum's origin keeps the bytes read until a report asks
// for their digest, or the side is loaded again.
[[nodiscard]] LoadOutcome OpenSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                                       const std::string& path, const MessageSink& sink);

// The same for content already in memory; `source.name` stands for the
// path.
[[nodiscard]] LoadOutcome LoadSpectrum(FretEngine& engine, SpectrumSide side, int filter_entry,
                                       const SpectrumSource& source, const MessageSink& sink);

// The same steps through the column import, with the columns and unit of
// `request` (by default those the header chooses): the same status lines,
// engine changes and origin (filter entry 0, reader "delimited columns",
// the columns as "WL,VALUE" 1-based numbers). A choice that fails names the
// candidates or the columns in `reason`.
[[nodiscard]] LoadOutcome OpenColumns(FretEngine& engine, SpectrumSide side,
                                      const ColumnRequest& request, const std::string& path,
                                      const MessageSink& sink);
[[nodiscard]] LoadOutcome LoadColumns(FretEngine& engine, SpectrumSide side,
                                      const ColumnRequest& request, const SpectrumSource& source,
                                      const MessageSink& sink);
// The same with the columns a user chose in `table`, the scan of `source`.
[[nodiscard]] LoadOutcome LoadColumns(FretEngine& engine, SpectrumSide side,
                                      const ColumnTable& table, const ColumnPair& pair,
                                      const SpectrumSource& source, const MessageSink& sink);

}  // namespace korin
