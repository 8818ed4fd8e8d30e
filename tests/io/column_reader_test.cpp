// The column import: one column pair resampled onto the grid, the column a
// header chooses for a side, the warning when an instrument reader reads a
// column named as another kind, and the open steps through the import.
#include "io/column_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "io/column_choice.h"
#include "io/spectrum_loader.h"
#include "support/recording_view.h"

namespace korin {
namespace {

using testing::RecordingView;

// Rows "w<delimiter>v" with w = start + step * i and v = i * i.
std::string Squares(std::string header, double start, double step, int count,
                    const std::string& delimiter = ",", bool descending = false) {
  std::string rows;
  for (int k = 0; k < count; ++k) {
    const int i = descending ? count - 1 - k : k;
    char line[64];
    std::snprintf(line, sizeof line, "%.10g%s%d\n", start + step * i, delimiter.c_str(), i * i);
    rows += line;
  }
  return header.empty() ? rows : header + "\n" + rows;
}

ColumnImport Import(const std::string& content, SpectrumSide side = SpectrumSide::kEmission,
                    const ColumnRequest& request = {}) {
  return ImportColumns({"/d/x.csv", content, true}, side, request, nullptr);
}

struct GridCase {
  const char* what;
  std::string content;
  ColumnRequest request;
  int first;
  int last;
  std::vector<std::pair<int, double>> values;  // worked out by hand
};

// v = i * i at w = start + step * i: a grid point between rows i and i + 1
// gets their values weighted by its distances.
TEST(ReadColumnPairTest, ResamplesOntoTheGrid) {
  const GridCase cases[] = {
      {"0.5-nm steps between the grid points",
       Squares("wavelength,em", 499.75, 0.5, 31),
       {},
       500,
       514,
       {{500, 0.5}, {501, 6.5}, {505, 110.5}, {514, 28.5 * 28.5 + 0.25}}},
      {"2-nm steps",
       Squares("wavelength\tem", 500, 2, 16, "\t"),
       {},
       500,
       530,
       {{500, 0}, {501, 0.5}, {502, 1}, {503, 2.5}, {510, 25}, {511, 30.5}, {530, 225}}},
      {"2-nm steps, descending",
       Squares("", 500, 2, 16, ";", true),
       {},
       500,
       530,
       {{501, 0.5}, {503, 2.5}, {511, 30.5}, {530, 225}}},
      {"runs of spaces", Squares("", 500, 2, 16, "   "), {}, 500, 530, {{511, 30.5}}},
      {"micrometres by the header",
       Squares("Wavelength (um),em", 0.5, 0.002, 16),
       {},
       500,
       530,
       {{500, 0}, {501, 0.5}, {511, 30.5}, {530, 225}}},
      {"micrometres by request",
       Squares("", 0.5, 0.002, 16),
       {"", "", WavelengthUnit::kMicrometre},
       500,
       530,
       {{511, 30.5}, {530, 225}}},
      // 20000 cm-1 is 500 nm, 19600 cm-1 510.204... nm: 505 nm lies 0.49 of the way.
      {"wavenumbers",
       "Wavenumber (cm-1),em\n20000,1\n19600,3\n19000,3\n",
       {},
       500,
       526,
       {{500, 1}, {505, 1.98}, {526, 3}}},
      {"a point off the grid's nanometres at each end",
       "450.4,2\n455.6,4\n462.2,4\n",
       {},
       451,
       462,
       {{451, 2 + 2 * 0.6 / 5.2}, {455, 2 + 2 * 4.6 / 5.2}, {462, 4}}},
      {"points at one wavelength are averaged",
       "450,1\n455,2\n455,4\n470,3\n",
       {},
       450,
       470,
       {{455, 3}, {454, 1 + 2 * 0.8}}},
  };
  for (const GridCase& c : cases) {
    const ColumnImport r = Import(c.content, SpectrumSide::kEmission, c.request);
    ASSERT_TRUE(r.read.accepted) << c.what << ": " << RefusalText(r.read) << r.choice_error;
    EXPECT_EQ(r.read.spectrum.first, c.first) << c.what;
    EXPECT_EQ(r.read.spectrum.last, c.last) << c.what;
    for (const auto& [w, v] : c.values) {
      EXPECT_NEAR(r.read.spectrum.values[w], v, 1e-9 * (1 + std::fabs(v))) << c.what << " at " << w;
    }
    // Nothing outside the file's own range.
    EXPECT_EQ(r.read.spectrum.values[c.first - 1], 0.0) << c.what;
    EXPECT_EQ(r.read.spectrum.values[c.last + 1], 0.0) << c.what;
  }
}

// An empty cell skips the point of its column only; text where a number
// belongs skips the row and is counted once.
TEST(ReadColumnPairTest, EmptyCellsAndTextCells) {
  const std::string content =
      "wavelength,ex,em\n500,1,10\n501,,11\n502,3,NaN\n503,4,\n504,5,n/a\nx,6,15\n511,7,21\n";
  const ColumnImport em = Import(content);
  ASSERT_TRUE(em.read.accepted) << RefusalText(em.read);
  EXPECT_EQ(em.skipped_rows, 3);
  EXPECT_EQ(em.warnings,
            std::vector<std::string>{"3 rows skipped: a wavelength or value cell holds no number"});
  EXPECT_EQ(em.read.spectrum.values[501], 11.0);
  EXPECT_EQ(em.read.spectrum.values[506], 16.0);  // from 501 to 511 across the skipped rows

  const ColumnImport ex = Import(content, SpectrumSide::kEmission, {"", "ex", std::nullopt});
  EXPECT_EQ(ex.skipped_rows, 1);                 // only the row without a wavelength
  EXPECT_EQ(ex.read.spectrum.values[501], 2.0);  // its empty cell is interpolated over
  EXPECT_EQ(ex.read.spectrum.values[502], 3.0);
}

// Points that share a wavelength are averaged, and the user is told once
// how many wavelengths that concerns: two samples stacked in one file read
// as one otherwise.
TEST(ReadColumnPairTest, RepeatedWavelengthsAreCountedAndSaid) {
  std::string stacked = "wavelength,intensity\n";
  for (int sample = 0; sample < 2; ++sample) {
    for (int w = 500; w <= 520; ++w) stacked += std::to_string(w) + ",1\n";
  }
  const std::string one =
      "1 wavelength appears more than once; its values were averaged (two samples stacked in "
      "one file?)";
  const auto many = [](int n) {
    return std::to_string(n) +
           " wavelengths appear more than once; their values were averaged (two samples stacked "
           "in one file?)";
  };
  const std::string skipped = "1 row skipped: a wavelength or value cell holds no number";
  const struct {
    const char* what;
    std::string content;
    ColumnRequest request;
    long repeated;
    std::vector<std::string> warnings;
  } cases[] = {
      {"none", "450,1\n455,2\n470,3\n", {}, 0, {}},
      {"one", "450,1\n455,2\n455,4\n470,3\n", {}, 1, {one}},
      {"three, one of them thrice",
       "450,1\n450,2\n450,3\n460,1\n470,1\n460,2\n480,1\n470,5\n",
       {},
       3,
       {many(3)}},
      {"two samples stacked", stacked, {}, 21, {many(21)}},
      {"one wavelength spelt three ways", "500,1\n500.0,2\n5e2,3\n520,1\n", {}, 1, {one}},
      {"the same after conversion from micrometres",
       "0.5,1\n0.500,3\n0.52,1\n",
       {"", "", WavelengthUnit::kMicrometre},
       1,
       {one}},
      {"a skipped row repeats nothing", "500,1\n500,NaN\n520,1\n", {}, 0, {skipped}},
      {"skipped rows are said first", "500,1\n500,n/a\n500,2\n520,1\n", {}, 1, {skipped, one}},
      {"close is not the same", "500,1\n500.001,2\n520,1\n", {}, 0, {}},
  };
  for (const auto& c : cases) {
    const ColumnImport r = Import(c.content, SpectrumSide::kEmission, c.request);
    ASSERT_TRUE(r.read.accepted) << c.what << ": " << RefusalText(r.read);
    EXPECT_EQ(r.warnings, c.warnings) << c.what;
    const ColumnTable table = ScanColumnTable(c.content);
    EXPECT_EQ(ReadColumnPair(c.content, table,
                             {0, 1, c.request.unit.value_or(WavelengthUnit::kNanometre)})
                  .repeated_wavelengths,
              c.repeated)
        << c.what;
  }
  // The open steps pass the warning on once, with the file's name.
  FretEngine engine;
  engine.Start();
  const LoadOutcome outcome =
      LoadColumns(engine, SpectrumSide::kAbsorption, {}, {"/d/two.csv", stacked, true}, nullptr);
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kAccepted) << outcome.reason;
  EXPECT_EQ(outcome.warnings, std::vector<std::string>{"two.csv: " + many(21)});
}

TEST(ReadColumnPairTest, AcceptanceAsTheOtherReaders) {
  const struct {
    const char* what;
    std::string content;
    Refusal refusal;
    const char* text;
  } cases[] = {
      {"10 nm wide", "500,1\n510,2\n", Refusal::kRange,
       "its wavelengths run from 500 to 510 nm, and a spectrum must span more than 10 nm "
       "within 100 to 1500 nm"},
      {"beyond the grid", "1400,1\n1600,2\n", Refusal::kRange,
       "its wavelengths lie outside 100 to 1500 nm"},
      {"between two nanometres", "450.2,1\n450.7,2\n", Refusal::kRange,
       "its only wavelength is 450 nm, and a spectrum must span more than 10 nm within 100 to "
       "1500 nm"},
      {"no number rows", "wavelength,em\n", Refusal::kNoData, "no data points found"},
      {"only text values", "wavelength,em\n500,a\n510,b\n520,c\n", Refusal::kNoData,
       "no data points found"},
      {"huge numbers are text", "500,1e400\n600,1\n", Refusal::kNoData, "no data points found"},
  };
  for (const auto& c : cases) {
    const ColumnImport r = Import(c.content);
    EXPECT_FALSE(r.read.accepted) << c.what;
    EXPECT_EQ(r.read.refusal, c.refusal) << c.what;
    EXPECT_EQ(RefusalText(r.read), c.text) << c.what;
    for (const double v : r.read.spectrum.values.values()) ASSERT_TRUE(std::isfinite(v));
  }
}

// Extreme values interpolate without leaving the doubles.
TEST(ReadColumnPairTest, ExtremeValuesStayFinite) {
  const ColumnImport r = Import("500,-1.7e308\n502,1.7e308\n520,1.7e308\n");
  ASSERT_TRUE(r.read.accepted);
  EXPECT_EQ(r.read.spectrum.values[501], 0.0);
  for (const double v : r.read.spectrum.values.values()) EXPECT_TRUE(std::isfinite(v));
}

struct ChoiceCase {
  const char* header;
  SpectrumSide side;
  ColumnChoice::Status status;
  int wavelength_column;
  int value_column;
  bool stands_in;
  const char* text;
};

TEST(ChooseColumnsTest, ByTheHeader) {
  constexpr auto kEm = SpectrumSide::kEmission;
  constexpr auto kAbs = SpectrumSide::kAbsorption;
  constexpr auto kChosen = ColumnChoice::Status::kChosen;
  constexpr auto kAmbiguous = ColumnChoice::Status::kAmbiguous;
  constexpr auto kNone = ColumnChoice::Status::kNone;
  const ChoiceCase cases[] = {
      {"Wavelength,Excitation,Emission", kEm, kChosen, 0, 2, false, ""},
      {"Wavelength,Excitation,Emission", kAbs, kChosen, 0, 1, true, ""},
      {"wavelength\tabs\tem\t2p", kEm, kChosen, 0, 2, false, ""},
      {"wavelength\tabs\tem\t2p", kAbs, kChosen, 0, 1, false, ""},
      {"wavelength,EGFP ex,wavelength,EGFP em", kEm, kChosen, 2, 3, false, ""},
      {"wavelength,EGFP ex,wavelength,EGFP em", kAbs, kChosen, 0, 1, true, ""},
      {"\"Wavelength\",\"Cy3 EM\",\"Cy3 EX\"", kEm, kChosen, 0, 1, false, ""},
      {"", kEm, kChosen, 0, 1, false, ""},
      {"", kAbs, kChosen, 0, 1, false, ""},
      {"nm,Intensity", kEm, kChosen, 0, 1, false, ""},
      {"wavelength,a_abs,a_em,b_abs,b_em", kEm, kAmbiguous, -1, -1, false,
       "several columns could hold the emission: column 3 \"a_em\", column 5 \"b_em\""},
      {"wavelength,a_abs,a_em,b_abs,b_em", kAbs, kAmbiguous, -1, -1, false,
       "several columns could hold the absorption: column 2 \"a_abs\", column 4 \"b_abs\""},
      {"wavelength,Excitation,2p", kEm, kChosen, 0, 2, false, ""},
      {"wavelength,Excitation,Absorbance", kEm, kNone, -1, -1, false,
       "no column is named as emission; the columns are column 1 \"wavelength\", column 2 "
       "\"Excitation\", column 3 \"Absorbance\""},
      {"wavelength,one,two", kEm, kAmbiguous, -1, -1, false,
       "several columns could hold the emission: column 2 \"one\", column 3 \"two\""},
  };
  for (const ChoiceCase& c : cases) {
    // Three rows of ones under the header, as wide as it.
    const std::string header = c.header;
    const char delimiter = header.find('\t') != std::string::npos ? '\t' : ',';
    const auto width = header.empty() ? 3 : std::ranges::count(header, delimiter) + 1;
    std::string content = header.empty() ? "" : header + "\n";
    for (int w = 500; w < 503; ++w) {
      content += std::to_string(w);
      for (int k = 1; k < width; ++k) content += std::string(1, delimiter) + "1";
      content += '\n';
    }
    const ColumnTable table = ScanColumnTable(content);
    const ColumnChoice choice = ChooseColumns(table, c.side);
    EXPECT_EQ(choice.status, c.status) << c.header;
    EXPECT_EQ(choice.wavelength_column, c.wavelength_column) << c.header;
    EXPECT_EQ(choice.value_column, c.value_column) << c.header;
    EXPECT_EQ(choice.excitation_stands_in, c.stands_in) << c.header;
    EXPECT_EQ(ColumnChoiceText(table, choice, c.side), c.text) << c.header;
  }
}

// The instrument readers read what they always read; the header tells when
// that is another kind of spectrum.
TEST(WrongColumnWarningTest, ThroughTheInstrumentReaders) {
  std::string cy3 = "Wavelength,Excitation,Emission\n";
  std::string egfp = "\xEF\xBB\xBF\"Wavelength\",\"Cy3 EM\",\"Cy3 EX\"\n";
  std::string right = "Wavelength,Emission,Excitation\n";
  std::string plain;
  for (int w = 500; w <= 540; ++w) {
    const std::string n = std::to_string(w);
    cy3 += n + ",1,2\n";
    egfp += n + (w < 510 ? ",," : ",3,") + "2\n";
    right += n + ",1,2\n";
    plain += n + ",1,2\n";
  }
  const struct {
    const char* what;
    SpectrumSide side;
    const char* name;
    std::string content;
    std::vector<std::string> warnings;
  } cases[] = {
      {"excitation read as emission",
       SpectrumSide::kEmission,
       "/d/cy3.csv",
       cy3,
       {"cy3.csv: the values read as emission come from column 2 \"Excitation\", which the "
        "header names as excitation"}},
      {"blank cells shift the fields",
       SpectrumSide::kEmission,
       "/d/cy3.csv",
       egfp,
       {"cy3.csv: the values read as emission come from column 3 \"Cy3 EX\", which the header "
        "names as excitation (10 of 41 rows)"}},
      {"the right column", SpectrumSide::kEmission, "/d/ok.csv", right, {}},
      {"no header", SpectrumSide::kEmission, "/d/plain.csv", plain, {}},
      {"emission read as absorption",
       SpectrumSide::kAbsorption,
       "/d/a.txt",
       "Wavelength,Emission\n" + plain,
       {"a.txt: the values read as absorption come from column 2 \"Emission\", which the header "
        "names as emission"}},
  };
  for (const auto& c : cases) {
    RecordingView view;
    FretEngine engine(&view);
    engine.Start();
    const LoadOutcome outcome = LoadSpectrum(engine, c.side, 1, {c.name, c.content, true}, nullptr);
    EXPECT_EQ(outcome.kind, LoadOutcome::Kind::kAccepted) << c.what;
    EXPECT_EQ(outcome.warnings, c.warnings) << c.what;
    EXPECT_EQ(outcome.format->reader_name.find("delimited"), std::string::npos) << c.what;
  }
}

// The column import through the open steps: status lines, origin, and the
// same spectrum as the same data in a two-column file.
TEST(LoadColumnsTest, AsTheOpenCommands) {
  std::string three = "Wavelength,Excitation,Emission\n";
  std::string two;
  for (int w = 450; w <= 600; ++w) {
    const std::string n = std::to_string(w);
    const std::string em = std::to_string(1 + (w % 13));
    three += n + ",7," + em + "\n";
    two += n + "," + em + "\n";
  }
  FretEngine by_columns;
  by_columns.Start();
  const LoadOutcome a =
      LoadColumns(by_columns, SpectrumSide::kEmission, {}, {"/d/dye.csv", three, true}, nullptr);
  ASSERT_EQ(a.kind, LoadOutcome::Kind::kAccepted) << a.reason;
  ASSERT_TRUE(a.columns.has_value());
  EXPECT_EQ(a.columns->value_name, "Emission");
  EXPECT_EQ(a.columns->wavelength_name, "Wavelength");
  EXPECT_TRUE(a.warnings.empty());
  const SpectrumOrigin& origin = by_columns.Origin(SpectrumSide::kEmission);
  EXPECT_EQ(origin.reader, "delimited columns");
  EXPECT_EQ(origin.filter_entry, 0);
  EXPECT_EQ(origin.columns, "1,3");
  EXPECT_EQ(origin.unit, "nm");

  FretEngine by_reader;
  by_reader.Start();
  ASSERT_EQ(
      LoadSpectrum(by_reader, SpectrumSide::kEmission, 1, {"/d/dye2.csv", two, true}, nullptr).kind,
      LoadOutcome::Kind::kAccepted);
  EXPECT_EQ(by_columns.RawEmission().values()[0], by_reader.RawEmission().values()[0]);
  for (int w = 100; w <= 1500; ++w) {
    ASSERT_EQ(by_columns.RawEmission()[w], by_reader.RawEmission()[w]) << w;
  }
  EXPECT_EQ(by_columns.session().emission_first, by_reader.session().emission_first);
  EXPECT_EQ(by_columns.session().emission_last, by_reader.session().emission_last);

  // Choosing the excitation column for the emission is allowed, and said.
  FretEngine chosen;
  chosen.Start();
  const LoadOutcome b = LoadColumns(chosen, SpectrumSide::kEmission, {"Wavelength", "2", {}},
                                    {"/d/dye.csv", three, true}, nullptr);
  EXPECT_EQ(b.kind, LoadOutcome::Kind::kAccepted);
  EXPECT_EQ(b.warnings,
            std::vector<std::string>{"dye.csv: the values read as emission come from column 2 "
                                     "\"Excitation\", which the header names as excitation"});
}

TEST(LoadColumnsTest, ChoicesThatFail) {
  const std::string content = "wavelength,a_em,b_em\n500,1,2\n520,1,2\n";
  const struct {
    ColumnRequest request;
    const char* status;
  } cases[] = {
      {{},
       "Emission spectrum not loaded: several columns could hold the emission: column 2 "
       "\"a_em\", column 3 \"b_em\" in pair.csv (read as delimited columns)"},
      {{"", "c_em", {}},
       "Emission spectrum not loaded: value column: no column is named \"c_em\"; the columns are "
       "column 1 \"wavelength\", column 2 \"a_em\", column 3 \"b_em\" in pair.csv (read as "
       "delimited columns)"},
      {{"2", "2", {}},
       "Emission spectrum not loaded: the wavelengths and the values cannot both come from "
       "column 2 \"a_em\" in pair.csv (read as delimited columns)"},
  };
  for (const auto& c : cases) {
    RecordingView view;
    FretEngine engine(&view);
    engine.Start();
    const LoadOutcome outcome = LoadColumns(engine, SpectrumSide::kEmission, c.request,
                                            {"/d/pair.csv", content, true}, nullptr);
    EXPECT_EQ(outcome.kind, LoadOutcome::Kind::kRefused);
    EXPECT_EQ(view.status, c.status);
    EXPECT_FALSE(engine.session().emission_valid);
  }
  // A file that cannot be read reports its message and nothing else.
  std::vector<std::string> messages;
  RecordingView view;
  FretEngine engine(&view);
  engine.Start();
  const LoadOutcome gone =
      LoadColumns(engine, SpectrumSide::kAbsorption, {}, {"/d/gone.csv", "", false},
                  [&messages](std::string_view m) { messages.emplace_back(m); });
  EXPECT_EQ(gone.messages, 1);
  EXPECT_EQ(messages, std::vector<std::string>{"File Error: /d/gone.csv"});
  EXPECT_EQ(view.status, "");
}

TEST(ParseWavelengthUnitTest, Spellings) {
  EXPECT_EQ(ParseWavelengthUnit("NM"), WavelengthUnit::kNanometre);
  EXPECT_EQ(ParseWavelengthUnit("um"), WavelengthUnit::kMicrometre);
  EXPECT_EQ(ParseWavelengthUnit("\xC2\xB5m"), WavelengthUnit::kMicrometre);
  EXPECT_EQ(ParseWavelengthUnit("cm-1"), WavelengthUnit::kWavenumber);
  EXPECT_EQ(ParseWavelengthUnit("cm"), std::nullopt);
  EXPECT_EQ(ParseWavelengthUnit(""), std::nullopt);
}

}  // namespace
}  // namespace korin
