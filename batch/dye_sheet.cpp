// Reading the dye sheet: its header, its rows and the values each row
// gives a spectrum.
#include "batch/dye_sheet.h"

#include <algorithm>
#include <map>
#include <optional>

#include "io/delimited_text.h"
#include "io/spectrum_file.h"
#include "numeric/ascii_text.h"

namespace korin {
namespace {

// The columns of a record of its own; the rest name parameters.
constexpr std::string_view kFile = "file";
constexpr std::string_view kSide = "side";
constexpr std::string_view kName = "name";
// The planner's second spectrum of a dye: a donor's absorption, an
// acceptor's emission.
constexpr std::string_view kSecondFile = "second_file";
constexpr std::string_view kSecondColumn = "second_column";
constexpr std::string_view kSecondUnits = "second_units";

// Every column a sheet may have: the record's own, then the parameters'
// sheet columns, each once (both filter entries share "filter").
std::vector<std::string> KnownColumns() {
  std::vector<std::string> known{std::string(kFile),         std::string(kSide),
                                 std::string(kName),         std::string(kSecondFile),
                                 std::string(kSecondColumn), std::string(kSecondUnits)};
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (!declared.sheet_column.empty() &&
        std::ranges::find(known, declared.sheet_column) == known.end()) {
      known.push_back(declared.sheet_column);
    }
  }
  return known;
}

SpectrumSide Other(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? SpectrumSide::kAbsorption : SpectrumSide::kEmission;
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// A row's cells by column name; a column the sheet leaves out reads as
// empty.
class Row {
 public:
  Row(const std::vector<std::string>& cells, const std::map<std::string, std::size_t>& columns)
      : cells_(cells), columns_(columns) {}
  [[nodiscard]] std::string_view operator[](std::string_view column) const {
    const auto found = columns_.find(std::string(column));
    return found == columns_.end() ? std::string_view() : std::string_view(cells_[found->second]);
  }

 private:
  const std::vector<std::string>& cells_;
  const std::map<std::string, std::size_t>& columns_;
};

// The record of one row, or nothing with `error` set. A cell checks as the
// parameter of its column and the row's side accepts; an empty cell keeps
// the default.
std::optional<DyeRecord> ReadRow(const Row& row, std::string_view folder,
                                 const FretRequest& defaults, std::string& error) {
  const std::string_view file = row[kFile];
  if (file.empty()) {
    error = "the row names no file";
    return std::nullopt;
  }
  const std::string side_text = AsciiLowered(row[kSide]);
  if (side_text != "donor" && side_text != "acceptor") {
    error = "side " + Quoted(row[kSide]) + " is neither donor nor acceptor";
    return std::nullopt;
  }
  const SpectrumSide side =
      side_text == "donor" ? SpectrumSide::kEmission : SpectrumSide::kAbsorption;
  std::string path(file);
  if (!folder.empty() && file.front() != '/') {
    path = std::string(folder) + (folder.ends_with('/') ? "" : "/") + path;
  }
  DyeRecord record = ListedDye(side, std::move(path), defaults);
  record.name = row[kName].empty() ? std::string(FileNameOf(file)) : std::string(row[kName]);

  const Parameter filter = FilterParameter(side);
  const std::string_view column = row[DeclarationOf(ColumnsParameter(side)).sheet_column];
  const std::string_view units = row[DeclarationOf(UnitsParameter(side)).sheet_column];
  // A download with several columns is read through the column import.
  const bool columns = !column.empty() || !units.empty();
  if (columns && !row[DeclarationOf(filter).sheet_column].empty()) {
    error = "a row with column or units reads the columns; filter must stay empty";
    return std::nullopt;
  }
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (declared.scope != ScopeOf(side) || declared.sheet_column.empty()) continue;
    const std::string_view cell = row[declared.sheet_column];
    if (cell.empty()) continue;
    const std::vector<ValueRefusal> refused = Refusals(declared.id, cell);
    if (!refused.empty()) {
      error =
          declared.sheet_column + " " + Quoted(cell) + " is not accepted; " + refused.front().why;
      return std::nullopt;
    }
    record.values.Set(declared.id, std::string(cell));
  }
  if (columns) ReadThroughColumns(record, column, units);
  if (const std::string_view second = row[kSecondFile]; !second.empty()) {
    record.second.path =
        second.front() == '/' || folder.empty()
            ? std::string(second)
            : std::string(folder) + (folder.ends_with('/') ? "" : "/") + std::string(second);
  }
  for (const auto& [name, parameter] : {std::pair{kSecondColumn, ColumnsParameter(Other(side))},
                                        std::pair{kSecondUnits, UnitsParameter(Other(side))}}) {
    const std::string_view cell = row[name];
    if (cell.empty()) continue;
    if (const std::vector<ValueRefusal> refused = Refusals(parameter, cell); !refused.empty()) {
      error = std::string(name) + " " + Quoted(cell) + " is not accepted; " + refused.front().why;
      return std::nullopt;
    }
    (name == kSecondColumn ? record.second.column : record.second.units) = std::string(cell);
  }
  // What the second spectrum needs comes from the other side's column: a
  // donor's extinction, an acceptor's quantum yield.
  const Parameter needed =
      side == SpectrumSide::kEmission ? Parameter::kExtinction : Parameter::kQuantumYield;
  if (const std::string_view cell = row[DeclarationOf(needed).sheet_column]; !cell.empty()) {
    if (const std::vector<ValueRefusal> refused = Refusals(needed, cell); !refused.empty()) {
      error = DeclarationOf(needed).sheet_column + " " + Quoted(cell) + " is not accepted; " +
              refused.front().why;
      return std::nullopt;
    }
    record.second.value = std::string(cell);
  }
  // An acceptor with a concentration of its own uses concentration entry,
  // unless it has a coefficient of its own too.
  if (!row[DeclarationOf(Parameter::kConcentration).sheet_column].empty() &&
      row[DeclarationOf(Parameter::kExtinction).sheet_column].empty()) {
    record.values.Clear(Parameter::kExtinction);
  }
  return record;
}

}  // namespace

DyeSheet ParseDyeSheet(std::string_view content, std::string_view sheet, std::string_view folder,
                       const FretRequest& defaults) {
  DyeSheet result;
  const std::string name(sheet);
  if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) {
    result.problem = name + " is UTF-16 text; save it as CSV in UTF-8";
    return result;
  }
  content.remove_prefix(ByteOrderMarkSize(content));

  const std::vector<std::string> known = KnownColumns();
  std::optional<std::map<std::string, std::size_t>> columns;
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
      std::map<std::string, std::size_t> found;
      for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string column = AsciiLowered(names[i]);
        if (std::ranges::find(known, column) == known.end()) {
          result.notes.push_back(name + ":" + std::to_string(line_number) + ": column " +
                                 Quoted(names[i]) + " is not one the sheet knows; ignored");
          continue;
        }
        if (!found.emplace(column, i).second) {
          result.problem = name + ":" + std::to_string(line_number) + ": the header names " +
                           Quoted(column) + " twice";
          return result;
        }
      }
      for (const std::string_view required : {kFile, kSide}) {
        if (!found.contains(std::string(required))) {
          result.problem = name + ":" + std::to_string(line_number) + ": the header has no " +
                           Quoted(required) + " column";
          return result;
        }
      }
      columns = std::move(found);
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

DyeSheet ReadDyeSheet(const std::string& path, const FretRequest& defaults) {
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
