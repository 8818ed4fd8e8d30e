// Delimited tables of numbers as spectra databases, dye vendors and
// supplementary data hand them out: which delimiter separates the cells,
// where the table begins after a block of metadata, the header that names
// the columns, which columns hold wavelengths and which values go with them,
// and the first lines cut into cells for the import dialog's preview.
// Reading one column pair onto the grid is column_reader.h's part; cutting
// lines into cells is delimited_text.h's, and what a name says
// column_names.h's.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/column_names.h"
#include "io/delimited_text.h"

namespace korin {

struct TableColumn {
  std::string name;  // from the header or the block's label; empty when nothing names it
  ColumnKind kind = ColumnKind::kOther;
  // The column whose wavelengths go with this one: itself for a wavelength
  // column, otherwise the nearest wavelength column to its left.
  int wavelength_column = 0;
  // For a wavelength column, the unit its name gives ("Wavelength (um)",
  // "Wavenumber (cm-1)"); nm when the name says none.
  WavelengthUnit unit = WavelengthUnit::kNanometre;
  int block = 0;  // index into ColumnTable::blocks
  // Whether a row of its block holds a number in this column. One that none
  // does holds no spectrum: the empty last column of rows that end with the
  // delimiter ("220,24.97,"), or a header naming more columns than the rows
  // fill.
  bool holds_numbers = false;
};

// A run of rows. A file may stack several ("Excitation", its rows, then
// "Emission", its rows); their columns are laid side by side, so that each
// block's values are columns of one table.
struct TableBlock {
  std::size_t begin = 0;  // byte offset of the block's first row in the content
  std::size_t end = 0;    // byte offset just past its last row
  int first_column = 0;   // the block's columns are first_column..first_column+width-1
  int width = 0;
};

struct ColumnTable {
  ColumnDelimiter delimiter = ColumnDelimiter::kComma;
  // Whether a header line or a block's label names any column.
  bool named = false;
  std::vector<TableColumn> columns;  // empty when the content holds no table
  std::vector<TableBlock> blocks;
  // The content's first kPreviewLines lines, each cut into cells with the
  // table's delimiter (a line of no table stays one cell), quotes removed.
  std::vector<std::vector<std::string>> preview;
  int header_line = 0;      // 1-based line number of the first block's header; 0 for none
  int first_data_line = 0;  // 1-based line number of the first row; 0 for no table

  [[nodiscard]] bool found() const { return !columns.empty(); }
};

inline constexpr std::size_t kPreviewLines = 20;

// Finds the table in a file's bytes. Lines end at LF, CR LF or CR; a UTF-8
// byte-order mark is skipped. Blank lines and lines starting with "#" are
// passed over everywhere. The table begins at the first row of numbers (at
// least two cells, the first a number, every other cell a number or empty)
// that the next line continues under the same delimiter; whatever comes
// before (metadata such as `Maker,"..."` or "Extinction coefficient: 83400")
// is skipped, except that the line right before the rows is their header
// when it has as many cells (or one cell: a block label such as
// "Excitation"). A row continues the table while it has two or more cells,
// one of them a number (for space-separated rows, the first); any other line
// ends the block, and a later run of rows under the same delimiter begins
// the next one.
[[nodiscard]] ColumnTable ScanColumnTable(std::string_view content);

// The same scan, stopped once the first block is found whole: the columns,
// rows and names of that block only (`named` for its own names), without
// the preview. For what depends on the first block alone.
[[nodiscard]] ColumnTable ScanFirstBlock(std::string_view content);

// Every name that the heading of the first block ScanColumnTable finds in
// `content` can give its columns from `from_column` (0-based, at least 1:
// the first column holds wavelengths whatever its name) on, whatever the
// block's width turns out to be: each cell of that heading under the
// block's delimiter (and, for space-separated rows, as SplitAtWideGaps cuts
// it), quotes removed; a one-cell heading is a label naming every column
// after the first, and its numbered names ("Emission 2") say what it says.
// Empty when there is no table or its heading names nothing there. Reads
// no further than the block's second row.
[[nodiscard]] std::vector<std::string> FirstHeadingNames(std::string_view content,
                                                         std::size_t from_column);

// How a list shows a column: its name, or "column 3" (1-based) when it has
// none. Precondition: 0 <= column < table.columns.size().
[[nodiscard]] std::string ColumnLabel(const ColumnTable& table, int column);
// How a message names a column: `column 3 "EGFP em"`, or `column 3`.
[[nodiscard]] std::string ColumnDescription(const ColumnTable& table, int column);
// Every column of the table so described, separated by commas.
[[nodiscard]] std::string ColumnList(const ColumnTable& table);

// A column as a user names it: a 1-based number ("3") or a name, compared
// without regard to ASCII case or surrounding blanks. When the name fits
// several columns and one of them is `preferred`, that one is taken (a
// value column's own "wavelength" among several of that name).
struct ColumnLookup {
  int column = -1;    // 0-based; -1 when none
  std::string error;  // why none, for a status line
};
[[nodiscard]] ColumnLookup FindColumn(const ColumnTable& table, std::string_view text,
                                      int preferred = -1);

// The rows of one block of a table, in file order, each cut into cells;
// blank lines, "#" lines and rows of empty cells are passed over. `content`
// must be the bytes the table was scanned from, and must outlive this.
class TableRows {
 public:
  TableRows(std::string_view content, const ColumnTable& table, int block);

  // The next row's cells, valid until the next call; false after the last.
  [[nodiscard]] bool Next(std::span<const std::string_view>& cells);

 private:
  std::string_view content_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  ColumnDelimiter delimiter_;
  std::vector<std::string_view> cells_;
};

}  // namespace korin
