#include "batch/dye_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <string>
#include <vector>

#include "batch/dye_preparation.h"
#include "support/temp_files.h"

namespace korin {
namespace {

DyeSheet Parse(std::string_view content, const FretRequest& defaults = {}) {
  return ParseDyeSheet(content, "dyes.csv", "/lab", defaults);
}

// The fields that matter of a record, as one line: its filter entry (0 for
// the column import), and the values the panel takes for its side, with
// the optical path as the list's entry.
std::string Describe(const DyeRecord& d) {
  const FretRequest& v = d.values;
  const int filter = ReadsColumns(v, d.side) ? 0 : FilterEntryOf(v, d.side);
  std::string text = (d.side == SpectrumSide::kEmission ? "donor " : "acceptor ") + d.path + " '" +
                     d.name + "' f" + std::to_string(filter) + " line " + std::to_string(d.line);
  if (d.side == SpectrumSide::kEmission) return text + " Q " + v.Text(Parameter::kQuantumYield);
  if (v.Given(Parameter::kExtinction)) return text + " E " + v.Text(Parameter::kExtinction);
  return text + " C " + v.Text(Parameter::kConcentration) + " path " +
         std::to_string(OpticalPathOf(v));
}

std::vector<std::string> Described(const DyeSheet& sheet) {
  std::vector<std::string> lines;
  for (const DyeRecord& d : sheet.dyes) lines.push_back(Describe(d));
  return lines;
}

TEST(DyeSheetTest, WellFormedSheets) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* name;
    std::string content;
    Lines expected;
  } cases[] = {
      {"every column",
       "file,side,filter,quantum_yield,extinction,concentration,optical_path,name\n"
       "cy3.csv,donor,6,0.15,,,,Cy3\n"
       "cy5.sp,acceptor,,,250000,,,Cy5\n"
       "atto.abs,acceptor,2,,,2.5E-6,0.5,\n",
       Lines{"donor /lab/cy3.csv 'Cy3' f6 line 2 Q 0.15",
             "acceptor /lab/cy5.sp 'Cy5' f1 line 3 E 250000",
             "acceptor /lab/atto.abs 'atto.abs' f2 line 4 C 2.5E-6 path 2"}},
      // Only what the sheet needs, in another order and case; the rest
      // takes the defaults.
      {"two columns", "Side,FILE\ndonor,d.csv\nacceptor,sub/a.sp\n",
       Lines{"donor /lab/d.csv 'd.csv' f1 line 2 Q 0.5",
             "acceptor /lab/sub/a.sp 'a.sp' f1 line 3 C 1E-5 path 3"}},
      // A byte-order mark, Windows line ends, comments and blank lines
      // before and between rows, no line end at the end.
      {"BOM, CRLF and comments",
       "\xEF\xBB\xBF# made by hand\r\n\r\n  # indented comment\r\nfile,side,quantum_yield\r\n"
       "d.csv,donor,0.8\r\n# skipped\r\n\r\nd2.csv,DONOR,\r\nlast.csv,donor,0.3",
       Lines{"donor /lab/d.csv 'd.csv' f1 line 5 Q 0.8",
             "donor /lab/d2.csv 'd2.csv' f1 line 8 Q 0.5",
             "donor /lab/last.csv 'last.csv' f1 line 9 Q 0.3"}},
      // Quoted fields keep separators, quotes and blanks; unquoted ones are
      // trimmed.
      {"quoted fields",
       "file,side,name\n\"a, b.csv\",donor,\"say \"\"hi\"\"\"\n  c.csv  , donor ,  \" x \"  \n",
       Lines{"donor /lab/a, b.csv 'say \"hi\"' f1 line 2 Q 0.5",
             "donor /lab/c.csv ' x ' f1 line 3 Q 0.5"}},
      {"semicolons", "file;side;quantum_yield\nd.csv;donor;0.7\n",
       Lines{"donor /lab/d.csv 'd.csv' f1 line 2 Q 0.7"}},
      {"tabs", "file\tside\textinction\na.sp\tacceptor\t8e4\n",
       Lines{"acceptor /lab/a.sp 'a.sp' f1 line 2 E 8e4"}},
      {"absolute path", "file,side\n/data/a.sp,acceptor\n",
       Lines{"acceptor /data/a.sp 'a.sp' f1 line 2 C 1E-5 path 3"}},
      {"header only", "file,side\n", Lines{}},
  };
  for (const auto& c : cases) {
    const DyeSheet sheet = Parse(c.content);
    EXPECT_TRUE(sheet.readable) << c.name << ": " << sheet.problem;
    EXPECT_TRUE(sheet.skipped.empty()) << c.name << ": " << sheet.skipped.front().reason;
    EXPECT_EQ(Described(sheet), c.expected) << c.name;
  }
}

// An acceptor's own extinction wins, then its own concentration, then the
// default, which may be extinction entry.
TEST(DyeSheetTest, EntryModeOfEachAcceptor) {
  FretRequest defaults;
  defaults.Set(Parameter::kExtinction, "1E5");
  defaults.Set(Parameter::kConcentration, "2E-6");
  defaults.Set(Parameter::kOpticalPath, "5");  // the list's entry 4
  defaults.Set(Parameter::kQuantumYield, "0.42");
  defaults.Set(Parameter::kEmissionFilter, "3");
  defaults.Set(Parameter::kAbsorptionFilter, "5");
  const DyeSheet sheet = Parse(
      "file,side,extinction,concentration,optical_path\n"
      "a.sp,acceptor,,,\n"
      "b.sp,acceptor,,3E-6,\n"
      "c.sp,acceptor,9E4,3E-6,10\n"
      "d.csv,donor,,,\n",
      defaults);
  EXPECT_EQ(Described(sheet), (std::vector<std::string>{
                                  "acceptor /lab/a.sp 'a.sp' f5 line 2 E 1E5",
                                  "acceptor /lab/b.sp 'b.sp' f5 line 3 C 3E-6 path 4",
                                  "acceptor /lab/c.sp 'c.sp' f5 line 4 E 9E4",
                                  "donor /lab/d.csv 'd.csv' f3 line 5 Q 0.42",
                              }));
}

TEST(DyeSheetTest, MalformedRowsAreSkippedWithTheirLine) {
  const DyeSheet sheet = Parse(
      "# line 1\n"
      "file,side,filter,quantum_yield,extinction,concentration,optical_path\n"
      "good1.csv,donor,,0.5,,,\n"        // 3
      "bad.csv,dnor,,,,,\n"              // 4
      ",donor,,,,,\n"                    // 5
      "bad.csv,donor,7,,,,\n"            // 6
      "bad.csv,donor,1.5,,,,\n"          // 7
      "bad.csv,donor,,1.2,,,\n"          // 8
      "bad.csv,donor,,0,5,,,\n"          // 9: a decimal comma splits the field
      "bad.sp,acceptor,,,1E10,,\n"       // 10
      "bad.sp,acceptor,,,,11,\n"         // 11
      "bad.sp,acceptor,,,,,2\n"          // 12
      "\"bad.sp,acceptor,,,,,\n"         // 13
      "\"bad\" x.sp,acceptor,,,,,\n"     // 14
      "good2.sp,acceptor,,,,1E-6,0.2\n"  // 15
      "bad.sp,acceptor,,,,,,\n");        // 16
  ASSERT_TRUE(sheet.readable) << sheet.problem;
  EXPECT_EQ(Described(sheet), (std::vector<std::string>{
                                  "donor /lab/good1.csv 'good1.csv' f1 line 3 Q 0.5",
                                  "acceptor /lab/good2.sp 'good2.sp' f1 line 15 C 1E-6 path 1"}));
  const std::vector<std::pair<int, std::string>> expected{
      {4, "side 'dnor' is neither donor nor acceptor"},
      {5, "the row names no file"},
      {6, "filter '7' is not accepted; expected a whole number from 1 to 6"},
      {7, "filter '1.5' is not accepted; expected a whole number from 1 to 6"},
      {8, "quantum_yield '1.2' is not accepted; expected a number with 1E-6 <= Q <= 1"},
      {9, "the row has 8 fields; the header has 7"},
      {10,
       "extinction '1E10' is not accepted; expected a number with 0.001 < E < 1E10 (M^-1 "
       "cm^-1)"},
      {11, "concentration '11' is not accepted; expected a number with 1E-12 <= C <= 10 (mol/L)"},
      {12, "optical_path '2' is not accepted; expected one of 0.1, 0.2, 0.5, 1, 5, 10 (cm)"},
      {13, "a quote is left open"},
      {14, "text follows a closing quote"},
      {16, "the row has 8 fields; the header has 7"},
  };
  ASSERT_EQ(sheet.skipped.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(sheet.skipped[i].line, expected[i].first);
    EXPECT_EQ(sheet.skipped[i].reason, expected[i].second + "; row skipped");
    EXPECT_EQ(sheet.skipped[i].file, "dyes.csv");
  }
}

TEST(DyeSheetTest, UnreadableSheets) {
  const struct {
    std::string content;
    const char* problem;
  } cases[] = {
      {"", "dyes.csv has no header line naming its columns"},
      {"# only comments\n\n", "dyes.csv has no header line naming its columns"},
      {"\xFF\xFE"
       "f\0i\0l\0e\0",
       "dyes.csv is UTF-16 text; save it as CSV in UTF-8"},
      {"file,name\na.csv,A\n", "dyes.csv:1: the header has no 'side' column"},
      {"\n# x\nside,quantum_yield\n", "dyes.csv:3: the header has no 'file' column"},
      {"file,side,File\n", "dyes.csv:1: the header names 'file' twice"},
      {"file,\"side\n", "dyes.csv:1: the header: a quote is left open"},
  };
  for (const auto& c : cases) {
    const DyeSheet sheet = Parse(c.content);
    EXPECT_FALSE(sheet.readable) << c.problem;
    EXPECT_EQ(sheet.problem, c.problem);
    EXPECT_TRUE(sheet.dyes.empty());
  }
  const DyeSheet missing = ReadDyeSheet("/nonexistent/dyes.csv", {});
  EXPECT_FALSE(missing.readable);
  EXPECT_EQ(missing.problem, "cannot read the sheet /nonexistent/dyes.csv");
}

// The header sets the separator for every row; quotes keep separators and
// blanks; rows end at LF only, so a lone CR stays inside a line.
TEST(DyeSheetTest, SeparatorsQuotesAndLineEndsAsTheHeaderSets) {
  const struct {
    const char* what;
    std::string content;
    std::vector<std::string> dyes;
    std::string problem;  // empty when readable
  } cases[] = {
      {"a comma only inside quotes leaves the semicolons",
       "\"file\";\"side\"\n\"x,y.csv\" ; donor\n",
       {"donor /lab/x,y.csv 'x,y.csv' f1 line 2 Q 0.5"},
       ""},
      {"a comma outside quotes decides",
       "file,side;name\nd.csv,donor;x\n",
       {},
       "dyes.csv:1: the header has no 'side' column"},
      {"tabs, a quoted tab kept",
       "file\tside\n\"a\tb.csv\"\tacceptor\n",
       {"acceptor /lab/a\tb.csv 'a\tb.csv' f1 line 2 C 1E-5 path 3"},
       ""},
      {"text after a quoted header name",
       "\"file\"x,side\n",
       {},
       "dyes.csv:1: the header: text follows a closing quote"},
      {"a lone CR does not end a row",
       "file,side\rd.csv,donor\r",
       {},
       "dyes.csv:1: the header has no 'side' column"},
      {"a CR before each LF is dropped, one only",
       "file,side,name\r\nd.csv,donor,x\r\r\n",
       {"donor /lab/d.csv 'x\r' f1 line 2 Q 0.5"},
       ""},
  };
  for (const auto& c : cases) {
    const DyeSheet sheet = Parse(c.content);
    EXPECT_EQ(sheet.readable, c.problem.empty()) << c.what;
    EXPECT_EQ(sheet.problem, c.problem) << c.what;
    EXPECT_EQ(Described(sheet), c.dyes) << c.what;
  }
}

TEST(DyeSheetTest, UnknownColumnsAreNotedAndIgnored) {
  const DyeSheet sheet =
      Parse("file,notes,side,quantum_yeild\nd.csv,\"bright, stable\",donor,0.9\n");
  ASSERT_TRUE(sheet.readable);
  EXPECT_EQ(sheet.notes, (std::vector<std::string>{
                             "dyes.csv:1: column 'notes' is not one the sheet knows; ignored",
                             "dyes.csv:1: column 'quantum_yeild' is not one the sheet knows; "
                             "ignored"}));
  // The misspelt column is not read: the default stands.
  EXPECT_EQ(Described(sheet), std::vector<std::string>{"donor /lab/d.csv 'd.csv' f1 line 2 Q 0.5"});
}

// Files lie in the sheet's folder; each is opened through the open path by
// the reader its filter entry or extension chooses.
TEST(DyeSheetTest, SampleFilesOfASheetOnDisk) {
  const testing::TempDir dir;
  const std::string samples = KORIN_SAMPLES_DIR;
  const std::string sheet_path =
      dir.Write("dyes.csv",
                "file,side,filter,name\n"
                "donor.csv,donor,,D\n"
                "donor.dat,donor,3,D as ISS\n"
                "acceptor.sp,acceptor,,A\n"
                "nothing.sp,acceptor,,\n"
                "donor.csv,acceptor,,\n" +
                    ("\"" + samples + "/acceptor_absorption.abt\",acceptor,,abt\n"));
  std::filesystem::copy_file(samples + "/donor_emission.csv", dir.path() / "donor.csv");
  // Read by the ISS entry, which takes two columns as the CSV entry does.
  std::filesystem::copy_file(samples + "/donor_emission.csv", dir.path() / "donor.dat");
  std::filesystem::copy_file(samples + "/acceptor_absorption.sp", dir.path() / "acceptor.sp");
  const DyeSheet sheet = ReadDyeSheet(sheet_path, {});
  ASSERT_TRUE(sheet.readable) << sheet.problem;
  ASSERT_EQ(sheet.dyes.size(), 6u);
  EXPECT_EQ(sheet.dyes[0].path, (dir.path() / "donor.csv").string());
  EXPECT_EQ(sheet.dyes[5].path, samples + "/acceptor_absorption.abt");

  const std::vector<DyePreparation> prepared = PrepareDyes(sheet.dyes, {}, 2);
  ASSERT_EQ(prepared.size(), 6u);
  for (const std::size_t i : {0, 1, 2, 5}) {
    EXPECT_TRUE(prepared[i].dye) << i << ": " << prepared[i].error.reason;
  }
  // The same emission through two readers.
  EXPECT_TRUE(std::ranges::equal(prepared[0].dye->grid.values(), prepared[1].dye->grid.values()));
  // A missing file: the reader's message and the open path's reason.
  ASSERT_FALSE(prepared[3].dye);
  EXPECT_EQ(prepared[3].error.messages,
            std::vector<std::string>{"File Error: " + (dir.path() / "nothing.sp").string()});
  EXPECT_EQ(prepared[3].error.line, 5);
  EXPECT_EQ(prepared[3].error.name, "nothing.sp");
  // No absorption reader takes .csv.
  ASSERT_FALSE(prepared[4].dye);
  EXPECT_TRUE(prepared[4].error.reason.starts_with("the extension of donor.csv is none of .abs"))
      << prepared[4].error.reason;
  EXPECT_TRUE(prepared[4].error.messages.empty());
}

}  // namespace
}  // namespace korin

namespace korin {
namespace {

// Downloads with several columns: a row names its value column and unit,
// and is read through the column import.
TEST(DyeSheetColumnsTest, ColumnAndUnitsRowsReadTheColumns) {
  const DyeSheet sheet = Parse(
      "file,side,column,units,filter\n"
      "a.csv,donor,3,um,\n"       // 2
      "b.csv,acceptor,auto,,\n"   // 3
      "c.csv,donor,,cm-1,\n"      // 4: the header's column, in wavenumbers
      "d.csv,donor,Cy3 EM,,\n"    // 5
      "e.csv,donor,2,furlong,\n"  // 6
      "f.csv,donor,2,,1\n"        // 7
      "g.csv,donor,,,2\n");       // 8: an instrument reader
  ASSERT_TRUE(sheet.readable) << sheet.problem;
  ASSERT_EQ(sheet.dyes.size(), 5u);
  const struct {
    const char* value_column;  // nullptr: not the column import; "auto": the header's
    const char* units;
    int filter;
  } expected[] = {
      {"3", "um", 0}, {"auto", "", 0}, {"auto", "cm-1", 0}, {"Cy3 EM", "", 0}, {nullptr, "", 2}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const DyeRecord& d = sheet.dyes[i];
    const FretRequest& v = d.values;
    EXPECT_EQ(v.Given(ColumnsParameter(d.side)), expected[i].value_column != nullptr) << i;
    if (expected[i].value_column) {
      EXPECT_EQ(v.Text(ColumnsParameter(d.side)), expected[i].value_column) << i;
    }
    EXPECT_EQ(v.Text(UnitsParameter(d.side)), expected[i].units) << i;
    EXPECT_EQ(ReadsColumns(v, d.side) ? 0 : FilterEntryOf(v, d.side), expected[i].filter) << i;
  }
  ASSERT_EQ(sheet.skipped.size(), 2u);
  EXPECT_EQ(sheet.skipped[0].line, 6);
  EXPECT_EQ(sheet.skipped[0].reason,
            "units 'furlong' is not accepted; expected nm, um or cm-1; row skipped");
  EXPECT_EQ(sheet.skipped[1].line, 7);
}

TEST(DyeSheetColumnsTest, AThreeColumnDownloadEqualsItsTwoColumnCopy) {
  const testing::TempDir dir;
  std::string three = "Wavelength,Excitation,Emission\n";
  std::string two = "Wavelength,Intensity\n";
  for (int nm = 480; nm <= 620; ++nm) {
    const std::string em = std::to_string((nm - 470) * (630 - nm));
    three += std::to_string(nm) + "," + std::to_string(nm % 7) + "," + em + "\n";
    two += std::to_string(nm) + "," + em + "\n";
  }
  dir.Write("three.csv", three);
  dir.Write("two.csv", two);
  const DyeSheet sheet = ReadDyeSheet(dir.Write("dyes.csv",
                                                "file,side,column\n"
                                                "two.csv,donor,\n"
                                                "three.csv,donor,auto\n"
                                                "three.csv,donor,Excitation\n"),
                                      {});
  ASSERT_EQ(sheet.dyes.size(), 3u);
  const std::vector<DyePreparation> prepared = PrepareDyes(sheet.dyes, {}, 1);
  for (const DyePreparation& p : prepared) ASSERT_TRUE(p.dye) << p.error.reason;
  EXPECT_TRUE(std::ranges::equal(prepared[0].dye->grid.values(), prepared[1].dye->grid.values()));
  EXPECT_TRUE(prepared[1].dye->messages.empty());
  // The excitation read as emission on request, with the warning kept.
  EXPECT_FALSE(std::ranges::equal(prepared[0].dye->grid.values(), prepared[2].dye->grid.values()));
  ASSERT_EQ(prepared[2].dye->messages.size(), 1u);
  EXPECT_TRUE(prepared[2].dye->messages[0].starts_with("Warning: three.csv: "))
      << prepared[2].dye->messages[0];
}

}  // namespace
}  // namespace korin
