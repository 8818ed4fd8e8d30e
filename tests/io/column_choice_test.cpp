// The column a header chooses when instrument exports end every row with
// the delimiter: the always-empty last column is never a candidate, and a
// file with one sample is read from it under every delimiter, for both
// sides, through the choice, the import and the open steps.
#include "io/column_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/column_reader.h"
#include "io/spectrum_loader.h"
#include "support/recording_view.h"

namespace korin {
namespace {

constexpr auto kEm = SpectrumSide::kEmission;
constexpr auto kAbs = SpectrumSide::kAbsorption;

// `header` (cells joined by `delimiter`, "" for none) over rows 500..530 nm
// whose cells are `row_cells` after the wavelength, each row ended with
// the delimiter as the instruments write it.
std::string TrailingDelimiterFile(const std::vector<std::string>& header,
                                  const std::vector<std::string>& row_cells, char delimiter) {
  std::string content;
  if (!header.empty()) {
    for (const std::string& name : header) content += name + delimiter;
    content += '\n';
  }
  for (int w = 500; w <= 530; ++w) {
    content += std::to_string(w) + delimiter;
    for (const std::string& cell : row_cells) content += cell + delimiter;
    content += '\n';
  }
  return content;
}

struct SampleCase {
  const char* what;
  std::vector<std::string> header;
  std::string emission_warning;  // the import's, for each side; "" for none
  std::string absorption_warning;
};

TEST(TrailingDelimiterTest, OneSampleIsReadFromItsColumn) {
  const SampleCase cases[] = {
      {"named as emission",
       {"Wavelength", "Emission"},
       "",
       "the values read as absorption come from column 2 \"Emission\", which the header names "
       "as emission"},
      {"named as nothing", {"Wavelength", "Sample 1"}, "", ""},
      {"named as excitation",
       {"Wavelength", "Excitation"},
       "the values read as emission come from column 2 \"Excitation\", which the header names "
       "as excitation",
       "the values read as absorption come from column 2 \"Excitation\": an excitation spectrum "
       "stands in for the absorption"},
      {"no header", {}, "", ""},
  };
  for (const char delimiter : {',', ';', '\t'}) {
    for (const SampleCase& c : cases) {
      const std::string content = TrailingDelimiterFile(c.header, {"7"}, delimiter);
      const std::string what = std::string(c.what) + " delimited by '" + delimiter + "'";
      const ColumnTable table = ScanColumnTable(content);
      ASSERT_EQ(table.columns.size(), 3u) << what;
      EXPECT_FALSE(NamesSeveralSpectra(table)) << what;
      EXPECT_EQ(ValueColumns(table), std::vector<int>{1}) << what;
      for (const SpectrumSide side : {kEm, kAbs}) {
        const std::string& warning = side == kEm ? c.emission_warning : c.absorption_warning;
        const ColumnChoice choice = ChooseColumns(table, side);
        EXPECT_EQ(choice.status, ColumnChoice::Status::kChosen) << what;
        EXPECT_EQ(choice.value_column, 1) << what;
        EXPECT_EQ(choice.wavelength_column, 0) << what;
        EXPECT_EQ(choice.excitation_stands_in,
                  side == kAbs && table.columns[1].kind == ColumnKind::kExcitation)
            << what;

        const ColumnImport import = ImportColumns({"/d/x.csv", content, true}, side, {}, nullptr);
        ASSERT_TRUE(import.read.accepted) << what << ": " << import.choice_error;
        EXPECT_EQ(import.pair.value_column, 1) << what;
        EXPECT_EQ(import.read.spectrum.first, 500) << what;
        EXPECT_EQ(import.read.spectrum.last, 530) << what;
        EXPECT_EQ(import.read.spectrum.values[515], 7.0) << what;
        EXPECT_EQ(import.warnings,
                  warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{warning})
            << what;

        FretEngine engine;
        engine.Start();
        const LoadOutcome outcome =
            LoadColumns(engine, side, {}, {"/d/export.txt", content, true}, nullptr);
        ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kAccepted) << what << ": " << outcome.reason;
        ASSERT_TRUE(outcome.columns.has_value()) << what;
        EXPECT_EQ(outcome.columns->value_column, 1) << what;
        EXPECT_EQ(outcome.warnings, warning.empty()
                                        ? std::vector<std::string>{}
                                        : std::vector<std::string>{"export.txt: " + warning})
            << what;
      }
    }
  }
}

// Several samples still leave the choice open, but among the columns that
// hold them: the empty trailing column is neither chosen nor listed.
TEST(TrailingDelimiterTest, TheEmptyColumnIsNeverACandidate) {
  const struct {
    std::vector<std::string> header;
    std::vector<std::string> cells;
    ColumnChoice::Status status;
    int value_column;
    const char* text;
  } cases[] = {
      {{"wavelength", "one", "two"},
       {"1", "2"},
       ColumnChoice::Status::kAmbiguous,
       -1,
       "several columns could hold the emission: column 2 \"one\", column 3 \"two\""},
      {{"wavelength", "Excitation", "Emission"}, {"1", "2"}, ColumnChoice::Status::kChosen, 2, ""},
      // Without names column 2 is taken, unless it holds no number.
      {{}, {"1", "2"}, ColumnChoice::Status::kChosen, 1, ""},
      {{}, {"", "2"}, ColumnChoice::Status::kChosen, 2, ""},
      {{},
       {"", "2", "3"},
       ColumnChoice::Status::kAmbiguous,
       -1,
       "several columns could hold the emission: column 3, column 4"},
      // A header naming more columns than the rows fill.
      {{"wavelength", "Emission", "Excitation", "Absorbance"},
       {"1"},
       ColumnChoice::Status::kChosen,
       1,
       ""},
  };
  for (const auto& c : cases) {
    const std::string content = TrailingDelimiterFile(c.header, c.cells, ',');
    const ColumnTable table = ScanColumnTable(content);
    const ColumnChoice choice = ChooseColumns(table, kEm);
    EXPECT_EQ(choice.status, c.status) << content;
    EXPECT_EQ(choice.value_column, c.value_column) << content;
    EXPECT_EQ(ColumnChoiceText(table, choice, kEm), c.text) << content;
  }
}

// A header naming spectra that no row fills names no second spectrum.
TEST(NamesSeveralSpectraTest, OnlyColumnsWithNumbersCount) {
  const struct {
    const char* content;
    bool several;
  } cases[] = {
      {"Wavelength,Emission,Excitation\n500,1,2\n501,1,2\n", true},
      {"Wavelength,Emission,Excitation\n500,1\n501,1\n", false},
      {"Wavelength,Emission,Excitation,\n500,1,,\n501,1,,\n", false},
      {"Wavelength,Emission,Excitation\n500,1,n/a\n501,1,n/a\n", false},
      {"Excitation\n400,0.1\n401,0.2\nEmission\n500,3\n501,4\n", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NamesSeveralSpectra(ScanColumnTable(c.content)), c.several) << c.content;
  }
}

// Rows with wavelengths and nothing else are refused for holding no data,
// as before, not for naming no column.
TEST(TrailingDelimiterTest, WavelengthsAloneHoldNoData) {
  for (const char* content : {"Wavelength,Emission\n500,\n501,\n502,\n", "500,\n501,\n502,\n"}) {
    for (const SpectrumSide side : {kEm, kAbs}) {
      const ColumnImport import = ImportColumns({"/d/x.csv", content, true}, side, {}, nullptr);
      EXPECT_FALSE(import.read.accepted) << content;
      EXPECT_EQ(import.read.refusal, Refusal::kNoData) << content;
      EXPECT_EQ(import.choice_error, "") << content;
      EXPECT_TRUE(import.warnings.empty()) << content;
    }
  }
}

// The instrument readers' header check. A space-separated heading names
// its columns either at every blank or only at wide gaps, depending on how
// many columns the rows have; either cut can name a wrong kind.
TEST(WrongColumnWarningTest, WhateverCutOfTheHeadingNamesTheColumns) {
  const std::string rows = "450 1\n451 2\n";
  EXPECT_EQ(WrongColumnWarning("x  n m\n" + rows, kEm, 2),
            "the values read as emission come from column 2 \"n m\", which the header names as "
            "wavelengths");
  EXPECT_EQ(WrongColumnWarning("nm em\n" + rows, kAbs, 2),
            "the values read as absorption come from column 2 \"em\", which the header names as "
            "emission");
  EXPECT_EQ(WrongColumnWarning("Wavelength (nm)  Emission (a.u.)\n" + rows, kEm, 2), "");
  EXPECT_EQ(WrongColumnWarning("Wavelength (nm)  Emission (a.u.)\n" + rows, kAbs, 2),
            "the values read as absorption come from column 2 \"Emission (a.u.)\", which the "
            "header names as emission");
  // The first column holds wavelengths whatever its name.
  EXPECT_EQ(WrongColumnWarning("Intensity,Emission\n450,1\n451,2\n", kEm, 1),
            "the values read as emission come from column 1 \"Intensity\", which the header "
            "names as wavelengths");
}

}  // namespace
}  // namespace korin
