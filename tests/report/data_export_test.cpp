#include "report/data_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/fret_analysis.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "request/engine_request.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

class DataExportTest : public ::testing::Test {
 protected:
  DataExportTest() {
    engine_.Start();
    engine_.BeginLoad(SpectrumSide::kEmission);
    EXPECT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kEmission, kDonor, "d"));
    engine_.SetOrigin(SpectrumSide::kEmission, {"/data/my donor.csv", "two-column text", 1,
                                                LazyDigest::Known("ab"), "", ""});
    engine_.BeginLoad(SpectrumSide::kAbsorption);
    EXPECT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kAbsorption, kAcceptor, "a"));
    engine_.SetOrigin(SpectrumSide::kAbsorption, {"/data/it's.sp", "text after a DATA line", 5,
                                                  LazyDigest::Known("cd"), "", ""});
    EXPECT_TRUE(engine_.ResultsVisible());
  }

  const GridSpectrum kDonor = GaussianSpectrum(450, 650, 9000.0, 520.0, 25.0);
  const GridSpectrum kAcceptor = GaussianSpectrum(500, 700, 0.85, 560.0, 30.0);
  FretEngine engine_;
};

std::string Command(const FretEngine& engine) {
  return ReproducingCommand(RequestOf(engine));
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

TEST_F(DataExportTest, CsvReadsBackToTheSameDoublesAndItsTermsSumToJ) {
  std::istringstream csv(ExportDataCsv(engine_));
  std::string line;
  int comments = 0;
  while (std::getline(csv, line) && line.starts_with("# ")) ++comments;
  EXPECT_GE(comments, 8);  // program, two files, parameters, results
  EXPECT_EQ(Split(line).size(), 7u) << line;
  EXPECT_NE(line.find("Wavelength [nm]"), std::string::npos);

  const FretSession& s = engine_.session();
  double j = 0.0;
  int w = 500;  // the overlap: 500..650
  for (; std::getline(csv, line); ++w) {
    const std::vector<std::string> f = Split(line);
    ASSERT_EQ(f.size(), 7u) << line;
    std::vector<double> v(7);
    for (std::size_t i = 0; i < 7; ++i) ASSERT_TRUE(ParseReal(f[i], v[i])) << f[i];
    EXPECT_EQ(v[0], w);
    EXPECT_EQ(v[1], kDonor.values[w]);  // as read
    EXPECT_EQ(v[2], s.donor_emission[w]);
    EXPECT_EQ(v[3], s.acceptor_absorbance[w]);
    EXPECT_EQ(v[4], s.acceptor_extinction[w]);
    j += v[5];
    if (w == 650) {
      EXPECT_EQ(v[6], 1.0);
    }
  }
  EXPECT_EQ(w, 651);
  EXPECT_NEAR(j, s.overlap_integral, 1e-13 * s.overlap_integral);
}

TEST_F(DataExportTest, ReportHoldsFilesParametersResultsAndTheCommand) {
  engine_.ChooseSolvent(2);  // Toluene
  FretRequest reproduced = RequestOf(engine_);
  reproduced.Set(Parameter::kEfficiency, "0.5");
  const AnalysisResult analysis =
      Analyse(engine_.session(), engine_.ForsterDistanceValue(), AnalysisInputsOf(reproduced));
  const ReportContent r = BuildReport(engine_, reproduced, analysis, "2026-12-08 10:00");
  ASSERT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.files[0].path, "/data/my donor.csv");
  EXPECT_EQ(r.files[1].first, 500);
  EXPECT_EQ(r.files[1].sha256, "cd");
  EXPECT_EQ(r.results.front().value,
            FormatExponent(engine_.session().overlap_integral, ".") + " M^-1 cm^3");
  // The analysis asked follows J and R0, and the command asks it again.
  EXPECT_EQ(r.results.back().label, "Distance at E = 0.5");
  EXPECT_EQ(r.results.back().value, AnalysisText(engine_.ForsterDistanceValue()) + " Angstroms (" +
                                        AnalysisText(engine_.ForsterDistanceValue() / 10) + " nm)");
  // Paths are quoted for the shell; the filter entry goes with the file.
  EXPECT_EQ(r.command,
            "korin-fret-cli '/data/my donor.csv' '/data/it'\\''s.sp' --absorption-filter 5 "
            "--quantum-yield 0.5 --orientation 0.66667 --concentration 1E-5 --optical-path 1 "
            "--solvent toluene --efficiency 0.5");
  const std::string md = ReportMarkdown(r, "report-plot.svg");
  for (const char* piece :
       {"# Korin-FRET", "## Input files", "`/data/my donor.csv`", "## Parameters", "## Results",
        "![Energy-transfer plot](report-plot.svg)", "```\nkorin-fret-cli"}) {
    EXPECT_NE(md.find(piece), std::string::npos) << piece;
  }
}

TEST_F(DataExportTest, ExtinctionEntryAndAnOwnRefractiveIndexGoIntoTheCommand) {
  engine_.ChooseSolvent(0);
  engine_.EditField(PanelField::kRefractiveIndex, "1.4");
  engine_.SetExtinctionEntry(true);
  engine_.EditField(PanelField::kExtinction, "8e4");
  const std::string command = Command(engine_);
  EXPECT_NE(command.find("--refractive-index 1.4"), std::string::npos) << command;
  EXPECT_NE(command.find("--extinction 80000"), std::string::npos) << command;
  EXPECT_EQ(command.find("--solvent"), std::string::npos);
}

// A column import is repeated by its columns and unit, not by a filter entry
// (the command line has no entry 0).
TEST_F(DataExportTest, AColumnImportGoesIntoTheCommandByItsColumns) {
  engine_.SetOrigin(SpectrumSide::kEmission, {"/data/dye.csv", "delimited columns", 0,
                                              LazyDigest::Known("ab"), "1,Cy3 EM", "um"});
  const std::string command = Command(engine_);
  EXPECT_NE(command.find("/data/dye.csv '/data/it'\\''s.sp' --emission-columns '1,Cy3 EM' "
                         "--emission-units um --absorption-filter 5 "),
            std::string::npos)
      << command;
  EXPECT_EQ(command.find("--emission-filter"), std::string::npos) << command;
}

// A relative file name starting with "-" must not read as an option.
TEST_F(DataExportTest, AFileNamedLikeAnOptionStaysAFile) {
  engine_.SetOrigin(SpectrumSide::kEmission,
                    {"-donor.csv", "two-column text", 1, LazyDigest::Known("ab"), "", ""});
  EXPECT_TRUE(Command(engine_).starts_with("korin-fret-cli ./-donor.csv ")) << Command(engine_);
}

}  // namespace
}  // namespace korin

namespace korin {
namespace {

// An acceptor baseline below zero under the donor: J is negative and shown,
// and each row still holds its own term of J; only the cumulative fraction,
// which has no meaning then, is left empty.
TEST(DataExportNegativeOverlapTest, TermsAreWrittenWhateverTheSignOfJ) {
  GridSpectrum acceptor = GaussianSpectrum(500, 700, 0.85, 690.0, 5.0);
  for (int w = 500; w <= 700; ++w) acceptor.values[w] -= 0.01;
  FretEngine engine;
  engine.Start();
  engine.BeginLoad(SpectrumSide::kEmission);
  ASSERT_TRUE(engine.AcceptSpectrum(SpectrumSide::kEmission,
                                    GaussianSpectrum(450, 650, 9000.0, 520.0, 25.0), "d"));
  engine.BeginLoad(SpectrumSide::kAbsorption);
  ASSERT_TRUE(engine.AcceptSpectrum(SpectrumSide::kAbsorption, acceptor, "a"));
  const FretSession& s = engine.session();
  ASSERT_TRUE(engine.ResultsVisible());
  ASSERT_LT(s.overlap_integral, 0.0);

  std::istringstream csv(ExportDataCsv(engine));
  std::string line;
  while (std::getline(csv, line) && line.starts_with("# ")) {
  }
  double j = 0.0;
  int rows = 0;
  while (std::getline(csv, line)) {
    const std::vector<std::string> f = Split(line);
    ASSERT_EQ(f.size(), 7u) << line;
    double term = 0.0;
    ASSERT_TRUE(ParseReal(f[5], term)) << line;
    j += term;
    EXPECT_EQ(f[6], "") << line;
    ++rows;
  }
  EXPECT_EQ(rows, 151);
  EXPECT_NEAR(j, s.overlap_integral, 1e-12 * std::abs(s.overlap_integral));
}

}  // namespace
}  // namespace korin
