// Reading the dye sheet: its header, its rows and the values each row
// gives a spectrum.
#include "batch/dye_sheet.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/parameter_ranges.h"
#include "io/delimited_text.h"
#include "io/spectrum_file.h"
#include "numeric/ascii_text.h"

namespace korin {
namespace {

enum Column {
  kFile,
  kSide,
  kFilter,
  kQuantumYield,
  kExtinction,
  kConcentration,
  kOpticalPath,
  kName,
  kColumn,
  kUnits,
  kColumnCount
};
constexpr std::array<std::string_view, kColumnCount> kColumnNames{
    "file",          "side",         "filter", "quantum_yield", "extinction",
    "concentration", "optical_path", "name",   "column",        "units"};

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// A row's cells by column; a column the sheet leaves out reads as empty.
class Row {
 public:
  Row(const std::vector<std::string>& cells, const std::array<int, kColumnCount>& columns)
      : cells_(cells), columns_(columns) {}
  [[nodiscard]] std::string_view operator[](Column column) const {
    const int at = columns_[column];
    return at < 0 ? std::string_view() : std::string_view(cells_[static_cast<std::size_t>(at)]);
  }

 private:
  const std::vector<std::string>& cells_;
  const std::array<int, kColumnCount>& columns_;
};

// A number cell: empty keeps the default; otherwise it must be accepted.
bool ReadParameterCell(std::string_view cell, std::string_view column, const ParameterRange& range,
                       double& value, std::string& error) {
  if (ReadInRange(cell, range, value)) return true;
  error = std::string(column) + " " + Quoted(cell) + " is not accepted; expected " +
          std::string(range.accepted);
  return false;
}

// The record of one row, or nothing with `error` set.
std::optional<DyeRecord> ReadRow(const Row& row, std::string_view folder,
                                 const DyeDefaults& defaults, std::string& error) {
  const std::string_view file = row[kFile];
  if (file.empty()) {
    error = "the row names no file";
    return std::nullopt;
  }
  const std::string side = AsciiLowered(row[kSide]);
  if (side != "donor" && side != "acceptor") {
    error = "side " + Quoted(row[kSide]) + " is neither donor nor acceptor";
    return std::nullopt;
  }
  std::string path(file);
  if (!folder.empty() && file.front() != '/') {
    path = std::string(folder) + (folder.ends_with('/') ? "" : "/") + path;
  }
  DyeRecord record =
      ListedDye(side == "donor" ? SpectrumSide::kEmission : SpectrumSide::kAbsorption,
                std::move(path), defaults);
  record.name = row[kName].empty() ? std::string(FileNameOf(file)) : std::string(row[kName]);
  double value = 0.0;
  // A download with several columns: read through the column import, the
  // value column by number or header name, or "auto" for the one the
  // header names for the side.
  if (!row[kColumn].empty() || !row[kUnits].empty()) {
    if (!row[kFilter].empty()) {
      error = "a row with column or units reads the columns; filter must stay empty";
      return std::nullopt;
    }
    const std::string units = AsciiLowered(row[kUnits]);
    if (!units.empty() && units != "nm" && units != "um" && units != "cm-1") {
      error = "units " + Quoted(row[kUnits]) + " is none of nm, um, cm-1";
      return std::nullopt;
    }
    ReadThroughColumns(record, row[kColumn], units);
  }
  if (!row[kFilter].empty()) {
    if (!ReadParameterCell(row[kFilter], "filter", ranges::kFilterEntry, value, error)) {
      return std::nullopt;
    }
    record.filter_entry = static_cast<int>(value);
  }
  if (record.side == SpectrumSide::kEmission) {
    if (!row[kQuantumYield].empty()) {
      if (!ReadParameterCell(row[kQuantumYield], "quantum_yield", ranges::kQuantumYield, value,
                             error)) {
        return std::nullopt;
      }
      record.quantum_yield = row[kQuantumYield];
    }
    return record;
  }
  if (!row[kOpticalPath].empty()) {
    if (!ReadParameterCell(row[kOpticalPath], "optical_path", ranges::kOpticalPath, value, error)) {
      return std::nullopt;
    }
    record.optical_path = OpticalPathIndexOf(value);
  }
  if (!row[kConcentration].empty()) {
    if (!ReadParameterCell(row[kConcentration], "concentration", ranges::kConcentration, value,
                           error)) {
      return std::nullopt;
    }
    record.concentration = row[kConcentration];
    record.extinction.reset();
  }
  if (!row[kExtinction].empty()) {
    if (!ReadParameterCell(row[kExtinction], "extinction", ranges::kExtinction, value, error)) {
      return std::nullopt;
    }
    record.extinction = std::string(row[kExtinction]);
  }
  return record;
}

}  // namespace

DyeSheet ParseDyeSheet(std::string_view content, std::string_view sheet, std::string_view folder,
                       const DyeDefaults& defaults) {
  DyeSheet result;
  const std::string name(sheet);
  if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) {
    result.problem = name + " is UTF-16 text; save it as CSV in UTF-8";
    return result;
  }
  content.remove_prefix(ByteOrderMarkSize(content));

  std::optional<std::array<int, kColumnCount>> columns;
  std::size_t column_count = 0;
  ColumnDelimiter delimiter = ColumnDelimiter::kComma;
  int line_number = 0;
  std::vector<std::string> cells;
  std::size_t at = 0;
  std::string_view line;
  // Rows end at LF, a CR before it dropped. Fields lose the blanks around
  // them; a quoted field keeps everything between its quotes, "" standing
  // for one quote, and a quote left open or text after a closing quote
  // refuses the line.
  while (NextLine(content, at, line, LineEnds::kLineFeed)) {
    ++line_number;
    if (IsBlankOrComment(line)) continue;

    if (!columns) {
      // The first line that is neither blank nor a comment names the columns.
      delimiter = DelimiterOfHeader(line);
      if (const QuoteError quotes = SplitFields(line, delimiter, cells);
          quotes != QuoteError::kNone) {
        result.problem = name + ":" + std::to_string(line_number) +
                         ": the header: " + std::string(QuoteErrorText(quotes));
        return result;
      }
      const std::vector<std::string>& names = cells;
      std::array<int, kColumnCount> found;
      found.fill(-1);
      for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string column = AsciiLowered(names[i]);
        const auto known = std::ranges::find(kColumnNames, column);
        if (known == kColumnNames.end()) {
          result.notes.push_back(name + ":" + std::to_string(line_number) + ": column " +
                                 Quoted(names[i]) + " is not one the sheet knows; ignored");
          continue;
        }
        int& slot = found[static_cast<std::size_t>(known - kColumnNames.begin())];
        if (slot >= 0) {
          result.problem = name + ":" + std::to_string(line_number) + ": the header names " +
                           Quoted(column) + " twice";
          return result;
        }
        slot = static_cast<int>(i);
      }
      for (const Column required : {kFile, kSide}) {
        if (found[required] < 0) {
          result.problem = name + ":" + std::to_string(line_number) + ": the header has no " +
                           Quoted(kColumnNames[required]) + " column";
          return result;
        }
      }
      columns = found;
      column_count = names.size();
      continue;
    }

    std::string error;
    std::optional<DyeRecord> record;
    if (const QuoteError quotes = SplitFields(line, delimiter, cells);
        quotes != QuoteError::kNone) {
      error = QuoteErrorText(quotes);
    } else if (cells.size() != column_count) {
      error = "the row has " + std::to_string(cells.size()) + " fields; the header has " +
              std::to_string(column_count);
    } else {
      record = ReadRow(Row(cells, *columns), folder, defaults, error);
    }
    if (!record) {
      result.skipped.push_back(
          {TableError::Kind::kRow, name, {}, line_number, error + "; row skipped", {}});
      continue;
    }
    record->line = line_number;
    result.dyes.push_back(std::move(*record));
  }
  if (!columns) {
    result.problem = name + " has no header line naming its columns";
    return result;
  }
  result.readable = true;
  return result;
}

DyeSheet ReadDyeSheet(const std::string& path, const DyeDefaults& defaults) {
  const SpectrumFile file = ReadSpectrumFile(path);
  if (!file.opened) {
    DyeSheet result;
    result.problem = "cannot read the sheet " + path;
    return result;
  }
  const auto slash = path.find_last_of('/');
  const std::string_view folder =
      slash == std::string::npos ? std::string_view() : std::string_view(path).substr(0, slash);
  return ParseDyeSheet(file.content(), path, slash == 0 ? std::string_view("/") : folder, defaults);
}

}  // namespace korin
