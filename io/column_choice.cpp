// The column a header names for a side, why a choice fails, and the
// warnings when values come from a column named as another kind.
#include "io/column_choice.h"

#include <algorithm>
#include <map>

namespace korin {
namespace {

std::string_view SideText(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? "emission" : "absorption";
}

std::string_view KindText(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kWavelength:
      return "wavelengths";
    case ColumnKind::kEmission:
      return "emission";
    case ColumnKind::kExcitation:
      return "excitation";
    case ColumnKind::kAbsorption:
      return "absorption";
    case ColumnKind::kOther:
      break;
  }
  return "";
}

// Whether values read for `side` from a column of `kind` are another kind of
// spectrum than the side needs. Excitation for absorption is not: it is the
// usual stand-in, warned about on its own.
bool IsWrongKind(ColumnKind kind, SpectrumSide side) {
  switch (kind) {
    case ColumnKind::kWavelength:
      return true;
    case ColumnKind::kEmission:
      return side == SpectrumSide::kAbsorption;
    case ColumnKind::kExcitation:
    case ColumnKind::kAbsorption:
      return side == SpectrumSide::kEmission;
    case ColumnKind::kOther:
      break;
  }
  return false;
}

// A column that can hold a spectrum: not a wavelength column, and with a
// number in at least one row.
bool IsValueColumn(const ColumnTable& table, std::size_t column) {
  const TableColumn& c = table.columns[column];
  return c.holds_numbers && c.wavelength_column != static_cast<int>(column);
}

// The value columns of `kind`.
std::vector<int> ColumnsOfKind(const ColumnTable& table, ColumnKind kind) {
  std::vector<int> found;
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    if (table.columns[i].kind == kind && IsValueColumn(table, i)) {
      found.push_back(static_cast<int>(i));
    }
  }
  return found;
}

// One candidate is chosen, several leave the choice open, none go on.
bool ChooseAmong(const ColumnTable& table, const std::vector<int>& candidates,
                 ColumnChoice& choice) {
  if (candidates.empty()) return false;
  if (candidates.size() == 1) {
    choice.status = ColumnChoice::Status::kChosen;
    choice.value_column = candidates.front();
    choice.wavelength_column =
        table.columns[static_cast<std::size_t>(choice.value_column)].wavelength_column;
  } else {
    choice.status = ColumnChoice::Status::kAmbiguous;
    choice.candidates = candidates;
  }
  return true;
}

}  // namespace

std::vector<int> ValueColumns(const ColumnTable& table) {
  std::vector<int> found;
  for (std::size_t i = 0; i < table.columns.size(); ++i) {
    if (IsValueColumn(table, i)) found.push_back(static_cast<int>(i));
  }
  return found;
}

ColumnChoice ChooseColumns(const ColumnTable& table, SpectrumSide side) {
  ColumnChoice choice;
  if (!table.found()) return choice;
  const std::vector<int> values = ValueColumns(table);
  // One sample in the file: its name decides only whether a warning is due.
  if (values.size() == 1) {
    ChooseAmong(table, values, choice);
    choice.excitation_stands_in =
        side == SpectrumSide::kAbsorption &&
        table.columns[static_cast<std::size_t>(values.front())].kind == ColumnKind::kExcitation;
    return choice;
  }
  if (!table.named) {
    if (table.columns.size() >= 2 && IsValueColumn(table, 1)) {
      ChooseAmong(table, {1}, choice);
    } else {
      ChooseAmong(table, values, choice);
    }
    return choice;
  }
  if (side == SpectrumSide::kEmission) {
    if (ChooseAmong(table, ColumnsOfKind(table, ColumnKind::kEmission), choice)) return choice;
  } else {
    if (ChooseAmong(table, ColumnsOfKind(table, ColumnKind::kAbsorption), choice)) return choice;
    if (ChooseAmong(table, ColumnsOfKind(table, ColumnKind::kExcitation), choice)) {
      choice.excitation_stands_in = choice.status == ColumnChoice::Status::kChosen;
      return choice;
    }
  }
  ChooseAmong(table, ColumnsOfKind(table, ColumnKind::kOther), choice);
  return choice;
}

std::string ColumnChoiceText(const ColumnTable& table, const ColumnChoice& choice,
                             SpectrumSide side) {
  const std::string side_text(SideText(side));
  switch (choice.status) {
    case ColumnChoice::Status::kChosen:
      return {};
    case ColumnChoice::Status::kAmbiguous: {
      std::string text = "several columns could hold the " + side_text + ":";
      for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
        text += (i == 0 ? " " : ", ") + ColumnDescription(table, choice.candidates[i]);
      }
      return text;
    }
    case ColumnChoice::Status::kNone:
      break;
  }
  if (!table.found()) return "no table of numbers found";
  return "no column is named as " + side_text + "; the columns are " + ColumnList(table);
}

std::string ColumnKindWarning(const ColumnTable& table, int column, SpectrumSide side) {
  if (column < 0 || static_cast<std::size_t>(column) >= table.columns.size()) return {};
  const TableColumn& c = table.columns[static_cast<std::size_t>(column)];
  if (c.name.empty()) return {};
  const std::string read_as = "the values read as " + std::string(SideText(side)) + " come from " +
                              ColumnDescription(table, column);
  if (IsWrongKind(c.kind, side)) {
    return read_as + ", which the header names as " + std::string(KindText(c.kind));
  }
  if (side == SpectrumSide::kAbsorption && c.kind == ColumnKind::kExcitation) {
    return read_as + ": an excitation spectrum stands in for the absorption";
  }
  return {};
}

namespace {

// Whether the reader's field `value_field` may come from a column of the
// table's first block named as another kind than `side`: field n lies in
// cell n or later, empty cells holding no field.
bool MayReadWrongKind(const ColumnTable& table, SpectrumSide side, int value_field) {
  if (!table.found() || !table.named || table.delimiter == ColumnDelimiter::kSemicolon) {
    return false;
  }
  const TableBlock& block = table.blocks.front();
  for (int k = value_field - 1; k < block.width; ++k) {
    const TableColumn& c = table.columns[static_cast<std::size_t>(block.first_column + k)];
    if (!c.name.empty() && IsWrongKind(c.kind, side)) return true;
  }
  return false;
}

// The file's start, cut after a whole line: the header and the first rows,
// enough to tell an ordinary file from a suspect one.
constexpr std::size_t kHeadBytes = 64 * 1024;

}  // namespace

std::string WrongColumnWarning(std::string_view content, SpectrumSide side, int value_field) {
  if (value_field < 1) return {};
  // Nearly every header names no column the field may come from as another
  // kind of spectrum, and its heading alone shows that. Field 1 would come
  // from the first column, which holds wavelengths whatever its name: such
  // a reader needs the scan.
  if (value_field > 1) {
    const std::vector<std::string> names =
        FirstHeadingNames(content, static_cast<std::size_t>(value_field - 1));
    if (std::ranges::none_of(names, [side](const std::string& name) {
          return IsWrongKind(KindOfColumnName(name), side);
        })) {
      return {};
    }
  }
  // An ordinary file is cleared by its start alone; the whole file is
  // scanned only to count a suspect column's rows, or when the start holds
  // no table. Only the first block's columns and rows count, so no scan
  // reads past it.
  if (content.size() > kHeadBytes) {
    const std::string_view head = content.substr(0, content.rfind('\n', kHeadBytes) + 1);
    const ColumnTable start = ScanFirstBlock(head);
    if (start.found() && !MayReadWrongKind(start, side, value_field)) return {};
  }
  const ColumnTable table = ScanFirstBlock(content);
  if (!MayReadWrongKind(table, side, value_field)) return {};
  const TableBlock& block = table.blocks.front();
  // How many rows each column gives the reader's field, in column order.
  std::map<int, long> rows_of_column;
  long rows = 0;
  TableRows reader_rows(content, table, 0);
  std::span<const std::string_view> cells;
  while (reader_rows.Next(cells)) {
    ++rows;
    // Runs of separators count as one, so empty cells hold no field.
    int field = 0;
    for (std::size_t k = 0; k < cells.size() && k < static_cast<std::size_t>(block.width); ++k) {
      if (cells[k].empty()) continue;
      if (++field == value_field) {
        ++rows_of_column[block.first_column + static_cast<int>(k)];
        break;
      }
    }
  }
  std::string text;
  for (const auto& [column, count] : rows_of_column) {
    const TableColumn& c = table.columns[static_cast<std::size_t>(column)];
    if (c.name.empty() || !IsWrongKind(c.kind, side)) continue;
    text += text.empty() ? "the values read as " + std::string(SideText(side)) + " come from "
                         : std::string(" and from ");
    text += ColumnDescription(table, column) + ", which the header names as " +
            std::string(KindText(c.kind));
    if (count != rows) {
      text += " (" + std::to_string(count) + " of " + std::to_string(rows) + " rows)";
    }
  }
  return text;
}

bool NamesSeveralSpectra(const ColumnTable& table) {
  const auto spectra = std::ranges::count_if(ValueColumns(table), [&table](int column) {
    const ColumnKind kind = table.columns[static_cast<std::size_t>(column)].kind;
    return kind == ColumnKind::kEmission || kind == ColumnKind::kExcitation ||
           kind == ColumnKind::kAbsorption;
  });
  return spectra > 1;
}

}  // namespace korin
