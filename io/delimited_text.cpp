// Cutting delimited text into lines and cells, for the table scan of
// downloaded spectra and for the dye sheet.
#include "io/delimited_text.h"

#include <algorithm>

#include "numeric/ascii_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One cell as the cutters find it.
struct Cut {
  std::string_view text;  // inside the quotes when quoted; trimmed otherwise
  bool quoted = false;
  QuoteError error = QuoteError::kNone;
};

// The index of the quote closing the one at `open`, skipping doubled
// quotes; npos when the line ends first.
std::size_t ClosingQuote(std::string_view line, std::size_t open) {
  for (std::size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] != '"') continue;
    if (i + 1 < line.size() && line[i + 1] == '"') {
      ++i;
      continue;
    }
    return i;
  }
  return std::string_view::npos;
}

char SeparatorChar(ColumnDelimiter delimiter) {
  switch (delimiter) {
    case ColumnDelimiter::kTab:
      return '\t';
    case ColumnDelimiter::kSemicolon:
      return ';';
    case ColumnDelimiter::kComma:
    case ColumnDelimiter::kSpaces:
      break;
  }
  return ',';
}

// The cell starting at `at` of a line whose cells `separator` ends; `at`
// moves to the next cell, or to npos after the last. False once at npos.
bool CutAtSeparator(std::string_view line, char separator, std::size_t& at, Cut& cut) {
  if (at == std::string_view::npos) return false;
  std::size_t first = at;
  while (first < line.size() && IsBlank(line[first]) && line[first] != separator) ++first;
  std::size_t next = 0;
  cut = {};
  if (first < line.size() && line[first] == '"') {
    cut.quoted = true;
    const std::size_t close = ClosingQuote(line, first);
    if (close == std::string_view::npos) {
      cut.text = line.substr(first + 1);
      cut.error = QuoteError::kLeftOpen;
      at = std::string_view::npos;
      return true;
    }
    cut.text = line.substr(first + 1, close - first - 1);
    std::size_t after = close + 1;
    while (after < line.size() && IsBlank(line[after]) && line[after] != separator) ++after;
    if (after < line.size() && line[after] != separator) cut.error = QuoteError::kTextAfterClose;
    next = line.find(separator, after);
  } else {
    next = line.find(separator, at);
    const std::size_t stop = next == std::string_view::npos ? line.size() : next;
    cut.text = TrimmedBlanks(line.substr(at, stop - at));
  }
  at = next == std::string_view::npos ? next : next + 1;
  return true;
}

// The cell at or after `at` of a line whose cells runs of blanks separate;
// `at` moves past it. False when only blanks remain.
bool CutAtBlanks(std::string_view line, std::size_t& at, Cut& cut) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at >= line.size()) return false;
  cut = {};
  if (line[at] == '"') {
    cut.quoted = true;
    const std::size_t close = ClosingQuote(line, at);
    if (close == std::string_view::npos) {
      cut.text = line.substr(at + 1);
      cut.error = QuoteError::kLeftOpen;
      at = line.size();
      return true;
    }
    cut.text = line.substr(at + 1, close - at - 1);
    at = close + 1;
    if (at < line.size() && !IsBlank(line[at])) cut.error = QuoteError::kTextAfterClose;
  } else {
    const std::size_t start = at;
    while (at < line.size() && !IsBlank(line[at])) ++at;
    cut.text = line.substr(start, at - start);
  }
  // Anything glued to a closing quote belongs to no cell.
  while (at < line.size() && !IsBlank(line[at])) ++at;
  return true;
}

bool CutCell(std::string_view line, ColumnDelimiter delimiter, std::size_t& at, Cut& cut) {
  if (delimiter == ColumnDelimiter::kSpaces) return CutAtBlanks(line, at, cut);
  return CutAtSeparator(line, SeparatorChar(delimiter), at, cut);
}

}  // namespace

std::size_t ByteOrderMarkSize(std::string_view content) {
  return content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

bool NextLine(std::string_view content, std::size_t& position, std::string_view& line,
              LineEnds ends) {
  if (position >= content.size()) return false;
  const std::size_t end = content.find_first_of(ends == LineEnds::kAny ? "\r\n" : "\n", position);
  if (end == std::string_view::npos) {
    line = content.substr(position);
    position = content.size();
  } else {
    line = content.substr(position, end - position);
    position = end + 1;
    if (content[end] == '\r' && position < content.size() && content[position] == '\n') {
      ++position;
    }
  }
  if (ends == LineEnds::kLineFeed && line.ends_with('\r')) line.remove_suffix(1);
  return true;
}

bool IsBlankOrComment(std::string_view line) {
  const std::string_view text = TrimmedBlanks(line);
  return text.empty() || text.front() == '#';
}

bool IsCommentLine(std::string_view line) {
  const std::string_view text = TrimmedBlanks(line);
  return !text.empty() && text.front() == '#';
}

ColumnDelimiter DelimiterOfHeader(std::string_view header) {
  bool quoted = false;
  bool semicolon = false;
  bool tab = false;
  for (const char c : header) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ',') return ColumnDelimiter::kComma;
    semicolon = semicolon || c == ';';
    tab = tab || c == '\t';
  }
  if (semicolon) return ColumnDelimiter::kSemicolon;
  return tab ? ColumnDelimiter::kTab : ColumnDelimiter::kComma;
}

void SplitCells(std::string_view line, ColumnDelimiter delimiter,
                std::vector<std::string_view>& cells, std::size_t max_cells) {
  // Room for a usual row's cells at once, rather than growing cell by cell
  // in every new list.
  constexpr std::size_t kUsualCells = 16;
  cells.clear();
  if (cells.capacity() < kUsualCells) cells.reserve(kUsualCells);
  std::size_t at = 0;
  Cut cut;
  while (cells.size() < max_cells && CutCell(line, delimiter, at, cut)) cells.push_back(cut.text);
}

std::string_view QuoteErrorText(QuoteError error) {
  switch (error) {
    case QuoteError::kLeftOpen:
      return "a quote is left open";
    case QuoteError::kTextAfterClose:
      return "text follows a closing quote";
    case QuoteError::kNone:
      break;
  }
  return {};
}

QuoteError SplitFields(std::string_view line, ColumnDelimiter delimiter,
                       std::vector<std::string>& fields) {
  fields.clear();
  std::size_t at = 0;
  Cut cut;
  while (CutCell(line, delimiter, at, cut)) {
    if (cut.error != QuoteError::kNone) return cut.error;
    fields.push_back(cut.quoted ? UnescapedQuotes(cut.text) : std::string(cut.text));
  }
  return QuoteError::kNone;
}

void SplitAtWideGaps(std::string_view line, std::vector<std::string_view>& cells) {
  cells.clear();
  std::size_t i = 0;
  while (cells.size() < kMaxColumns) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return;
    const std::size_t start = i;
    while (i < line.size() && line[i] != '\t' &&
           !(line[i] == ' ' && i + 1 < line.size() && IsBlank(line[i + 1]))) {
      ++i;
    }
    cells.push_back(TrimmedBlanks(line.substr(start, i - start)));
  }
}

std::string UnescapedQuotes(std::string_view text) {
  std::string unescaped;
  unescaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unescaped += text[i];
    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') ++i;
  }
  return unescaped;
}

std::string UnquotedName(std::string_view cell) {
  return UnescapedQuotes(TrimmedBlanks(cell));
}

bool IsNumberCell(std::string_view cell) {
  double unused = 0.0;
  return !cell.empty() && ParseReal(cell, unused);
}

bool IsBlankRow(std::span<const std::string_view> cells) {
  return std::ranges::all_of(cells, [](std::string_view c) { return c.empty(); });
}

bool IsFirstRow(std::span<const std::string_view> cells) {
  if (cells.size() < 2 || !IsNumberCell(cells[0])) return false;
  return std::ranges::all_of(cells.subspan(1),
                             [](std::string_view c) { return c.empty() || IsNumberCell(c); });
}

bool ContinuesTable(std::span<const std::string_view> cells, ColumnDelimiter delimiter) {
  if (cells.size() < 2) return false;
  if (delimiter == ColumnDelimiter::kSpaces) return IsNumberCell(cells[0]);
  return std::ranges::any_of(cells, IsNumberCell);
}

}  // namespace korin
