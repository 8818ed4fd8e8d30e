// Feeds arbitrary bytes to every spectrum reader through the format table,
// as a user's open dialog would, in memory, and to the column import's
// pieces: the table scan, the column choice, every value column read onto
// the grid and the instrument readers' header check; and to the pair
// table's dye sheets. Whatever the bytes, a
// reader must end, report a bounded number of times, store no non-finite
// value and accept only a spectrum that lies on the grid.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch/dye_preparation.h"
#include "batch/dye_sheet.h"
#include "io/column_choice.h"
#include "io/column_reader.h"
#include "io/spectrum_formats.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// Value columns read per input: enough to reach every kind of column of a
// download, few enough to keep runs fast on a line of many cells.
constexpr std::size_t kColumnsRead = 8;

void RequireSound(const korin::SpectrumRead& read) {
  for (const double v : read.spectrum.values.values()) Require(std::isfinite(v));
  Require(read.accepted == (read.refusal == korin::Refusal::kNone));
  if (read.accepted) {
    Require(korin::SpectrumGrid::Contains(read.spectrum.first));
    Require(korin::SpectrumGrid::Contains(read.spectrum.last));
    Require(read.spectrum.first < read.spectrum.last);
  }
}

// The table's shape holds together, and each value column reads soundly
// with its own wavelengths in every unit.
void CheckColumns(std::string_view content, unsigned selector) {
  const korin::ColumnTable table = korin::ScanColumnTable(content);
  Require(table.preview.size() <= korin::kPreviewLines);
  Require(table.columns.size() <= korin::kMaxColumns);
  Require(table.found() == !table.blocks.empty());
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    const korin::TableColumn& column = table.columns[i];
    const korin::TableColumn& own =
        table.columns[static_cast<std::size_t>(column.wavelength_column)];
    Require(column.wavelength_column <= static_cast<int>(i));
    Require(own.block == column.block);
  }
  for (const korin::SpectrumSide side :
       {korin::SpectrumSide::kEmission, korin::SpectrumSide::kAbsorption}) {
    const korin::ColumnChoice choice = korin::ChooseColumns(table, side);
    if (choice.status == korin::ColumnChoice::Status::kChosen) {
      Require(korin::ColumnChoiceText(table, choice, side).empty());
    } else {
      Require(!korin::ColumnChoiceText(table, choice, side).empty());
    }
    (void)korin::WrongColumnWarning(content, side, static_cast<int>(selector % 5));
  }
  const auto unit = static_cast<korin::WavelengthUnit>(selector % 3);
  std::size_t read = 0;
  for (std::size_t i = 0; i < table.columns.size() && read < kColumnsRead; ++i) {
    const korin::TableColumn& column = table.columns[i];
    if (column.wavelength_column == static_cast<int>(i)) continue;
    ++read;
    const korin::ColumnRead r = korin::ReadColumnPair(
        content, table, {column.wavelength_column, static_cast<int>(i), unit});
    RequireSound(r.read);
    Require(r.points >= 0 && r.skipped_rows >= 0);
  }
}

// A dye sheet is user text too: every row is either a dye or a skipped
// line, each with its line number.
void CheckDyeSheet(std::string_view content) {
  const korin::DyeSheet sheet = korin::ParseDyeSheet(content, "dyes.csv", "/data", {});
  Require(sheet.readable == sheet.problem.empty());
  const auto lines = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
  Require(sheet.dyes.size() + sheet.skipped.size() <= lines + 1);
  for (const korin::DyeRecord& dye : sheet.dyes) {
    Require(!dye.path.empty() && dye.line >= 2);
    // A row read through its columns takes no filter entry, and every row
    // is a request the panel can apply.
    const korin::SpectrumSide side = dye.side;
    Require(
        !(korin::ReadsColumns(dye.values, side) && dye.values.Given(korin::FilterParameter(side))));
    Require(korin::CheckRequest(korin::DyeRequest(dye, {})).empty());
  }
  for (const korin::TableError& e : sheet.skipped) Require(e.line >= 2 && !e.reason.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  // The first byte picks a format row and how the dialog reached it: through
  // the row's own filter entry, or through entry 1 by the file's extension.
  // The column import has neither; its row's reader is called as its own
  // command calls it.
  const auto formats = korin::SpectrumFormats();
  const korin::SpectrumFormat& row = formats[data[0] % formats.size()];
  const korin::SpectrumFormat* format = &row;
  std::string path = "/data/fuzz/input.csv";
  if (!row.extension.empty()) {
    const bool by_extension = row.filter_entry == 0 || (data[0] / formats.size()) % 2 == 1;
    path = "/data/fuzz/input" + std::string(row.pattern.substr(1));
    format = korin::ChooseFormat(row.side, by_extension ? 1 : row.filter_entry, path);
    Require(format != nullptr && format->reader == row.reader);
  } else {
    CheckColumns(content, data[0]);
    CheckDyeSheet(content);
  }

  std::size_t messages = 0;
  const korin::SpectrumRead read =
      format->reader({path, content, true}, [&messages](std::string_view) { ++messages; });

  const auto lines = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n'));
  Require(messages <= 2 * lines + 4);
  RequireSound(read);
  return 0;
}
