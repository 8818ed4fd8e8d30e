// Cutting delimited text: line ends, cells with quotes under each
// delimiter, and the strict cut that reports bad quotes. The scan and dye
// sheet tests cover the rest through the files they read.
#include "io/delimited_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korin {
namespace {

std::vector<std::string> Lines(std::string_view content, LineEnds ends) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  std::string_view line;
  while (NextLine(content, position, line, ends)) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> Cells(std::string_view line, ColumnDelimiter delimiter,
                               std::size_t max_cells = kMaxColumns) {
  std::vector<std::string_view> cells;
  SplitCells(line, delimiter, cells, max_cells);
  return {cells.begin(), cells.end()};
}

using Texts = std::vector<std::string>;

TEST(NextLineTest, EachKindOfLineEnd) {
  const struct {
    const char* what;
    std::string content;
    Texts any;        // LF, CR LF and CR end lines
    Texts line_feed;  // LF only
  } cases[] = {
      {"LF", "a\nb\n", {"a", "b"}, {"a", "b"}},
      {"CR LF, no end after the last", "a\r\nb", {"a", "b"}, {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}, {"a\rb"}},
      {"blank lines count", "a\n\n\r\nb", {"a", "", "", "b"}, {"a", "", "", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}, {"a\r", "b"}},
      {"empty", "", {}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(c.content, LineEnds::kAny), c.any) << c.what;
    EXPECT_EQ(Lines(c.content, LineEnds::kLineFeed), c.line_feed) << c.what;
  }
}

TEST(SplitCellsTest, UnderEachDelimiter) {
  constexpr auto kComma = ColumnDelimiter::kComma;
  const struct {
    const char* line;
    ColumnDelimiter delimiter;
    Texts cells;
  } cases[] = {
      {"300,,0.5", kComma, {"300", "", "0.5"}},
      {" 300 , 0.5 ,", kComma, {"300", "0.5", ""}},
      {"", kComma, {""}},
      {"\"Wave, nm\",\"a \"\"b\"\"\"", kComma, {"Wave, nm", "a \"\"b\"\""}},
      {"  \"x\"  ,y", kComma, {"x", "y"}},
      {"\"x\"tail,y", kComma, {"x", "y"}},
      {"\"open, to the end", kComma, {"open, to the end"}},
      {"a\"b,c", kComma, {"a\"b", "c"}},
      {"450;1,5;2", ColumnDelimiter::kSemicolon, {"450", "1,5", "2"}},
      {"450\t 1 \t", ColumnDelimiter::kTab, {"450", "1", ""}},
      {"  450   1.5\t2  ", ColumnDelimiter::kSpaces, {"450", "1.5", "2"}},
      {"\"Peak A\" \"x\"glued 3", ColumnDelimiter::kSpaces, {"Peak A", "x", "3"}},
      {"\"open 1 2", ColumnDelimiter::kSpaces, {"open 1 2"}},
      {"   ", ColumnDelimiter::kSpaces, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Cells(c.line, c.delimiter), c.cells) << c.line;
  EXPECT_EQ(Cells("1,2,3,4", kComma, 2), (Texts{"1", "2"}));
  EXPECT_EQ(Cells("1 2 3 4", ColumnDelimiter::kSpaces, 3), (Texts{"1", "2", "3"}));
}

// The strict cut: fields own their text with quotes made single, and a bad
// quote is reported instead of read around.
TEST(SplitFieldsTest, QuotesAndTheirErrors) {
  constexpr auto kComma = ColumnDelimiter::kComma;
  const struct {
    const char* line;
    ColumnDelimiter delimiter;
    QuoteError error;
    Texts fields;  // when no error
  } cases[] = {
      {"\"a, b.csv\",donor,\"say \"\"hi\"\"\"",
       kComma,
       QuoteError::kNone,
       {"a, b.csv", "donor", "say \"hi\""}},
      {"  c.csv  , donor ,  \" x \"  ", kComma, QuoteError::kNone, {"c.csv", "donor", " x "}},
      {"a\"\"b,", kComma, QuoteError::kNone, {"a\"\"b", ""}},
      {"x;\"1;2\";", ColumnDelimiter::kSemicolon, QuoteError::kNone, {"x", "1;2", ""}},
      {"x\t\" y \"\t", ColumnDelimiter::kTab, QuoteError::kNone, {"x", " y ", ""}},
      {"ok,\"ends in a doubled quote\"\"", kComma, QuoteError::kLeftOpen, {}},
      {"\"a\"\tb", ColumnDelimiter::kSemicolon, QuoteError::kTextAfterClose, {}},
      {"1 \"2\"x", ColumnDelimiter::kSpaces, QuoteError::kTextAfterClose, {}},
      {"1 \"2", ColumnDelimiter::kSpaces, QuoteError::kLeftOpen, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> fields;
    EXPECT_EQ(SplitFields(c.line, c.delimiter, fields), c.error) << c.line;
    if (c.error == QuoteError::kNone) {
      EXPECT_EQ(fields, c.fields) << c.line;
    }
  }
}

}  // namespace
}  // namespace korin
