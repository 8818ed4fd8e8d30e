// The command-line tool's column import: which columns of a delimited file
// hold a side's spectrum, in which wavelength unit, and what the tool says
// about the columns it read.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "core/fret_engine.h"
#include "io/column_reader.h"
#include "io/spectrum_loader.h"

namespace korin {

// The options as typed.
struct ColumnOptions {
  std::optional<std::string> emission_columns;  // "WL,VALUE" or "VALUE"
  std::optional<std::string> absorption_columns;
  std::optional<std::string> emission_units;  // nm, um or cm-1
  std::optional<std::string> absorption_units;

  // Adds the four options; each side's excludes its --*-filter, which
  // `app` must already have.
  void AddTo(CLI::App& app);
};

// The options as read, and the columns the loads used.
struct ColumnLoads {
  std::optional<ColumnRequest> emission;  // empty: the side goes through its filter entry
  std::optional<ColumnRequest> absorption;
  std::optional<LoadOutcome::Columns> emission_used;
  std::optional<LoadOutcome::Columns> absorption_used;
};

// Reads the options into `loads`; a value that is not accepted is reported
// on `err`, naming the option, and the answer is false.
[[nodiscard]] bool ReadColumnOptions(const ColumnOptions& options, ColumnLoads& loads,
                                     std::ostream& err);

// Opens the side's file as the open commands do: through the column import
// when its options asked for it, else through filter entry `filter`. The
// columns used are kept in `loads`; warnings go to `err` as "Warning: "
// lines when `warn`.
[[nodiscard]] LoadOutcome OpenSide(FretEngine& engine, SpectrumSide side, int filter,
                                   const std::string& path, ColumnLoads& loads,
                                   const MessageSink& sink, std::ostream& err, bool warn);

// The JSON of a side read through the column import: the reader's name and
// the columns used; nothing for the other readers.
void AddColumnJson(const ColumnLoads& loads, SpectrumSide side, nlohmann::ordered_json& file);

}  // namespace korin
