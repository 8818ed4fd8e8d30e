// Delimited text as spectrum downloads and the dye sheet come: lines ended
// by LF, CR LF or CR, a UTF-8 byte-order mark, blank and "#" lines passed
// over, lines cut into cells at a delimiter with double quotes around a cell
// that holds one, and the row tests by which a table's delimiter is told
// from the first lines of numbers.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korin {

// Tried in this order: a line that reads as numbers under an earlier one is
// read with that one ("450\t1.5" is tab-separated, not space-separated).
enum class ColumnDelimiter { kTab, kSemicolon, kComma, kSpaces };

// Cells beyond this many on a line are not read, and blocks that would take
// the table past it are not added: no spectrum file is that wide, and a line
// of a million commas must not cost a million columns.
inline constexpr std::size_t kMaxColumns = 1024;

// The length of the UTF-8 byte-order mark `content` starts with; 0 for none.
[[nodiscard]] std::size_t ByteOrderMarkSize(std::string_view content);

// Which bytes end a line: LF, CR LF or a lone CR (old Macintosh exports), or
// LF alone, a CR right before it (or before the end) being dropped and a
// lone CR staying in the line.
enum class LineEnds { kAny, kLineFeed };

// The next line of `content` from `position`, which moves past its line end.
// False at the end.
[[nodiscard]] bool NextLine(std::string_view content, std::size_t& position, std::string_view& line,
                            LineEnds ends = LineEnds::kAny);

// Blank lines and "#" comments are passed over wherever they stand.
[[nodiscard]] bool IsBlankOrComment(std::string_view line);
[[nodiscard]] bool IsCommentLine(std::string_view line);

// The delimiter a header line sets for the lines under it: commas, or else
// semicolons or tabs when it has those and no comma outside quotes.
[[nodiscard]] ColumnDelimiter DelimiterOfHeader(std::string_view header);

// Cuts `line` into at most `max_cells` cells. With a character delimiter
// every delimiter ends a cell, so "300,,0.5" has an empty middle cell; with
// kSpaces, runs of blanks and tabs separate and no cell is empty. Cells are
// trimmed of blanks and tabs; a cell in double quotes keeps its delimiters
// and loses its quotes (a doubled quote inside stays doubled, see
// UnquotedName). A quote left open runs to the end of the line, and text
// after a closing quote is dropped. The views point into `line`.
void SplitCells(std::string_view line, ColumnDelimiter delimiter,
                std::vector<std::string_view>& cells, std::size_t max_cells = kMaxColumns);

// What is wrong with the quotes of a line.
enum class QuoteError { kNone, kLeftOpen, kTextAfterClose };

// "a quote is left open", "text follows a closing quote"; empty for kNone.
[[nodiscard]] std::string_view QuoteErrorText(QuoteError error);

// Cuts `line` as SplitCells does, without a limit, into fields that own
// their text: a quoted field has each doubled quote made single, an
// unquoted one stays as it is. The first cell with a quote left open or
// text after its closing quote stops the cut and is answered.
[[nodiscard]] QuoteError SplitFields(std::string_view line, ColumnDelimiter delimiter,
                                     std::vector<std::string>& fields);

// Header names of a space-separated table may hold single blanks
// ("Wavelength (nm)  Intensity (a.u.)"): cuts at tabs and at runs of two or
// more blanks instead, into at most kMaxColumns trimmed cells.
void SplitAtWideGaps(std::string_view line, std::vector<std::string_view>& cells);

// `text` with each doubled quote made single.
[[nodiscard]] std::string UnescapedQuotes(std::string_view text);

// A quoted cell's text with each doubled quote made single, without the
// blanks around it.
[[nodiscard]] std::string UnquotedName(std::string_view cell);

// A cell holding a number as the readers parse it.
[[nodiscard]] bool IsNumberCell(std::string_view cell);
// A row of empty cells only, passed over like a blank line.
[[nodiscard]] bool IsBlankRow(std::span<const std::string_view> cells);
// A row that can begin a table: numbers and empty cells only, a number
// first, at least two cells.
[[nodiscard]] bool IsFirstRow(std::span<const std::string_view> cells);
// A row that continues a table: two or more cells, one of them a number; a
// cell may hold text ("NaN"), which skips the row for that column only.
// Space-separated text would otherwise run on as rows ("Peak at 520 nm"),
// so under kSpaces the first cell must be the number.
[[nodiscard]] bool ContinuesTable(std::span<const std::string_view> cells,
                                  ColumnDelimiter delimiter);

}  // namespace korin
