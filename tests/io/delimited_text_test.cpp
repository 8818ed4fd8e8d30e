// Cutting delimited text: line ends, the byte-order mark, blank and comment
// lines, cells with quotes under each delimiter, the strict cut that
// reports bad quotes, and the delimiter a header sets.
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

TEST(NextLineTest, ByteOrderMarkAndBlankLines) {
  EXPECT_EQ(ByteOrderMarkSize("\xEF\xBB\xBFwl,em"), 3u);
  EXPECT_EQ(ByteOrderMarkSize("\xEF\xBBwl"), 0u);
  EXPECT_EQ(ByteOrderMarkSize("wl,em\xEF\xBB\xBF"), 0u);
  const struct {
    const char* line;
    bool blank_or_comment;
    bool comment;
  } cases[] = {
      {"", true, false},    {" \t ", true, false},   {"# nm em", true, true},
      {"  #x", true, true}, {"450,1", false, false}, {"a # b", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsBlankOrComment(c.line), c.blank_or_comment) << c.line;
    EXPECT_EQ(IsCommentLine(c.line), c.comment) << c.line;
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

TEST(SplitCellsTest, WideGapsAndQuotedNames) {
  std::vector<std::string_view> cells;
  SplitAtWideGaps("  Wavelength (nm)  Intensity (a.u.)\tNote a ", cells);
  EXPECT_EQ(Texts(cells.begin(), cells.end()),
            (Texts{"Wavelength (nm)", "Intensity (a.u.)", "Note a"}));
  EXPECT_EQ(UnquotedName("  a \"\"b\"\" "), "a \"b\"");
  EXPECT_EQ(UnescapedQuotes(" \"\"\"\" "), " \"\" ");
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
      {"\"bad.sp,acceptor,,", kComma, QuoteError::kLeftOpen, {}},
      {"ok,\"ends in a doubled quote\"\"", kComma, QuoteError::kLeftOpen, {}},
      {"\"bad\" x.sp,acceptor", kComma, QuoteError::kTextAfterClose, {}},
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
  EXPECT_EQ(QuoteErrorText(QuoteError::kLeftOpen), "a quote is left open");
  EXPECT_EQ(QuoteErrorText(QuoteError::kTextAfterClose), "text follows a closing quote");
  EXPECT_EQ(QuoteErrorText(QuoteError::kNone), "");
}

TEST(DelimiterOfHeaderTest, CommasUnlessOnlyInQuotes) {
  const struct {
    const char* header;
    ColumnDelimiter delimiter;
  } cases[] = {
      {"file,side", ColumnDelimiter::kComma},
      {"file;side", ColumnDelimiter::kSemicolon},
      {"file\tside", ColumnDelimiter::kTab},
      {"file;side\tname", ColumnDelimiter::kSemicolon},
      {"\"a,b\";side", ColumnDelimiter::kSemicolon},
      {"\"a;b\",side", ColumnDelimiter::kComma},
      {"file;side,name", ColumnDelimiter::kComma},
      {"file", ColumnDelimiter::kComma},
  };
  for (const auto& c : cases) EXPECT_EQ(DelimiterOfHeader(c.header), c.delimiter) << c.header;
}

// The row tests that tell where a table's rows begin and run on.
TEST(RowShapeTest, FirstAndContinuingRows) {
  const struct {
    const char* line;
    ColumnDelimiter delimiter;
    bool first;
    bool continues;
  } cases[] = {
      {"450,1.5", ColumnDelimiter::kComma, true, true},
      {"450,,", ColumnDelimiter::kComma, true, true},
      {"450,NaN", ColumnDelimiter::kComma, false, true},
      {"x,1", ColumnDelimiter::kComma, false, true},
      {"450", ColumnDelimiter::kComma, false, false},
      {",", ColumnDelimiter::kComma, false, false},
      {"Peak at 520 nm", ColumnDelimiter::kSpaces, false, false},
      {"520 nm", ColumnDelimiter::kSpaces, false, true},
  };
  std::vector<std::string_view> cells;
  for (const auto& c : cases) {
    SplitCells(c.line, c.delimiter, cells);
    EXPECT_EQ(IsFirstRow(cells), c.first) << c.line;
    EXPECT_EQ(ContinuesTable(cells, c.delimiter), c.continues) << c.line;
  }
  SplitCells(" , ,", ColumnDelimiter::kComma, cells);
  EXPECT_TRUE(IsBlankRow(cells));
  EXPECT_FALSE(IsNumberCell(""));
  EXPECT_FALSE(IsNumberCell("1e400"));
}

}  // namespace
}  // namespace korin
