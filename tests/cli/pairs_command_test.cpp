#include "cli/pairs_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/fret_cli.h"
#include "cli_run.h"
#include "core/fret_analysis.h"
#include "support/generated_spectra.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::CliRun;
using testing::RunCli;

const std::string kSamples = std::string(KORIN_SAMPLES_DIR) + "/";

CliRun Pairs(std::vector<std::string> args, bool terminal = false) {
  args.insert(args.begin(), "pairs");
  return RunCli(std::move(args), terminal);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One donor or acceptor of the sample sheet, with the single pair's options
// that give it the same values.
struct SheetDye {
  std::string name;
  std::string file;
  std::string side;
  std::string filter;
  std::string quantum_yield;
  std::string extinction;
  std::string concentration;
  std::string optical_path;
  std::vector<std::string> options;
};

// Every sample format on each side, with parameters of every kind: filter
// entries given or by extension, typed coefficients in forms the gate
// rewrites, concentrations with other optical paths.
std::vector<SheetDye> SampleDyes() {
  return {
      {"D csv", kSamples + "donor_emission.csv", "donor", "", "0.5", "", "", "", {}},
      {"D ifx",
       kSamples + "donor_emission.ifx",
       "donor",
       "2",
       "0.8",
       "",
       "",
       "",
       {"--emission-filter", "2", "--quantum-yield", "0.8"}},
      {"D iss",
       kSamples + "donor_emission.iss",
       "donor",
       "",
       "0.33",
       "",
       "",
       "",
       {"--quantum-yield", "0.33"}},
      {"D rls",
       kSamples + "donor_emission.rls",
       "donor",
       "4",
       "1",
       "",
       "",
       "",
       {"--emission-filter", "4", "--quantum-yield", "1"}},
      {"D txt",
       kSamples + "donor_emission.txt",
       "donor",
       "",
       "0.05",
       "",
       "",
       "",
       {"--quantum-yield", "0.05"}},
      {"A abs", kSamples + "acceptor_absorption.abs", "acceptor", "", "", "", "", "", {}},
      {"A abt",
       kSamples + "acceptor_absorption.abt",
       "acceptor",
       "3",
       "",
       "8e4",
       "",
       "",
       {"--absorption-filter", "3", "--extinction", "8e4"}},
      {"A asp",
       kSamples + "acceptor_absorption.asp",
       "acceptor",
       "",
       "",
       "",
       "2.5E-6",
       "5",
       {"--concentration", "2.5E-6", "--optical-path", "5"}},
      {"A sp",
       kSamples + "acceptor_absorption.sp",
       "acceptor",
       "",
       "",
       "85000.000000000001",
       "",
       "",
       {"--extinction", "85000.000000000001"}},
      {"A txt",
       kSamples + "acceptor_absorption.txt",
       "acceptor",
       "6",
       "",
       "",
       "3E-5",
       "0.5",
       {"--absorption-filter", "6", "--concentration", "3E-5", "--optical-path", "0.5"}},
  };
}

std::string SheetOf(const std::vector<SheetDye>& dyes) {
  // Columns in an order of their own, quoted where a spreadsheet would.
  std::string sheet =
      "# the sample files\nname,side,file,filter,quantum_yield,extinction,concentration,"
      "optical_path\n";
  for (const SheetDye& d : dyes) {
    sheet += "\"" + d.name + "\"," + d.side + ",\"" + d.file + "\"," + d.filter + ',' +
             d.quantum_yield + ',' + d.extinction + ',' + d.concentration + ',' + d.optical_path +
             '\n';
  }
  return sheet;
}

// Every row of the sheet's table equals the single-pair command for that
// pair with the same values: J and R0, texts and doubles.
TEST(PairsCommandTest, EachRowEqualsTheSinglePairCommand) {
  const testing::TempDir dir;
  const std::vector<SheetDye> dyes = SampleDyes();
  const std::string sheet = dir.Write("dyes.csv", SheetOf(dyes));
  const std::vector<std::vector<std::string>> shared_cases{
      {},
      {"--orientation", "0.5", "--solvent", "Toluene"},
      {"--refractive-index", "1.4", "--orientation", "1"},
  };
  for (const auto& shared : shared_cases) {
    std::vector<std::string> args{sheet, "--format", "json"};
    args.insert(args.end(), shared.begin(), shared.end());
    const CliRun table = Pairs(args);
    ASSERT_EQ(table.code, kExitSuccess) << table.err;
    const auto json = nlohmann::json::parse(table.out);
    ASSERT_EQ(json.at("pairs").size(), 25u);
    EXPECT_TRUE(json.at("errors").empty());
    std::size_t checked = 0;
    for (const auto& row : json.at("pairs")) {
      const auto by_name = [&](const std::string& name) {
        return *std::ranges::find(dyes, name, &SheetDye::name);
      };
      const SheetDye donor = by_name(row.at("donor"));
      const SheetDye acceptor = by_name(row.at("acceptor"));
      std::vector<std::string> single{donor.file, acceptor.file, "--json"};
      for (const auto* options : {&donor.options, &acceptor.options, &shared}) {
        single.insert(single.end(), options->begin(), options->end());
      }
      const CliRun pair = RunCli(single);
      ASSERT_EQ(pair.code, kExitSuccess) << pair.err;
      const auto expected = nlohmann::json::parse(pair.out);
      const std::string what = donor.name + " x " + acceptor.name;
      for (const char* key : {"overlap_integral", "overlap_integral_text", "forster_distance",
                              "forster_distance_text"}) {
        EXPECT_EQ(row.at(key), expected.at(key)) << what << ": " << key;
      }
      ++checked;
    }
    EXPECT_EQ(checked, 25u);
  }
}

TEST(PairsCommandTest, MalformedRowsAndRefusedFiles) {
  const testing::TempDir dir;
  const std::string flat = dir.Write("flat.csv", "500,0\n501,0\n502,0\n520,0\n");
  const std::string words = dir.Write("words.abs", "no numbers in here\n");
  const std::string missing = (dir.path() / "missing.sp").string();
  const std::string sheet =
      dir.Write("dyes.csv",
                "# line 1\nname,file,side,quantum_yield,concentration\n"
                "D1," +
                    kSamples + "donor_emission.csv,donor,0.5,\n" +                   // 3
                    "D2," + kSamples + "donor_emission.txt,donor,2,\n" +             // 4
                    "A1," + kSamples + "acceptor_absorption.sp,acceptor,,1E-5\n" +   // 5
                    "A2,missing.sp,acceptor,,\n" +                                   // 6
                    "A3,words.abs,acceptor,,\n" +                                    // 7
                    "D3," + kSamples + "donor_emission.rls,dnor,,\n" +               // 8
                    "A4," + kSamples + "acceptor_absorption.abt,acceptor,,1E-5\n" +  // 9
                    "D4,flat.csv,donor,,\n");                                        // 10
  for (const char* format : {"json", "csv"}) {
    const CliRun r = Pairs({sheet, "--format", format});
    EXPECT_EQ(r.code, kExitRejected) << format;
    // The refused are reported on stderr, rows first, each spectrum once
    // with its reader's messages.
    EXPECT_EQ(Lines(r.err),
              (std::vector<std::string>{
                  "korin-fret-cli: " + sheet +
                      ":4: quantum_yield '2' is not accepted; expected a number with 1E-6 <= Q "
                      "<= 1; row skipped",
                  "korin-fret-cli: " + sheet +
                      ":8: side 'dnor' is neither donor nor acceptor; row skipped",
                  "korin-fret-cli: " + missing + " (" + sheet +
                      ":6): not used: no data points found in missing.sp (read as text after a "
                      "DATA line)",
                  "  File Error: " + missing,
                  // The .abs reader takes the words for a wavelength it cannot
                  // read, and says so.
                  "korin-fret-cli: " + words + " (" + sheet +
                      ":7): not used: its wavelengths lie outside 100 to 1500 nm in words.abs "
                      "(read as decreasing wavelength/absorbance pairs)",
                  "  File Error: " + words,
                  "korin-fret-cli: " + flat + " (" + sheet +
                      ":10): not used: its values have no positive area in flat.csv (read as "
                      "two-column text)",
              }))
        << format;
  }
  const CliRun json = Pairs({sheet, "--format", "json"});
  const auto result = nlohmann::json::parse(json.out);
  // The other rows go on.
  std::vector<std::string> pairs;
  for (const auto& row : result.at("pairs")) {
    pairs.push_back(row.at("donor").get<std::string>() + " " +
                    row.at("acceptor").get<std::string>());
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"D1 A1", "D1 A4"}));
  const auto& errors = result.at("errors");
  ASSERT_EQ(errors.size(), 5u);
  const std::vector<std::pair<std::string, int>> expected{
      {"row", 4}, {"row", 8}, {"spectrum", 6}, {"spectrum", 7}, {"spectrum", 10}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(errors[i].at("kind"), expected[i].first) << i;
    EXPECT_EQ(errors[i].at("line"), expected[i].second) << i;
  }
  EXPECT_EQ(errors[2].at("file"), missing);
  EXPECT_EQ(errors[2].at("name"), "A2");
  EXPECT_EQ(errors[2].at("messages"), nlohmann::json::array({"File Error: " + missing}));
  EXPECT_EQ(errors[0].at("file"), sheet);
}

TEST(PairsCommandTest, ExitCodes) {
  const testing::TempDir dir;
  const std::string donor = kSamples + "donor_emission.csv";
  const std::string acceptor = kSamples + "acceptor_absorption.sp";
  const std::string no_side = dir.Write("no_side.csv", "file,name\na.csv,A\n");
  const std::string donors_only = dir.Write("donors.csv", "file,side\n" + donor + ",donor\n");
  const struct {
    std::vector<std::string> args;
    int code;
    const char* err;  // a part of stderr
  } cases[] = {
      {{"--donors", donor, "--acceptors", acceptor}, kExitSuccess, ""},
      {{"--donors", donor, "--acceptors", acceptor, (dir.path() / "none.sp").string()},
       kExitRejected,
       "none.sp: not used"},
      {{}, kExitBadOption, "give a dye sheet, or --donors and --acceptors"},
      {{(dir.path() / "absent.csv").string()}, kExitBadOption, "cannot read the sheet"},
      {{no_side}, kExitBadOption, "the header has no 'side' column"},
      {{donors_only}, kExitBadOption, "nothing to pair: no acceptor is listed"},
      {{"--donors", donor}, kExitBadOption, "nothing to pair: no acceptor is listed"},
      {{"--acceptors", acceptor}, kExitBadOption, "nothing to pair: no donor is listed"},
      {{donors_only, "--acceptors", acceptor}, kExitSuccess, ""},
      {{"--donors", donor, "--acceptors", acceptor, "--jobs", "0"},
       kExitBadOption,
       "--jobs: '0' is not accepted"},
      {{"--donors", donor, "--acceptors", acceptor, "--jobs", "1.5"}, kExitBadOption, "--jobs"},
      {{"--donors", donor, "--acceptors", acceptor, "--target-distance", "0"},
       kExitBadOption,
       "--target-distance: '0' is not accepted; expected a positive number"},
      {{"--donors", donor, "--acceptors", acceptor, "--target-distance", "5O"},
       kExitBadOption,
       "--target-distance"},
      {{"--donors", donor, "--acceptors", acceptor, "--quantum-yield", "2"},
       kExitBadOption,
       "--quantum-yield: '2' is not accepted"},
      {{"--donors", donor, "--acceptors", acceptor, "--sort", "size"}, kExitBadOption, "--sort"},
      {{"--donors", donor, "--acceptors", acceptor, "--format", "xml"}, kExitBadOption, "--format"},
      {{"--help"}, kExitSuccess, ""},
  };
  for (const auto& c : cases) {
    const CliRun r = Pairs(c.args);
    std::string what;
    for (const auto& a : c.args) what += a + " ";
    EXPECT_EQ(r.code, c.code) << what << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << what << "\n" << r.err;
  }
}

// A folder of made-up donors and acceptors, with one file no reader takes.
class GeneratedPairs : public ::testing::Test {
 protected:
  GeneratedPairs() {
    for (int i = 0; i < 9; ++i) {
      donors_.push_back(dir_.Write("donor" + std::to_string(i) + ".csv",
                                   testing::EmissionCsv(480.0 + 15 * i, 18.0 + i)));
    }
    for (int i = 0; i < 11; ++i) {
      acceptors_.push_back(dir_.Write("acceptor" + std::to_string(i) + ".txt",
                                      testing::AbsorptionTxt(500.0 + 12 * i, 30.0, 0.2 + 0.1 * i)));
    }
    acceptors_.push_back(dir_.Write("broken.txt", "title\n3\n"));
  }

  std::vector<std::string> Lists(std::vector<std::string> extra) const {
    std::vector<std::string> args{"--donors"};
    args.insert(args.end(), donors_.begin(), donors_.end());
    args.push_back("--acceptors");
    args.insert(args.end(), acceptors_.begin(), acceptors_.end());
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  testing::TempDir dir_;
  std::vector<std::string> donors_;
  std::vector<std::string> acceptors_;
};

TEST_F(GeneratedPairs, OneJobAndTwoJobsWriteTheSame) {
  for (const std::vector<std::string>& extra : {std::vector<std::string>{"--format", "csv"},
                                                {"--format", "json", "--sort", "r0"},
                                                {"--format", "table", "--target-distance", "45"}}) {
    std::vector<std::string> one = extra;
    one.insert(one.end(), {"--jobs", "1"});
    std::vector<std::string> two = extra;
    two.insert(two.end(), {"--jobs", "2"});
    const CliRun a = Pairs(Lists(one));
    const CliRun b = Pairs(Lists(two));
    EXPECT_EQ(a.code, kExitRejected);  // the broken acceptor
    EXPECT_EQ(a.code, b.code);
    EXPECT_EQ(a.out, b.out) << extra[1];
    EXPECT_EQ(a.err, b.err) << extra[1];
    const std::size_t rows = extra[1] == "json" ? nlohmann::json::parse(a.out).at("pairs").size()
                                                : Lines(a.out).size() - 1;
    EXPECT_EQ(rows, 99u) << extra[1];
  }
}

struct CsvRow {
  std::string donor;
  std::string acceptor;
  double j;
  double r0;
  std::vector<std::string> fields;
};

std::vector<CsvRow> ReadCsv(const std::string& text) {
  std::vector<CsvRow> rows;
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    CsvRow row;
    std::istringstream in(lines[i]);
    for (std::string field; std::getline(in, field, ',');) row.fields.push_back(field);
    row.donor = row.fields.at(0);
    row.acceptor = row.fields.at(1);
    row.j = std::stod(row.fields.at(2));
    row.r0 = std::stod(row.fields.at(4));
    rows.push_back(std::move(row));
  }
  return rows;
}

TEST_F(GeneratedPairs, SortingAndTargetDistance) {
  const std::vector<CsvRow> listed = ReadCsv(Pairs(Lists({})).out);
  ASSERT_EQ(listed.size(), 99u);
  // As listed: each donor against every acceptor in turn.
  EXPECT_EQ(listed[0].donor, "donor0.csv");
  EXPECT_EQ(listed[10].acceptor, "acceptor10.txt");
  EXPECT_EQ(listed[11].donor, "donor1.csv");

  const auto same_rows = [&](std::vector<CsvRow> rows) {
    const auto key = [](const CsvRow& r) { return r.donor + " " + r.acceptor; };
    std::vector<std::string> a;
    std::vector<std::string> b;
    for (const auto& r : rows) a.push_back(key(r));
    for (const auto& r : listed) b.push_back(key(r));
    std::ranges::sort(a);
    std::ranges::sort(b);
    return a == b;
  };
  const std::vector<CsvRow> by_r0 = ReadCsv(Pairs(Lists({"--sort", "r0"})).out);
  EXPECT_TRUE(same_rows(by_r0));
  EXPECT_TRUE(std::ranges::is_sorted(by_r0, std::greater<>(), &CsvRow::r0));
  EXPECT_GT(by_r0.front().r0, by_r0.back().r0);
  const std::vector<CsvRow> by_j = ReadCsv(Pairs(Lists({"--sort", "j"})).out);
  EXPECT_TRUE(same_rows(by_j));
  EXPECT_TRUE(std::ranges::is_sorted(by_j, std::greater<>(), &CsvRow::j));
  const std::vector<CsvRow> by_name = ReadCsv(Pairs(Lists({"--sort", "name"})).out);
  EXPECT_TRUE(same_rows(by_name));
  // "acceptor10.txt" sorts before "acceptor2.txt" by the characters.
  EXPECT_EQ(by_name[1].acceptor, "acceptor1.txt");
  EXPECT_EQ(by_name[2].acceptor, "acceptor10.txt");
  EXPECT_TRUE(std::ranges::is_sorted(by_name, {}, [](const CsvRow& r) { return r.donor; }));

  // A target adds three columns and sorts by |R0 - R|, nearest first.
  const CliRun target = Pairs(Lists({"--target-distance", "42.5"}));
  EXPECT_EQ(Lines(target.out).front(),
            "donor,acceptor,overlap_integral,overlap_integral_text,forster_distance,"
            "forster_distance_text,efficiency_at_target,distance_error,efficiency_slope_at_target");
  const std::vector<CsvRow> near = ReadCsv(target.out);
  EXPECT_TRUE(same_rows(near));
  double previous = 0.0;
  for (const CsvRow& row : near) {
    ASSERT_EQ(row.fields.size(), 9u);
    const double e = std::stod(row.fields[6]);
    const double error = std::stod(row.fields[7]);
    EXPECT_EQ(error, std::fabs(row.r0 - 42.5)) << row.donor << " " << row.acceptor;
    EXPECT_EQ(e, row.r0 > 0 ? TransferEfficiency(42.5, row.r0) : 0.0);
    EXPECT_GE(error, previous);
    previous = error;
  }
  // The nearest R0 gives an efficiency near one half.
  EXPECT_NEAR(std::stod(near.front().fields[6]), 0.5, 0.1);
  // --sort wins over the target's own order, and the columns stay.
  const std::vector<CsvRow> target_by_r0 =
      ReadCsv(Pairs(Lists({"--target-distance", "42.5", "--sort", "r0"})).out);
  EXPECT_TRUE(std::ranges::is_sorted(target_by_r0, std::greater<>(), &CsvRow::r0));
  EXPECT_EQ(target_by_r0.front().fields.size(), 9u);
}

TEST_F(GeneratedPairs, TableForATerminalCsvOtherwise) {
  const CliRun terminal = Pairs(Lists({"--target-distance", "50"}), true);
  const std::vector<std::string> lines = Lines(terminal.out);
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_TRUE(lines[0].starts_with("Donor       Acceptor")) << lines[0];
  EXPECT_NE(lines[0].find("J (M^-1 cm^3)  R0 (Angstroms)  E at 50 A  |R0 - R| (A)"),
            std::string::npos)
      << lines[0];
  // Aligned: every line as long as the header, the texts at its right.
  for (const std::string& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line;
  const CliRun piped = Pairs(Lists({}), false);
  EXPECT_TRUE(piped.out.starts_with("donor,acceptor,")) << piped.out.substr(0, 40);
  EXPECT_EQ(Pairs(Lists({"--format", "table"}), false).out, Pairs(Lists({}), true).out);
  EXPECT_EQ(Pairs(Lists({"--format", "csv"}), true).out, piped.out);
}

// The single pair keeps its command line: a first argument that is a file
// is not a subcommand.
TEST(PairsCommandTest, TheSinglePairIsUnchanged) {
  const CliRun r = RunCli({kSamples + "donor_emission.csv", kSamples + "acceptor_absorption.sp"});
  EXPECT_EQ(r.code, kExitSuccess);
  EXPECT_EQ(r.out, "Overlap Integral: 3.1962E-13 M^-1 cm^3\nRo [Angstroms]: 55.6500\n");
  EXPECT_NE(RunCli({"--help"}).out.find("korin-fret-cli pairs SHEET.csv"), std::string::npos);
}

}  // namespace
}  // namespace korin

namespace korin {
namespace {

// Listed downloads through the column import: the header's column, or the
// one named, with a wrong unit refused before anything is read.
TEST(PairsCommandColumnsTest, ListedDownloadsReadTheColumnAsked) {
  const testing::TempDir dir;
  std::string three = "Wavelength,Excitation,Emission\n";
  std::string two = "Wavelength,Intensity\n";
  for (int nm = 450; nm <= 650; ++nm) {
    const std::string em = std::to_string((nm - 440) * (660 - nm));
    three += std::to_string(nm) + "," + std::to_string(nm % 11 + 1) + "," + em + "\n";
    two += std::to_string(nm) + "," + em + "\n";
  }
  const std::string download = dir.Write("three.csv", three);
  const std::string plain = dir.Write("two.csv", two);
  const std::string acceptor = kSamples + "acceptor_absorption.sp";
  const auto r0 = [&](std::vector<std::string> args) {
    args.insert(args.end(), {"--acceptors", acceptor, "--format", "json"});
    const CliRun run = Pairs(args);
    EXPECT_EQ(run.code, kExitSuccess) << run.err;
    return nlohmann::json::parse(run.out)["pairs"][0]["forster_distance_text"].get<std::string>();
  };
  const std::string expected = r0({"--donors", plain});
  EXPECT_EQ(r0({"--donors", download, "--donor-column", "auto"}), expected);
  EXPECT_EQ(r0({"--donors", download, "--donor-column", "3"}), expected);
  EXPECT_EQ(r0({"--donors", download, "--donor-units", "nm"}), expected);
  EXPECT_NE(r0({"--donors", download, "--donor-column", "Excitation"}), expected);
  // Without the option a header naming several spectra chooses, as a drop
  // on the main window does: the emission column, not the reader's fixed
  // column 2, and nothing to warn about.
  EXPECT_EQ(r0({"--donors", download}), expected);
  const CliRun by_header = Pairs({"--donors", download, "--acceptors", acceptor});
  EXPECT_EQ(by_header.err.find("Warning:"), std::string::npos) << by_header.err;

  const CliRun bad = Pairs({"--donors", download, "--donor-units", "mm", "--acceptors", acceptor});
  EXPECT_EQ(bad.code, kExitBadOption);
}

}  // namespace
}  // namespace korin
