// Finding the table in downloaded spectrum files: the delimiter, the
// header, metadata before the table, quoted names and paired wavelength
// columns.
#include "io/column_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace korin {
namespace {

std::vector<std::string> Names(const ColumnTable& table) {
  std::vector<std::string> names;
  for (const TableColumn& c : table.columns) names.push_back(c.name);
  return names;
}

std::vector<int> WavelengthColumns(const ColumnTable& table) {
  std::vector<int> columns;
  for (const TableColumn& c : table.columns) columns.push_back(c.wavelength_column);
  return columns;
}

struct ShapeCase {
  const char* what;
  std::string content;
  ColumnDelimiter delimiter;
  std::vector<std::string> names;
  std::vector<int> wavelength_columns;
  int header_line;
  int first_data_line;
};

TEST(ScanColumnTableTest, ShapesOfDownloadedFiles) {
  const ShapeCase cases[] = {
      {"comma with header",
       "Wavelength,Excitation,Emission\n300,0,1\n301,0.5,2\n",
       ColumnDelimiter::kComma,
       {"Wavelength", "Excitation", "Emission"},
       {0, 0, 0},
       1,
       2},
      {"tab",
       "wavelength\tabs\tem\t2p\n450\t1.5\t0\t3\n451\t1\t0\t2\n",
       ColumnDelimiter::kTab,
       {"wavelength", "abs", "em", "2p"},
       {0, 0, 0, 0},
       1,
       2},
      {"semicolon",
       "nm;value\r\n450;1\r\n451;2\r\n",
       ColumnDelimiter::kSemicolon,
       {"nm", "value"},
       {0, 0},
       1,
       2},
      {"runs of spaces, names with single blanks",
       "Wavelength (nm)  Intensity (a.u.)\n  450   1.5\n  451   2\n",
       ColumnDelimiter::kSpaces,
       {"Wavelength (nm)", "Intensity (a.u.)"},
       {0, 0},
       1,
       2},
      {"no header", "450,1\n451,2\n452,3\n", ColumnDelimiter::kComma, {"", ""}, {0, 0}, 0, 1},
      {"byte-order mark and quoted names",
       "\xEF\xBB\xBF\"Wavelength\",\"Alexa Fluor 488 EM\",\"Alexa Fluor 488 EX\"\n300,,0.37\n"
       "301,,0.35\n",
       ColumnDelimiter::kComma,
       {"Wavelength", "Alexa Fluor 488 EM", "Alexa Fluor 488 EX"},
       {0, 0, 0},
       1,
       2},
      {"paired wavelength columns",
       "wavelength,EGFP ex,wavelength,EGFP em\n300,0.1,300,\n301,0.2,301,0.5\n",
       ColumnDelimiter::kComma,
       {"wavelength", "EGFP ex", "wavelength", "EGFP em"},
       {0, 0, 2, 2},
       1,
       2},
      {"metadata before the table",
       "## Type: FP\nExtinction coefficient: 83400\nQuantum Yield: 0.61\nMaker,\"Invitrogen, "
       "Inc.\"\n\nwavelength,em\n450,1\n451,2\n",
       ColumnDelimiter::kComma,
       {"wavelength", "em"},
       {0, 0},
       6,
       7},
      {"a comment line as header",
       "# nm em\n450 1\n451 2\n",
       ColumnDelimiter::kSpaces,
       {"nm", "em"},
       {0, 0},
       1,
       2},
  };
  for (const ShapeCase& c : cases) {
    const ColumnTable table = ScanColumnTable(c.content);
    ASSERT_TRUE(table.found()) << c.what;
    EXPECT_EQ(table.delimiter, c.delimiter) << c.what;
    EXPECT_EQ(Names(table), c.names) << c.what;
    EXPECT_EQ(WavelengthColumns(table), c.wavelength_columns) << c.what;
    EXPECT_EQ(table.header_line, c.header_line) << c.what;
    EXPECT_EQ(table.first_data_line, c.first_data_line) << c.what;
    EXPECT_EQ(table.named, c.header_line != 0) << c.what;
  }
}

// Two labelled blocks, one under the other, become side-by-side columns
// whose rows are read block by block.
TEST(ScanColumnTableTest, StackedBlocksAndTheirRows) {
  const std::string content =
      "Type,Fluorophore\nMaker,\"X\"\nExcitation\n400,0.1\n401,0.2\nEmission\n500,3\n"
      "501,4\n502,5\n";
  const ColumnTable table = ScanColumnTable(content);
  ASSERT_EQ(table.blocks.size(), 2u);
  EXPECT_EQ(Names(table), (std::vector<std::string>{"Excitation wavelength", "Excitation",
                                                    "Emission wavelength", "Emission"}));
  EXPECT_EQ(WavelengthColumns(table), (std::vector<int>{0, 0, 2, 2}));
  EXPECT_EQ(KindOfColumnName(table.columns[3].name), ColumnKind::kEmission);
  std::vector<std::string> second;
  TableRows rows(content, table, 1);
  std::span<const std::string_view> cells;
  while (rows.Next(cells)) second.emplace_back(cells[1]);
  EXPECT_EQ(second, (std::vector<std::string>{"3", "4", "5"}));
}

// A column holds numbers when any row of its block has one there, the row
// that begins the block included; cells left empty or holding text do not
// count.
TEST(ScanColumnTableTest, WhichColumnsHoldNumbers) {
  const struct {
    const char* content;
    std::vector<bool> holds_numbers;
  } cases[] = {
      {"wl,em,\n500,1,\n501,2,\n", {true, true, false}},
      {"wl;em;\r\n500;1;\r\n501;2;\r\n", {true, true, false}},
      {"wl\tem\tex\n500\t1\n501\t2\n", {true, true, false}},
      {"500,,1\n501,NaN,2\n", {true, false, true}},
      {"500,1,\n501,,\n502,,\n", {true, true, false}},
      {"500,,\n501,1,\n", {true, true, false}},
      {"500,,\n501,,\n502,,3\n", {true, false, true}},
      {"500 1\n501 2 3\n", {true, true, true}},
      {"Excitation\n400,0.1\n401,0.2\nEmission\n500,\n501,\n", {true, true, true, false}},
  };
  for (const auto& c : cases) {
    const ColumnTable table = ScanColumnTable(c.content);
    std::vector<bool> holds;
    for (const TableColumn& column : table.columns) holds.push_back(column.holds_numbers);
    EXPECT_EQ(holds, c.holds_numbers) << c.content;
  }
}

TEST(ScanColumnTableTest, NoTable) {
  for (const char* content : {"", "\xEF\xBB\xBF", "just words\nmore words\n", "450,1\n",
                              "Extinction coefficient: 83400\n", "450\n451\n452\n"}) {
    EXPECT_FALSE(ScanColumnTable(content).found()) << content;
  }
}

TEST(ScanColumnTableTest, PreviewCutsLinesIntoCells) {
  std::string content = "\"Wave, nm\",\"a \"\"b\"\"\"\n";
  for (int w = 400; w < 430; ++w) content += std::to_string(w) + ",1\n";
  const ColumnTable table = ScanColumnTable(content);
  ASSERT_EQ(table.preview.size(), kPreviewLines);
  EXPECT_EQ(table.preview[0], (std::vector<std::string>{"Wave, nm", "a \"b\""}));
  EXPECT_EQ(table.preview[19], (std::vector<std::string>{"418", "1"}));
}

TEST(FindColumnTest, ByNumberOrName) {
  const ColumnTable table =
      ScanColumnTable("wavelength,EGFP ex,wavelength,EGFP em\n300,0.1,300,1\n301,0.2,301,2\n");
  const struct {
    const char* text;
    int preferred;
    int column;
    const char* error;
  } cases[] = {
      {"2", -1, 1, ""},
      {" egfp EM ", -1, 3, ""},
      {"wavelength", 2, 2, ""},
      {"0", -1, -1, "there is no column 0: the table has 4 columns"},
      {"5", -1, -1, "there is no column 5: the table has 4 columns"},
      {"wavelength", -1, -1,
       "the name \"wavelength\" fits several columns: column 1 \"wavelength\", column 3 "
       "\"wavelength\""},
      {"EGFP", -1, -1,
       "no column is named \"EGFP\"; the columns are column 1 \"wavelength\", column 2 \"EGFP "
       "ex\", column 3 \"wavelength\", column 4 \"EGFP em\""},
  };
  for (const auto& c : cases) {
    const ColumnLookup lookup = FindColumn(table, c.text, c.preferred);
    EXPECT_EQ(lookup.column, c.column) << c.text;
    EXPECT_EQ(lookup.error, c.error) << c.text;
  }
}

// A line of a million delimiters costs no more than kMaxColumns columns.
TEST(ScanColumnTableTest, WideLinesAreBounded) {
  const std::string wide = "1" + std::string(1'000'000, ',') + "\n";
  const ColumnTable table = ScanColumnTable(wide + wide + wide);
  EXPECT_LE(table.columns.size(), kMaxColumns);
}

TEST(FirstHeadingNamesTest, TheCellsOfTheHeadingBeforeTheFirstRows) {
  const struct {
    const char* what;
    std::string content;
    std::size_t from_column;
    std::vector<std::string> names;
  } cases[] = {
      {"a header",
       "Wavelength,Excitation,Emission\n300,0,1\n301,0.5,2\n",
       1,
       {"Excitation", "Emission"}},
      {"from a later column",
       "Wavelength,Excitation,Emission\n300,0,1\n301,0.5,2\n",
       2,
       {"Emission"}},
      {"metadata before it",
       "Type,Fluorophore\n\nnm;\"a \"\"b\"\"\"\n450;1\n451;2\n",
       1,
       {"a \"b\""}},
      {"a comment", "# nm em\n450 1\n451 2\n", 1, {"em", "nm em"}},
      {"a label names every column after the first",
       "Emission\n500,3,1\n530,4,1\n",
       2,
       {"Emission"}},
      {"both cuts of a space-separated heading",
       "Wavelength (nm)  Emission (a.u.)\n450 1.5\n451 2\n",
       1,
       {"(nm)", "Emission", "(a.u.)", "Emission (a.u.)"}},
      {"only the first block's", "nm,abs\n450,1\n451,2\nEmission\n500,3\n501,4\n", 1, {"abs"}},
      {"no heading", "450,1\n451,2\n", 1, {}},
      {"no table", "just words\n450,1\n", 1, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstHeadingNames(c.content, c.from_column), c.names) << c.what;
  }
}

// Files of every shape the scan meets, stacked at random: headers, labels,
// comments and metadata over rows under each delimiter, several blocks.
std::vector<std::string> MixedContents() {
  const std::vector<std::string> lines = {"Wavelength,Excitation,Emission",
                                          "nm\tcounts",
                                          "# nm em",
                                          "Emission",
                                          "Excitation 2",
                                          "\"Cy3 EM\",\"Cy3 EX\"",
                                          "wl;abs;em",
                                          "500,1,2",
                                          "501,,3",
                                          "502 1 2",
                                          "503\t1\t2",
                                          "504;1;2",
                                          "",
                                          "Wavelength (nm)  Emission (a.u.)  abs",
                                          "1,2,3,4,5",
                                          "em ex",
                                          "500 1",
                                          "510  2   3",
                                          "lambda \xCE\xB5",
                                          "\"a,b\",em",
                                          "NaN,1",
                                          "511,2,3,4",
                                          "A B  C",
                                          "x  n m",
                                          "ex\tem",
                                          "\xC2\xB5m  fl",
                                          "Point  Time(s)  Wavelength(nm)  Intensity"};
  std::mt19937 random(7);
  std::vector<std::string> contents;
  for (int trial = 0; trial < 20000; ++trial) {
    std::string& content = contents.emplace_back();
    for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n) {
      content += lines[random() % lines.size()] + "\n";
    }
  }
  return contents;
}

// Whatever the lines, every column the scan names in its first block is
// named as one of these names is (its kind), so that a check of these names
// stands for a check of the columns.
TEST(FirstHeadingNamesTest, CoverEveryNameOfTheFirstBlock) {
  for (const std::string& content : MixedContents()) {
    const ColumnTable table = ScanColumnTable(content);
    for (int from = 1; from <= 3; ++from) {
      const std::vector<std::string> names =
          FirstHeadingNames(content, static_cast<std::size_t>(from));
      if (!table.found()) {
        EXPECT_TRUE(names.empty()) << content;
        continue;
      }
      const TableBlock& block = table.blocks.front();
      for (int k = from; k < block.width; ++k) {
        const TableColumn& column = table.columns[static_cast<std::size_t>(k)];
        if (column.name.empty()) continue;
        EXPECT_TRUE(std::ranges::any_of(
            names, [&](const std::string& name) { return KindOfColumnName(name) == column.kind; }))
            << content << "column " << k + 1 << " \"" << column.name << "\"";
      }
    }
  }
}

// Stopped after its first block, the scan has found that block as the
// whole scan finds it.
TEST(ScanFirstBlockTest, TheFirstBlockAsTheWholeScanFindsIt) {
  int stacked = 0;
  for (const std::string& content : MixedContents()) {
    const ColumnTable whole = ScanColumnTable(content);
    const ColumnTable first = ScanFirstBlock(content);
    EXPECT_TRUE(first.preview.empty());
    ASSERT_EQ(first.found(), whole.found()) << content;
    if (!whole.found()) continue;
    stacked += whole.blocks.size() > 1 ? 1 : 0;
    ASSERT_EQ(first.blocks.size(), 1u) << content;
    const TableBlock& a = whole.blocks.front();
    const TableBlock& b = first.blocks.front();
    EXPECT_EQ(std::tie(a.begin, a.end, a.first_column, a.width),
              std::tie(b.begin, b.end, b.first_column, b.width))
        << content;
    EXPECT_EQ(first.delimiter, whole.delimiter) << content;
    EXPECT_EQ(first.header_line, whole.header_line) << content;
    EXPECT_EQ(first.first_data_line, whole.first_data_line) << content;
    ASSERT_EQ(first.columns.size(), static_cast<std::size_t>(a.width)) << content;
    bool named = false;
    for (std::size_t k = 0; k < first.columns.size(); ++k) {
      const TableColumn& x = whole.columns[k];
      const TableColumn& y = first.columns[k];
      EXPECT_EQ(std::tie(x.name, x.kind, x.wavelength_column, x.unit, x.holds_numbers),
                std::tie(y.name, y.kind, y.wavelength_column, y.unit, y.holds_numbers))
          << content << "column " << k + 1;
      named = named || !x.name.empty();
    }
    EXPECT_EQ(first.named, named) << content;
  }
  EXPECT_GT(stacked, 20);  // the contents hold stacked blocks to stop before
}

}  // namespace
}  // namespace korin
