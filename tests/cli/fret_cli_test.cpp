#include "cli/fret_cli.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/version.h"
#include "io/sha256.h"
#include "io/spectrum_loader.h"
#include "numeric/number_text.h"
#include "report/data_export.h"
#include "request/engine_request.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::CliRun;
using testing::RunCli;

const std::string kSamples = std::string(KORIN_SAMPLES_DIR) + "/";
const std::string kDonor = kSamples + "donor_emission.csv";
const std::string kAcceptor = kSamples + "acceptor_absorption.sp";

// The report the window writes for the panel as it stands, with no
// analysis asked.
ReportContent ReportOf(const FretEngine& engine) {
  return BuildReport(engine, RequestOf(engine),
                     Analyse(engine.session(), engine.ForsterDistanceValue(), {}), "today");
}

// Runs the built executable through the shell, with `environment` in front.
CliRun RunExecutable(const std::string& environment, const std::string& arguments) {
  const std::string command =
      environment + " " + KORIN_CLI_EXECUTABLE + " " + arguments + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    out.append(buffer, n);
  }
  const int status = pipe ? ::pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ""};
}

TEST(FretCliTest, PlainOutputOfTheSamplePair) {
  const CliRun r = RunCli({kDonor, kAcceptor});
  ASSERT_EQ(r.code, kExitSuccess) << r.err;
  EXPECT_EQ(r.err, "");
  // Two lines in the result fields' own formats.
  std::istringstream lines(r.out);
  std::string j_line, r0_line, extra;
  std::getline(lines, j_line);
  std::getline(lines, r0_line);
  EXPECT_FALSE(std::getline(lines, extra));
  EXPECT_TRUE(j_line.starts_with("Overlap Integral: ")) << j_line;
  EXPECT_TRUE(j_line.ends_with("E-13 M^-1 cm^3")) << j_line;
  // The sample pair's figures, as first computed and checked against the
  // plot by eye; a change here is a change of the numbers.
  EXPECT_EQ(r.out, "Overlap Integral: 3.1962E-13 M^-1 cm^3\nRo [Angstroms]: 55.6500\n");
}

TEST(FretCliTest, JsonAgreesWithThePlainTexts) {
  const CliRun plain = RunCli({kDonor, kAcceptor});
  const CliRun json = RunCli({kDonor, kAcceptor, "--json"});
  ASSERT_EQ(json.code, kExitSuccess) << json.err;
  const auto result = nlohmann::json::parse(json.out);
  const double j = result.at("overlap_integral").get<double>();
  const double r0 = result.at("forster_distance").get<double>();
  EXPECT_EQ(result.at("overlap_integral_text"), FormatExponent(j, "."));
  EXPECT_EQ(result.at("forster_distance_text"), FormatFixed(r0, "."));
  EXPECT_EQ(plain.out, "Overlap Integral: " + FormatExponent(j, ".") + " M^-1 cm^3\n" +
                           "Ro [Angstroms]: " + FormatFixed(r0, ".") + "\n");
  // The sample acceptor peaks near 0.85 at 1E-5 mol/L in 1 cm.
  EXPECT_NEAR(result.at("extinction_max").get<double>(), 85000.0, 500.0);
  EXPECT_EQ(result.at("emission").at("first"), 480);
  EXPECT_EQ(result.at("emission").at("last"), 700);
  EXPECT_EQ(result.at("absorption").at("first"), 400);
  EXPECT_EQ(result.at("absorption").at("file"), kAcceptor);
  const auto& p = result.at("parameters");
  EXPECT_EQ(p.at("concentration").get<double>(), 1e-5);
  EXPECT_EQ(p.at("orientation").get<double>(), 0.66667);
  EXPECT_EQ(p.at("refractive_index").get<double>(), 1.333);
  EXPECT_EQ(p.at("extinction_mode"), false);
  // R0 follows from J by the Foerster formula, computed here independently.
  const double n = p.at("refractive_index").get<double>();
  EXPECT_NEAR(r0, 9790.0 * std::pow(0.66667 * 0.5 * j / std::pow(n, 4.0), 1.0 / 6.0), 1e-9);
}

TEST(FretCliTest, ParametersChangeTheResultAsTheFormulaSays) {
  const auto r0_of = [](std::vector<std::string> extra) {
    std::vector<std::string> args{kDonor, kAcceptor, "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.code, kExitSuccess) << r.err;
    return nlohmann::json::parse(r.out).at("forster_distance").get<double>();
  };
  const double base = r0_of({"--orientation", "0.5"});
  // R0 grows with the sixth root of kappa^2, Q and epsilon, and falls with n^(-4/6).
  EXPECT_NEAR(r0_of({"--orientation", "1"}) / base, std::pow(2.0, 1.0 / 6.0), 1e-12);
  EXPECT_NEAR(r0_of({"--orientation", "0.5", "--quantum-yield", "0.25"}) / base,
              std::pow(0.5, 1.0 / 6.0), 1e-12);
  EXPECT_NEAR(r0_of({"--orientation", "0.5", "--concentration", "2E-5"}) / base,
              std::pow(0.5, 1.0 / 6.0), 1e-12);
  EXPECT_NEAR(r0_of({"--orientation", "0.5", "--optical-path", "0.5"}) / base,
              std::pow(2.0, 1.0 / 6.0), 1e-12);
  EXPECT_NEAR(r0_of({"--orientation", "0.5", "--refractive-index", "2.666"}) / base,
              std::pow(0.5, 4.0 / 6.0), 1e-12);
  EXPECT_NEAR(r0_of({"--orientation", "0.5", "--solvent", "Toluene"}) / base,
              std::pow(1.333 / 1.496, 4.0 / 6.0), 1e-12);
}

TEST(FretCliTest, ExtinctionEntryScalesToTheTypedPeak) {
  const CliRun r = RunCli({kDonor, kAcceptor, "--json", "--extinction", "1.7e5"});
  ASSERT_EQ(r.code, kExitSuccess) << r.err;
  const auto result = nlohmann::json::parse(r.out);
  EXPECT_EQ(result.at("extinction_max").get<double>(), 170000.0);
  EXPECT_EQ(result.at("extinction_max_text"), "170000");
  EXPECT_EQ(result.at("parameters").at("extinction_mode"), true);
}

TEST(FretCliTest, EveryFormatOfTheSamplePairIsRead) {
  for (const char* donor : {"csv", "ifx", "iss", "rls", "txt"}) {
    for (const char* acceptor : {"sp", "txt", "asp", "abt", "abs"}) {
      const CliRun r = RunCli(
          {kSamples + "donor_emission." + donor, kSamples + "acceptor_absorption." + acceptor});
      EXPECT_EQ(r.code, kExitSuccess) << donor << " " << acceptor << ": " << r.err;
    }
  }
}

TEST(FretCliTest, OptionValuesOutsideTheirRangeExitTwo) {
  const struct {
    std::vector<std::string> args;
    const char* named;  // the option the message must name
  } cases[] = {
      {{"--concentration", "1e-12"}, "--concentration"},  // the double lies below 1e-12
      {{"--concentration", "10.5"}, "--concentration"},
      {{"--concentration", "0,5"}, "--concentration"},
      {{"--optical-path", "2"}, "--optical-path"},
      {{"--extinction", "1e10"}, "--extinction"},
      {{"--extinction", "0.0009"}, "--extinction"},
      {{"--refractive-index", "1000.5"}, "--refractive-index"},
      {{"--orientation", "0.000001"}, "--orientation"},
      {{"--quantum-yield", "1.01"}, "--quantum-yield"},
      {{"--quantum-yield", "1e400"}, "--quantum-yield"},
      {{"--emission-filter", "7"}, "--emission-filter"},
      {{"--absorption-filter", "1.5"}, "--absorption-filter"},
      // Far beyond an int: refused before any conversion.
      {{"--emission-filter", "1e300"}, "--emission-filter"},
      {{"--plot-dpi", "1e300"}, "--plot-dpi"},
      {{"--solvent", "benzene"}, "--solvent"},
      {{"--solvent", "water", "--refractive-index", "1.4"}, "--refractive-index"},
      {{"--no-such-option"}, "--no-such-option"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{kDonor, kAcceptor};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.code, kExitBadOption) << c.named;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(RunCli({kDonor}).code, kExitBadOption);
}

TEST(FretCliTest, BoundaryValuesThatTheFieldsAccept) {
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{"--concentration", "1.1e-10"},
        {"--refractive-index", "0.0001"},
        {"--refractive-index", "1000"},
        {"--extinction", "0.001"},
        {"--quantum-yield", "0.0000011"},
        {"--optical-path", "0.1"}}) {
    std::vector<std::string> args{kDonor, kAcceptor};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(RunCli(args).code, kExitSuccess) << extra[0] << " " << extra[1];
  }
}

TEST(FretCliTest, RejectionsExitOneWithTheReadersMessages) {
  testing::TempDir dir;
  const std::string missing = (dir.path() / "missing.csv").string();
  const CliRun r = RunCli({missing, kAcceptor});
  EXPECT_EQ(r.code, kExitRejected);
  EXPECT_EQ(r.err, "File Error: " + missing +
                       "\nkorin-fret-cli: emission spectrum not accepted: " + missing + "\n");
  EXPECT_EQ(r.out, "");

  const std::string reversed = dir.Write("reversed.abs", "696 0.5\n698 0.3\n700 0.1\n");
  const CliRun order = RunCli({kDonor, reversed});
  EXPECT_EQ(order.code, kExitRejected);
  EXPECT_EQ(order.err, "File Error: " + reversed +
                           " Incorrect wavelength order\nkorin-fret-cli: absorption spectrum not "
                           "accepted: " +
                           reversed + "\n");

  // No reader for the extension on entry 1; the four-field reader refuses a
  // two-field file on entry 5.
  EXPECT_EQ(RunCli({kSamples + "donor_emission.csv", kSamples + "donor_emission.csv"}).code,
            kExitRejected);
  EXPECT_EQ(RunCli({kDonor, kAcceptor, "--emission-filter", "5"}).code, kExitRejected);
  EXPECT_EQ(RunCli({kDonor, kAcceptor, "--absorption-filter", "5"}).code, kExitSuccess);
}

TEST(FretCliTest, GateBoundsExitOne) {
  const CliRun low = RunCli({kDonor, kAcceptor, "--concentration", "1e-10"});
  EXPECT_EQ(low.code, kExitSuccess) << low.err;  // the double nearest 1e-10 lies above it
  const CliRun lower = RunCli({kDonor, kAcceptor, "--concentration", "9.9e-11"});
  EXPECT_EQ(lower.code, kExitRejected);
  EXPECT_NE(lower.err.find("1E-10"), std::string::npos);
}

TEST(FretCliTest, ZeroEmissionAreaIsRejected) {
  testing::TempDir dir;
  std::string flat = "nm,I\n";
  for (int w = 400; w <= 500; ++w) flat += std::to_string(w) + ",0\n";
  const CliRun r = RunCli({dir.Write("flat.csv", flat), kAcceptor});
  EXPECT_EQ(r.code, kExitRejected);
  EXPECT_EQ(r.out, "");
}

TEST(FretCliTest, NoArgumentsAtAll) {
  std::ostringstream out, err;
  EXPECT_EQ(RunFretCli({}, out, err), kExitBadOption);
}

TEST(FretCliTest, HelpAndVersion) {
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.code, kExitSuccess);
  EXPECT_NE(help.out.find("--quantum-yield"), std::string::npos);
  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.code, kExitSuccess);
  // The same version as the About window, from the project.
  EXPECT_EQ(version.out, "korin-fret-cli " + std::string(kVersion) + "\n");
}

// The executable takes the user's locale; a German one, whose decimal
// separator is a comma, must not change a byte.
TEST(FretCliTest, LocaleDoesNotChangeTheOutput) {
  for (const std::string& flags :
       {std::string(), std::string("--json"), std::string("--extinction 8e4 --json")}) {
    const std::string args = "'" + kDonor + "' '" + kAcceptor + "' " + flags;
    const CliRun c = RunExecutable("LC_ALL=C", args);
    const CliRun german = RunExecutable("LC_ALL=de_DE.UTF-8", args);
    ASSERT_EQ(c.code, kExitSuccess) << flags;
    EXPECT_EQ(german.code, kExitSuccess);
    EXPECT_EQ(german.out, c.out);
    EXPECT_NE(c.out.find('.'), std::string::npos);
  }
  EXPECT_EQ(RunExecutable("LC_ALL=de_DE.UTF-8",
                          "'" + kDonor + "' '" + kAcceptor + "' --concentration 0,00001")
                .code,
            kExitBadOption);
}

// The analysis figures: one line each when asked for, nothing new otherwise.
TEST(FretCliTest, AnalysisLines) {
  const CliRun plain = RunCli({kDonor, kAcceptor});
  const CliRun asked = RunCli({kDonor, kAcceptor, "--efficiency", "0.5", "--distance", "1e3",
                               "--kappa2-range", "0.4", "1.0", "--quantum-yield-error", "5"});
  ASSERT_EQ(asked.code, kExitSuccess) << asked.err;
  ASSERT_EQ(plain.code, kExitSuccess);
  // The two result lines stay first and unchanged.
  ASSERT_EQ(asked.out.substr(0, plain.out.size()), plain.out);
  std::istringstream lines(asked.out.substr(plain.out.size()));
  std::vector<std::string> added;
  for (std::string line; std::getline(lines, line);) added.push_back(line);
  ASSERT_EQ(added.size(), 4u) << asked.out;
  EXPECT_EQ(added[0], "Distance at E = 0.5 [Angstroms]: 55.652 (5.5652 nm)");  // E = 0.5 at R0
  const std::string efficiency_prefix = "Efficiency at 1000 Angstroms: ";
  ASSERT_TRUE(added[1].starts_with(efficiency_prefix)) << added[1];
  const double efficiency = std::stod(added[1].substr(efficiency_prefix.size()));
  EXPECT_NEAR(efficiency, 1 / (1 + std::pow(1000 / 55.652, 6)), 1e-3 * efficiency);
  EXPECT_TRUE(added[2].starts_with("Ro range [Angstroms]: ")) << added[2];
  EXPECT_NE(added[3].find("orientation factor"), std::string::npos) << added[3];
}

TEST(FretCliTest, AnalysisJson) {
  const CliRun plain = RunCli({kDonor, kAcceptor, "--json"});
  ASSERT_EQ(plain.code, kExitSuccess);
  const auto j = nlohmann::json::parse(plain.out);
  EXPECT_DOUBLE_EQ(j["overlap_integral_nm4"].get<double>(),
                   j["overlap_integral"].get<double>() * 1e28);
  EXPECT_DOUBLE_EQ(j["forster_distance_nm"].get<double>(),
                   j["forster_distance"].get<double>() / 10);
  EXPECT_TRUE(j["overlap"]["peak_nm"].is_number_integer());
  EXPECT_EQ(j["overlap"]["band_nm"].size(), 2u);
  EXPECT_TRUE(j["overlap"]["warnings"].is_array());
  EXPECT_FALSE(j.contains("uncertainty") || j.contains("distance") || j.contains("efficiency"));

  const CliRun asked = RunCli({kDonor, kAcceptor, "--json", "--efficiency", "0.25", "--distance",
                               "40", "--anisotropy", "0.1", "0.1", "--extinction-error", "10"});
  ASSERT_EQ(asked.code, kExitSuccess) << asked.err;
  const auto a = nlohmann::json::parse(asked.out);
  const double r0 = a["forster_distance"].get<double>();
  EXPECT_NEAR(a["distance"]["angstrom"].get<double>(), r0 * std::pow(3.0, 1.0 / 6.0), 1e-9);
  EXPECT_DOUBLE_EQ(a["distance"]["nm"].get<double>(), a["distance"]["angstrom"].get<double>() / 10);
  EXPECT_EQ(a["efficiency"]["angstrom"].get<double>(), 40.0);
  EXPECT_NEAR(a["efficiency"]["efficiency"].get<double>(), 1 / (1 + std::pow(40 / r0, 6)), 1e-12);
  EXPECT_LT(a["uncertainty"]["r0_min"].get<double>(), r0);
  EXPECT_GT(a["uncertainty"]["r0_max"].get<double>(), r0);
  double shares = 0.0;
  for (const auto& [name, share] : a["uncertainty"]["shares"].items())
    shares += share.get<double>();
  EXPECT_NEAR(shares, 1.0, 1e-12);
}

TEST(FretCliTest, AnalysisValuesOutsideTheirRangesAreBadOptions) {
  const std::vector<std::vector<std::string>> cases = {
      {"--efficiency", "1"},
      {"--efficiency", "0"},
      {"--efficiency", "0,5"},
      {"--distance", "-3"},
      {"--kappa2-range", "1", "0.4"},
      {"--kappa2-range", "0", "4.5"},
      {"--anisotropy", "0.5", "0.1"},
      {"--quantum-yield-error", "100"},
      {"--refractive-index-error", "-1"},
      {"--extinction-error", "x"},
  };
  for (const auto& extra : cases) {
    std::vector<std::string> args{kDonor, kAcceptor};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.code, kExitBadOption) << extra[0] << " " << extra[1];
    EXPECT_NE(r.err.find(extra[0]), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

// The words of a POSIX shell line as the report quotes them: spaces
// between words, single quotes around a word, '\'' for a quote inside.
std::vector<std::string> ShellWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool in_word = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\'') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '\'') {
      quoted = in_word = true;
    } else if (c == '\\' && i + 1 < line.size()) {
      word += line[++i];
      in_word = true;
    } else if (c == ' ') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

// Run the report's command line: its numbers are the report's.
TEST(FretCliTest, TheReportsCommandLineReproducesItsNumbers) {
  testing::TempDir dir;
  const std::string donor = dir.Write("it's a donor.csv", [] {
    std::ifstream in(kDonor);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }());
  const struct {
    const char* what;
    std::function<void(FretEngine&)> set_up;
  } cases[] = {
      {"the start values", [](FretEngine&) {}},
      {"toluene, another path and quantum yield",
       [](FretEngine& e) {
         e.ChooseSolvent(2);
         e.ChooseOpticalPath(2);
         e.EditField(PanelField::kQuantumYield, "0.8");
       }},
      {"an own refractive index and extinction entry",
       [](FretEngine& e) {
         e.ChooseSolvent(0);
         e.EditField(PanelField::kRefractiveIndex, "1.41");
         e.EditField(PanelField::kOrientation, "0.5");
         e.SetExtinctionEntry(true);
         e.EditField(PanelField::kExtinction, "9.5e4");
       }},
  };
  for (const auto& c : cases) {
    FretEngine engine;
    engine.Start();
    ASSERT_EQ(OpenSpectrum(engine, SpectrumSide::kEmission, 1, donor, {}).kind,
              LoadOutcome::Kind::kAccepted);
    ASSERT_EQ(OpenSpectrum(engine, SpectrumSide::kAbsorption, 5, kAcceptor, {}).kind,
              LoadOutcome::Kind::kAccepted);
    c.set_up(engine);
    ASSERT_TRUE(engine.ResultsVisible()) << c.what;
    const ReportContent report = ReportOf(engine);
    std::vector<std::string> args = ShellWords(report.command);
    ASSERT_EQ(args.at(1), donor) << report.command;
    const CliRun run = RunCli(std::vector<std::string>(args.begin() + 1, args.end()));
    ASSERT_EQ(run.code, kExitSuccess) << c.what << ": " << report.command << "\n" << run.err;
    EXPECT_EQ(run.out, "Overlap Integral: " + report.results[0].value + "\nRo [Angstroms]: " +
                           report.results[2].value.substr(0, report.results[2].value.find(' ')) +
                           "\n")
        << c.what;
  }
}

// The sample donor as a download shows it: an excitation column first, the
// wavelengths in micrometres, descending.
std::string DonorAsDownload() {
  std::ifstream in(kDonor);
  std::string line;
  std::getline(in, line);  // its header
  std::vector<std::string> rows;
  while (std::getline(in, line)) {
    const auto comma = line.find(',');
    const int nm = std::stoi(line.substr(0, comma));
    rows.push_back("0." + std::to_string(nm) + ",7," + line.substr(comma + 1) + "\n");
  }
  std::string text = "\xEF\xBB\xBF\"Wavelength (um)\",\"Excitation\",\"Emission\"\n";
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) text += *row;
  return text;
}

TEST(FretCliTest, ColumnImport) {
  testing::TempDir dir;
  const std::string download = dir.Write("dye.csv", DonorAsDownload());
  const std::string pair = dir.Write("pair.csv", "wavelength,a_em,b_em\n500,1,2\n520,2,1\n");
  const std::string nm = dir.Write("nm.csv", "Wavelength,Excitation,Emission\n500,1,2\n520,2,1\n");
  const std::string excitation_warning =
      "the values read as emission come from column 2 \"Excitation\", which the header names as "
      "excitation\n";
  const CliRun sample = RunCli({kDonor, kAcceptor});
  const struct {
    const char* what;
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {"by number", {download, kAcceptor, "--emission-columns", "1,3"}, kExitSuccess, ""},
      {"by name, value alone",
       {download, kAcceptor, "--emission-columns", "emission"},
       kExitSuccess,
       ""},
      {"chosen by the header", {download, kAcceptor, "--emission-units", "um"}, kExitSuccess, ""},
      {"the excitation column, asked for",
       {download, kAcceptor, "--emission-columns", "2"},
       kExitSuccess,
       "Warning: dye.csv: " + excitation_warning},
      {"the plain reader warns",
       {nm, kAcceptor},
       kExitSuccess,
       "Warning: nm.csv: " + excitation_warning},
      {"an ambiguous header is refused",
       {pair, kAcceptor, "--emission-units", "nm"},
       kExitRejected,
       "korin-fret-cli: emission spectrum not accepted: " + pair +
           ": several columns could hold the emission: column 2 \"a_em\", column 3 \"b_em\" in "
           "pair.csv (read as delimited columns)\n"},
      {"a unit of no kind",
       {download, kAcceptor, "--emission-units", "mm"},
       kExitBadOption,
       "korin-fret-cli: --emission-units: 'mm' is not accepted; expected nm, um or cm-1\n"},
      {"no value column",
       {download, kAcceptor, "--absorption-columns", "1,"},
       kExitBadOption,
       "korin-fret-cli: --absorption-columns: '1,' is not accepted; expected WL,VALUE or VALUE, "
       "each a column number from 1 or a header name\n"},
  };
  for (const auto& c : cases) {
    const CliRun r = RunCli(c.args);
    EXPECT_EQ(r.code, c.code) << c.what << "\n" << r.err;
    EXPECT_EQ(r.err, c.err) << c.what;
    if (c.code == kExitSuccess && c.err.empty()) {
      EXPECT_EQ(r.out, sample.out) << c.what;
    }
  }
  // The filter entry and the column import exclude each other.
  EXPECT_EQ(
      RunCli({download, kAcceptor, "--emission-columns", "1,3", "--emission-filter", "6"}).code,
      kExitBadOption);

  // The JSON names the reader and the columns; the other side stays as it was.
  const CliRun json = RunCli({download, kAcceptor, "--emission-columns", "3", "--json"});
  ASSERT_EQ(json.code, kExitSuccess) << json.err;
  const auto result = nlohmann::json::parse(json.out);
  EXPECT_EQ(result.at("emission").at("reader"), "delimited columns");
  const nlohmann::json columns = {{"wavelength", 1}, {"wavelength_name", "Wavelength (um)"},
                                  {"value", 3},      {"value_name", "Emission"},
                                  {"unit", "um"},    {"skipped_rows", 0}};
  EXPECT_EQ(result.at("emission").at("columns"), columns);
  EXPECT_FALSE(result.at("absorption").contains("reader"));

  // The report's command line repeats the columns.
  FretEngine engine;
  engine.Start();
  ASSERT_EQ(OpenColumns(engine, SpectrumSide::kEmission, {"", "Emission", {}}, download, {}).kind,
            LoadOutcome::Kind::kAccepted);
  ASSERT_EQ(OpenSpectrum(engine, SpectrumSide::kAbsorption, 5, kAcceptor, {}).kind,
            LoadOutcome::Kind::kAccepted);
  const ReportContent report = ReportOf(engine);
  EXPECT_NE(report.command.find("--emission-columns 1,3 --emission-units um"), std::string::npos)
      << report.command;
  const std::vector<std::string> args = ShellWords(report.command);
  const CliRun again = RunCli(std::vector<std::string>(args.begin() + 1, args.end()));
  EXPECT_EQ(again.out, sample.out) << report.command << "\n" << again.err;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The data and the Markdown are written here; the plot and the PDF by the
// drawing companion beside the executable.
TEST(FretCliTest, ExportsAndReports) {
  testing::TempDir dir;
  const auto in = [&](const char* name) { return (dir.path() / name).string(); };
  const std::string pair = kDonor + " " + kAcceptor;
  const CliRun plain =
      RunExecutable("", pair + " --export-data " + in("d.csv") + " --report " + in("r.md"));
  ASSERT_EQ(plain.code, kExitSuccess);
  EXPECT_TRUE(FileText(in("d.csv")).starts_with("# Korin-FRET " + std::string(kVersion)));
  const std::string markdown = FileText(in("r.md"));
  EXPECT_NE(markdown.find("## Reproduce"), std::string::npos);
  // Each input file by the digest of its bytes.
  for (const std::string& file : {kDonor, kAcceptor}) {
    EXPECT_NE(markdown.find("`" + Sha256Hex(FileText(file)) + "`"), std::string::npos) << file;
  }
#ifdef KORIN_DRAWING_COMPANION
  EXPECT_NE(markdown.find("](r-plot.svg)"), std::string::npos);
  EXPECT_TRUE(FileText(in("r-plot.svg")).starts_with("<?xml"));
  const CliRun drawn = RunExecutable(
      "", pair + " --export-plot " + in("p.png") + " --plot-size 300x200 --report " + in("r.pdf"));
  ASSERT_EQ(drawn.code, kExitSuccess);
  const std::string png = FileText(in("p.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // The header's width and height, big-endian at bytes 16 and 20.
  const auto number = [&png](std::size_t at) {
    std::uint32_t n = 0;
    for (std::size_t i = at; i < at + 4; ++i) n = n << 8 | static_cast<unsigned char>(png[i]);
    return n;
  };
  EXPECT_EQ(number(16), 300u);
  EXPECT_EQ(number(20), 200u);
  EXPECT_TRUE(FileText(in("r.pdf")).starts_with("%PDF"));
#endif
}

TEST(FretCliTest, ExistingFilesAreReplacedOnlyWithForce) {
  testing::TempDir dir;
  const std::string data = dir.Write("d.csv", "kept\n");
  const std::string pair = kDonor + " " + kAcceptor;
  EXPECT_EQ(RunExecutable("", pair + " --export-data " + data).code, kExitRejected);
  EXPECT_EQ(FileText(data), "kept\n");
  EXPECT_EQ(RunExecutable("", pair + " --export-data " + data + " --force").code, kExitSuccess);
  EXPECT_NE(FileText(data), "kept\n");
  // A folder that is not there: nothing written, and the reason.
  const CliRun missing = RunCli({kDonor, kAcceptor, "--export-data", "/no/such/folder/d.csv"});
  EXPECT_EQ(missing.code, kExitRejected);
  EXPECT_NE(missing.err.find("/no/such/folder/d.csv"), std::string::npos) << missing.err;
}

// Without the companion (a build without Qt, or a missing program) the
// drawing options are refused before anything runs; the Markdown goes
// without its plot.
TEST(FretCliTest, WithoutTheCompanionDrawingIsRefused) {
  testing::TempDir dir;
  const std::string pair = kDonor + " " + kAcceptor;
  const std::string none = "KORIN_FRET_RENDER=/nonexistent/korin-fret-render";
  for (const char* option : {" --export-plot ", " --report "}) {
    const std::string file = (dir.path() / (option[3] == 'e' ? "p.svg" : "r.pdf")).string();
    const CliRun r = RunExecutable(none, pair + option + file);
    EXPECT_EQ(r.code, kExitBadOption) << option;
    EXPECT_TRUE(r.out.empty()) << option;
    EXPECT_FALSE(std::filesystem::exists(file)) << option;
  }
  const std::string markdown = (dir.path() / "r.md").string();
  EXPECT_EQ(RunExecutable(none, pair + " --report " + markdown).code, kExitSuccess);
  EXPECT_EQ(FileText(markdown).find("plot.svg"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "r-plot.svg"));
}

}  // namespace
}  // namespace korin
