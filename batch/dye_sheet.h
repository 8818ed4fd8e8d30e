// The dye sheet: a CSV file listing spectrum files for the pair table, one
// row each, with the values the panel takes for each spectrum.
//
//   # comments and blank lines anywhere
//   file,side,filter,quantum_yield,extinction,concentration,optical_path,name
//   cy3.csv,donor,,0.15,,,,Cy3
//   cy5.sp,acceptor,,,250000,,,Cy5
//
// UTF-8, with or without a byte-order mark; columns in any order, matched by
// name whatever the case; only `file` and `side` are required, and a column
// a sheet does not need may be left out. Fields may be quoted ("a, b.csv",
// "" for a quote). Spreadsheets that write ";" or tabs between fields are
// read too: the header decides. `file` lies relative to the sheet's folder.
// An empty cell, or a missing column, takes the default: the command-line
// options or the main window's values. An acceptor with its own
// `extinction` uses extinction entry; with its own `concentration`,
// concentration entry; otherwise the default decides. A downloaded table
// with several columns takes `column` (a 1-based number, a header name, or
// `auto` for the column the header names for the side) and `units` (nm,
// um, cm-1): it is read through the column import, with the value column's
// own wavelengths. For the experiment planner a row may name its dye's
// other spectrum, `second_file` (a donor's absorption, an acceptor's
// emission) with `second_column` and `second_units`; a donor's
// `extinction` and an acceptor's `quantum_yield` are then that spectrum's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "batch/pair_table.h"

namespace korin {

struct DyeSheet {
  // False when the sheet cannot be read at all: no file, no header, or a
  // header without `file` and `side`; `problem` says why.
  bool readable = false;
  std::string problem;
  std::vector<DyeRecord> dyes;      // the rows read, in the sheet's order
  std::vector<TableError> skipped;  // malformed rows, by line number
  std::vector<std::string> notes;   // columns it does not know, which are ignored
};

// Reads a sheet's content. `sheet` names it in every error; files lie in
// `folder` ("" for the working folder) unless their path is absolute. The
// columns it knows, and what each cell accepts, are the parameters' sheet
// columns (request/parameters.h); a row's spectrum takes what the row
// leaves out of its side's values from `defaults`.
[[nodiscard]] DyeSheet ParseDyeSheet(std::string_view content, std::string_view sheet,
                                     std::string_view folder, const FretRequest& defaults);

// Reads the sheet at `path`, its files lying in its folder.
[[nodiscard]] DyeSheet ReadDyeSheet(const std::string& path, const FretRequest& defaults);

}  // namespace korin
