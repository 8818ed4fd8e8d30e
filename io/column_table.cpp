// The table scan: where the rows of numbers of a downloaded file begin and
// end, the header or label that names their columns, the preview, and the
// rows of one block for the readers.
#include "io/column_table.h"

#include <algorithm>
#include <array>
#include <utility>

#include "numeric/ascii_text.h"

namespace korin {
namespace {

constexpr std::array kDelimiters{ColumnDelimiter::kTab, ColumnDelimiter::kSemicolon,
                                 ColumnDelimiter::kComma, ColumnDelimiter::kSpaces};
// A preview line longer than this is cut: a dialog shows no more of it.
constexpr std::size_t kPreviewLineBytes = 4096;
// Messages list at most this many columns.
constexpr std::size_t kListedColumns = 12;

std::string NumberText(std::size_t n) {
  return std::to_string(n);
}

// A block of rows while the scan reads it.
struct OpenBlock {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t width = 0;
  int first_line = 0;        // its first row's line number
  std::string_view heading;  // the line right before its first row; empty for none
  int heading_line = 0;
  std::vector<bool> numbers;  // by cell: whether a row holds a number there
};

// Notes which of a row's cells hold a number.
void NoteNumbers(std::span<const std::string_view> cells, std::vector<bool>& numbers) {
  if (numbers.size() < cells.size()) numbers.resize(cells.size(), false);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (!numbers[k] && IsNumberCell(cells[k])) numbers[k] = true;
  }
}

// A heading line without its blanks and the "#" of a comment, as its
// cells are cut from it.
std::string_view HeadingText(std::string_view line) {
  std::string_view heading = TrimmedBlanks(line);
  while (!heading.empty() && (heading.front() == '#' || IsBlank(heading.front()))) {
    heading.remove_prefix(1);
  }
  return heading;
}

// Names the block's columns from its heading line, when that is a header
// of as many cells or a one-cell label, and adds them to the table.
void AddBlock(ColumnTable& table, const OpenBlock& open) {
  std::vector<std::string_view> cells;
  const std::string_view trimmed = TrimmedBlanks(open.heading);
  const bool comment = !trimmed.empty() && trimmed.front() == '#';
  const std::string_view heading = HeadingText(trimmed);
  const ColumnDelimiter delimiter = table.delimiter;
  SplitCells(heading, delimiter, cells);
  if (delimiter == ColumnDelimiter::kSpaces && cells.size() != open.width) {
    SplitAtWideGaps(heading, cells);
  }
  std::size_t width = open.width;
  const bool label = !comment && cells.size() == 1 && !cells[0].empty() && !IsNumberCell(cells[0]);
  const bool has_text =
      std::ranges::any_of(cells, [](std::string_view c) { return !c.empty() && !IsNumberCell(c); });
  bool header = cells.size() >= 2 && has_text;
  if (header && cells.size() != width) {
    // A space-separated header must match; a delimited one may name fewer
    // columns, or more when the rows leave trailing cells out.
    header = delimiter != ColumnDelimiter::kSpaces;
    if (header && cells.size() > width) width = cells.size();
  }
  if (table.columns.size() + width > kMaxColumns) return;

  TableBlock block;
  block.begin = open.begin;
  block.end = open.end;
  block.first_column = static_cast<int>(table.columns.size());
  block.width = static_cast<int>(width);
  const int block_index = static_cast<int>(table.blocks.size());
  if (table.blocks.empty()) {
    table.first_data_line = open.first_line;
    table.header_line = header || label ? open.heading_line : 0;
  }
  table.blocks.push_back(block);

  const std::string label_text = label ? UnquotedName(cells[0]) : std::string();
  int wavelength_column = block.first_column;
  for (std::size_t k = 0; k < width; ++k) {
    TableColumn column;
    column.block = block_index;
    if (header) {
      column.name = k < cells.size() ? UnquotedName(cells[k]) : std::string();
    } else if (label) {
      // "Excitation" above a (wavelength, value) block names both.
      column.name = k == 0       ? label_text + " wavelength"
                    : width == 2 ? label_text
                                 : label_text + " " + NumberText(k + 1);
    }
    const int index = static_cast<int>(table.columns.size());
    // Each block's first column holds wavelengths whatever its name.
    column.kind = k == 0 ? ColumnKind::kWavelength : KindOfColumnName(column.name);
    if (column.kind == ColumnKind::kWavelength) {
      wavelength_column = index;
      column.unit = UnitOfColumnName(column.name);
    }
    column.wavelength_column = wavelength_column;
    column.holds_numbers = k < open.numbers.size() && open.numbers[k];
    if (!column.name.empty()) table.named = true;
    table.columns.push_back(std::move(column));
  }
}

void FillPreview(ColumnTable& table, std::span<const std::string_view> lines) {
  std::vector<std::string_view> cells;
  for (std::string_view line : lines) {
    if (line.size() > kPreviewLineBytes) {
      std::size_t cut = kPreviewLineBytes;
      // Not inside a UTF-8 sequence.
      while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
      line = line.substr(0, cut);
    }
    std::vector<std::string>& row = table.preview.emplace_back();
    if (!table.found()) {
      row.emplace_back(line);
      continue;
    }
    SplitCells(line, table.delimiter, cells);
    for (const std::string_view cell : cells) row.push_back(UnquotedName(cell));
  }
}

// Where the first block begins: the delimiter of its rows and the line
// right before them (empty for none).
struct TableStart {
  bool found = false;
  ColumnDelimiter delimiter = ColumnDelimiter::kComma;
  std::string_view heading;
};

// How far a scan reads: the whole content with the preview, or, without
// the preview, up to the end of the first block, or only to where that
// block begins (its columns are then not yet known).
enum class ScanExtent { kWhole, kFirstBlock, kFirstStart };

// The scan of ScanColumnTable, read as far as `extent` says. kFirstStart
// fills `start`.
ColumnTable Scan(std::string_view content, ScanExtent extent, TableStart* start = nullptr) {
  ColumnTable table;
  std::size_t position = ByteOrderMarkSize(content);
  std::vector<std::string_view> preview;
  std::vector<std::string_view> cells;

  bool have_delimiter = false;  // set by the first block; later blocks keep it
  bool in_block = false;
  bool full = false;  // no further block fits under kMaxColumns
  OpenBlock block;
  // The nearest line before the current one that is not blank, and a row
  // that could begin a block, with the delimiters under which it could.
  std::string_view previous;
  int previous_line = 0;
  std::string_view candidate;
  std::size_t candidate_begin = 0;
  int candidate_line = 0;
  std::string_view candidate_heading;
  int candidate_heading_line = 0;
  unsigned candidate_delimiters = 0;

  std::string_view line;
  int number = 0;
  std::size_t begin = position;
  while (NextLine(content, position, line)) {
    ++number;
    if (extent == ScanExtent::kWhole && preview.size() < kPreviewLines) preview.push_back(line);
    if (full) {
      if (preview.size() >= kPreviewLines) break;
      begin = position;
      continue;
    }
    const std::size_t line_begin = std::exchange(begin, position);
    if (IsBlankOrComment(line)) {
      // A comment right before the rows may be their header ("# nm em").
      if (!in_block && IsCommentLine(line)) {
        previous = line;
        previous_line = number;
      }
      continue;
    }
    if (in_block) {
      SplitCells(line, table.delimiter, cells);
      if (IsBlankRow(cells)) continue;
      if (ContinuesTable(cells, table.delimiter)) {
        block.end = position;
        block.width = std::max(block.width, cells.size());
        NoteNumbers(cells, block.numbers);
        continue;
      }
      AddBlock(table, block);
      if (extent == ScanExtent::kFirstBlock && table.found()) return table;
      full = table.columns.size() >= kMaxColumns;
      in_block = false;
      previous = line;
      previous_line = number;
      continue;
    }
    // A row under a delimiter that the candidate row was read with begins a
    // block.
    for (const ColumnDelimiter d : kDelimiters) {
      if ((candidate_delimiters & (1u << static_cast<unsigned>(d))) == 0) continue;
      SplitCells(line, d, cells);
      if (IsBlankRow(cells) || !ContinuesTable(cells, d)) continue;
      if (extent == ScanExtent::kFirstStart) {
        *start = {true, d, candidate_heading};
        return table;
      }
      const std::size_t continuing_width = cells.size();
      std::vector<bool> numbers;
      NoteNumbers(cells, numbers);
      SplitCells(candidate, d, cells);
      NoteNumbers(cells, numbers);
      table.delimiter = d;
      have_delimiter = true;
      in_block = true;
      block = {candidate_begin,   position,          std::max(cells.size(), continuing_width),
               candidate_line,    candidate_heading, candidate_heading_line,
               std::move(numbers)};
      break;
    }
    candidate_delimiters = 0;
    if (in_block) continue;
    for (const ColumnDelimiter d : kDelimiters) {
      if (have_delimiter && d != table.delimiter) continue;
      SplitCells(line, d, cells);
      if (IsFirstRow(cells)) candidate_delimiters |= 1u << static_cast<unsigned>(d);
    }
    if (candidate_delimiters != 0) {
      candidate = line;
      candidate_begin = line_begin;
      candidate_line = number;
      candidate_heading = previous;
      candidate_heading_line = previous_line;
    }
    previous = line;
    previous_line = number;
  }
  if (in_block) AddBlock(table, block);
  if (extent == ScanExtent::kWhole) FillPreview(table, preview);
  return table;
}

}  // namespace

ColumnTable ScanColumnTable(std::string_view content) {
  return Scan(content, ScanExtent::kWhole);
}

ColumnTable ScanFirstBlock(std::string_view content) {
  return Scan(content, ScanExtent::kFirstBlock);
}

std::vector<std::string> FirstHeadingNames(std::string_view content, std::size_t from_column) {
  std::vector<std::string> names;
  TableStart start;
  (void)Scan(content, ScanExtent::kFirstStart, &start);
  if (!start.found) return names;
  // The first block is always added: its rows and heading are cut into at
  // most kMaxColumns cells. Its width decides only which of these cuts
  // names the columns, and whether a label's name is numbered.
  const std::string_view heading = HeadingText(start.heading);
  std::vector<std::string_view> cells;
  const auto add = [&] {
    // A header's cell k names column k; a lone cell is a label, naming
    // every column after the first.
    for (std::size_t k = cells.size() == 1 ? 0 : from_column; k < cells.size(); ++k) {
      std::string name = UnquotedName(cells[k]);
      if (!name.empty()) names.push_back(std::move(name));
    }
  };
  SplitCells(heading, start.delimiter, cells);
  add();
  if (start.delimiter == ColumnDelimiter::kSpaces) {
    SplitAtWideGaps(heading, cells);
    add();
  }
  return names;
}

std::string ColumnLabel(const ColumnTable& table, int column) {
  const std::string& name = table.columns[static_cast<std::size_t>(column)].name;
  return name.empty() ? "column " + NumberText(static_cast<std::size_t>(column) + 1) : name;
}

std::string ColumnDescription(const ColumnTable& table, int column) {
  const std::string& name = table.columns[static_cast<std::size_t>(column)].name;
  std::string text = "column " + NumberText(static_cast<std::size_t>(column) + 1);
  if (!name.empty()) text += " \"" + name + "\"";
  return text;
}

std::string ColumnList(const ColumnTable& table) {
  std::string list;
  const std::size_t shown = std::min(table.columns.size(), kListedColumns);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i != 0) list += ", ";
    list += ColumnDescription(table, static_cast<int>(i));
  }
  if (shown < table.columns.size()) {
    list += " and " + NumberText(table.columns.size() - shown) + " more";
  }
  return list;
}

ColumnLookup FindColumn(const ColumnTable& table, std::string_view text, int preferred) {
  ColumnLookup lookup;
  const std::string_view wanted = TrimmedBlanks(text);
  const std::size_t count = table.columns.size();
  if (!wanted.empty() && wanted.size() <= 9 &&
      std::ranges::all_of(wanted, [](char c) { return c >= '0' && c <= '9'; })) {
    std::size_t number = 0;
    for (const char c : wanted) number = number * 10 + static_cast<std::size_t>(c - '0');
    if (number >= 1 && number <= count) {
      lookup.column = static_cast<int>(number - 1);
    } else {
      lookup.error = "there is no column " + std::string(wanted) + ": the table has " +
                     NumberText(count) + (count == 1 ? " column" : " columns");
    }
    return lookup;
  }
  const std::string lowered = AsciiLowered(wanted);
  std::vector<int> matches;
  for (std::size_t i = 0; i < count; ++i) {
    if (!wanted.empty() && AsciiLowered(table.columns[i].name) == lowered) {
      matches.push_back(static_cast<int>(i));
    }
  }
  if (matches.size() == 1) {
    lookup.column = matches.front();
  } else if (std::ranges::find(matches, preferred) != matches.end()) {
    lookup.column = preferred;
  } else if (matches.empty()) {
    lookup.error = "no column is named \"" + std::string(wanted) + "\"; the columns are " +
                   (count == 0 ? std::string("none") : ColumnList(table));
  } else {
    lookup.error = "the name \"" + std::string(wanted) + "\" fits several columns:";
    for (std::size_t i = 0; i < matches.size(); ++i) {
      lookup.error += (i == 0 ? " " : ", ") + ColumnDescription(table, matches[i]);
    }
  }
  return lookup;
}

TableRows::TableRows(std::string_view content, const ColumnTable& table, int block)
    : content_(content), delimiter_(table.delimiter) {
  if (block >= 0 && static_cast<std::size_t>(block) < table.blocks.size()) {
    const TableBlock& b = table.blocks[static_cast<std::size_t>(block)];
    end_ = std::min(b.end, content.size());
    position_ = std::min(b.begin, end_);
  }
}

bool TableRows::Next(std::span<const std::string_view>& cells) {
  std::string_view line;
  while (NextLine(content_.substr(0, end_), position_, line)) {
    if (IsBlankOrComment(line)) continue;
    SplitCells(line, delimiter_, cells_);
    if (IsBlankRow(cells_)) continue;
    cells = cells_;
    return true;
  }
  return false;
}

}  // namespace korin
