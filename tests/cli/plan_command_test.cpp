#include "cli/plan_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/fret_cli.h"
#include "cli_run.h"
#include "plan/plan_request.h"
#include "support/generated_spectra.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::CliRun;
using testing::RunCli;

using testing::AbsorptionTxt;
using testing::EmissionCsv;

// A donor at 520 nm and an acceptor at 570 nm on a 488-nm instrument.
class PlanCommandTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string donor_emission = dir.Write("d_em.csv", EmissionCsv(520, 15));
  std::string donor_absorption = dir.Write("d_abs.txt", AbsorptionTxt(490, 15));
  std::string acceptor_absorption = dir.Write("a_abs.txt", AbsorptionTxt(560, 20));
  std::string acceptor_emission = dir.Write("a_em.csv", EmissionCsv(590, 18));

  std::vector<std::string> Args(std::vector<std::string> more = {}) const {
    std::vector<std::string> args = {"plan",
                                     "--donor-emission",
                                     donor_emission,
                                     "--donor-absorption",
                                     donor_absorption,
                                     "--acceptor-absorption",
                                     acceptor_absorption,
                                     "--acceptor-emission",
                                     acceptor_emission,
                                     "--donor-extinction",
                                     "70000",
                                     "--acceptor-extinction",
                                     "90000",
                                     "--donor-quantum-yield",
                                     "0.6",
                                     "--acceptor-quantum-yield",
                                     "0.3",
                                     "--donor-laser",
                                     "488",
                                     "--donor-channel",
                                     "525/50",
                                     "--acceptor-channel",
                                     "630/75"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
};

TEST_F(PlanCommandTest, TextAndJsonGiveTheCoresFiguresAndTheSinglePairsR0) {
  const CliRun text = RunCli(Args({"--distance", "50", "--apparent-efficiency", "0.5"}));
  ASSERT_EQ(text.code, 0) << text.err;
  const CliRun single = RunCli(
      {donor_emission, acceptor_absorption, "--quantum-yield", "0.6", "--extinction", "90000"});
  // J and R0 are the single pair's lines, word for word.
  EXPECT_EQ(text.out.substr(0, single.out.size()), single.out);
  for (const char* line : {"Leakage alpha: ", "Direct excitation d: ", "Gamma: ",
                           "At 50 Angstroms: E ", "Apparent E 0.5: E "}) {
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
  }

  const CliRun json = RunCli(Args({"--json", "--distance", "50", "--acceptor-laser", "561"}));
  ASSERT_EQ(json.code, 0) << json.err;
  const auto plan = nlohmann::json::parse(json.out);
  PlanRequest request;
  request.pair.emission.path = donor_emission;
  request.pair.absorption.path = acceptor_absorption;
  request.pair.Set(Parameter::kQuantumYield, "0.6");
  request.pair.Set(Parameter::kExtinction, "90000");
  request.pair.Set(Parameter::kDistance, "50");
  request.donor_absorption.path = donor_absorption;
  request.acceptor_emission.path = acceptor_emission;
  const auto set = [&](PlanParameter p, std::string value) {
    request.values[static_cast<std::size_t>(p)] = {std::move(value)};
  };
  set(PlanParameter::kDonorExtinction, "70000");
  set(PlanParameter::kAcceptorQuantumYield, "0.3");
  set(PlanParameter::kDonorLaser, "488");
  set(PlanParameter::kAcceptorLaser, "561");
  set(PlanParameter::kDonorChannel, "525/50");
  set(PlanParameter::kAcceptorChannel, "630/75");
  const PlanOutcome core = RunPlan(request);
  ASSERT_EQ(core.refusal, "");
  EXPECT_EQ(plan["factors"]["leakage"].get<double>(), core.figures.factors.leakage);
  EXPECT_EQ(plan["factors"]["gamma"].get<double>(), core.figures.factors.gamma);
  EXPECT_EQ(plan["factors"]["delta"].get<double>(), *core.figures.factors.delta);
  EXPECT_EQ(plan["forster_distance_text"], core.forster_distance_text);
  EXPECT_EQ(plan["apparent_efficiency"]["curve"].size(), 21u);
  EXPECT_EQ(plan["apparent_efficiency"]["curve"][0][1].get<double>(),
            plan["apparent_efficiency"]["donor_only"].get<double>());
  for (const char* key : {"detection", "excitation", "brightness", "sensitivity_per_angstrom"}) {
    EXPECT_TRUE(plan.contains(key)) << key;
  }
}

TEST_F(PlanCommandTest, OneDownloadGivesBothSpectraOfADye) {
  std::string table = "Wavelength,Excitation,Emission\n";
  for (int w = 420; w <= 640; ++w) {
    const double ex = std::exp(-((w - 490.0) / 15) * ((w - 490.0) / 15) / 2);
    const double em = std::exp(-((w - 520.0) / 15) * ((w - 520.0) / 15) / 2);
    table += std::to_string(w) + "," + std::to_string(ex) + "," + std::to_string(em) + "\n";
  }
  const std::string dye = dir.Write("dye.csv", table);
  std::vector<std::string> args = Args();
  args[2] = dye;  // --donor-emission
  args[4] = dye;  // --donor-absorption
  const CliRun run = RunCli(args);
  ASSERT_EQ(run.code, 0) << run.err;
  // The emission column went to the pair, the excitation to the absorption.
  EXPECT_NE(run.err.find("excitation spectrum stands in for the absorption"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("values read as emission"), std::string::npos) << run.err;
}

TEST_F(PlanCommandTest, RefusalsAndExitCodes) {
  struct Case {
    std::vector<std::string> more;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {{"--donor-laser", "900"}, 1, "plan: the donor laser at 900 nm lies outside"},
      {{"--donor-laser", "abc"}, 2, "--donor-laser: 'abc' is not accepted"},
      {{"--donor-channel", "700/20", "--donor-channel", "525/50"},
       1,
       "the donor channel collects none of the donor's emission"},
      {{"--apparent-efficiency", "0"}, 1, "--apparent-efficiency: 0 lies outside"},
      {{"--acceptor-quantum-yield", "2"}, 2, "--acceptor-quantum-yield: '2' is not accepted"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = Args();
    // The case's options replace the standard ones of the same name.
    for (std::size_t i = 0; i + 1 < c.more.size(); i += 2) {
      for (std::size_t k = 0; k + 1 < args.size(); ++k) {
        if (args[k] == c.more[i])
          args.erase(args.begin() + static_cast<long>(k), args.begin() + static_cast<long>(k) + 2);
      }
    }
    args.insert(args.end(), c.more.begin(), c.more.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.code, c.code) << c.message << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  const CliRun missing = RunCli({"plan", "--donor-emission", donor_emission});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("--donor-laser is required"), std::string::npos) << missing.err;
}

// The pair table planned on the same instrument gives every pair the plan
// command's factors; a dye's second spectrum comes from its sheet row.
TEST_F(PlanCommandTest, PairTableRowsCarryThePlanCommandsFactors) {
  const std::string sheet = dir.Write("dyes.csv",
                                      "file,side,name,second_file,extinction,quantum_yield\n"
                                      "d_em.csv,donor,D,d_abs.txt,70000,0.6\n"
                                      "a_abs.txt,acceptor,A,a_em.csv,90000,0.3\n"
                                      "d_em.csv,donor,Lonely,,,0.6\n");
  const CliRun pairs =
      RunCli({"pairs", sheet, "--format", "json", "--target-distance", "50", "--donor-laser", "488",
              "--donor-channel", "525/50", "--acceptor-channel", "630/75"});
  EXPECT_EQ(pairs.code, 1) << "the donor without a second spectrum is reported";
  EXPECT_NE(pairs.err.find("Lonely"), std::string::npos) << pairs.err;
  const auto table = nlohmann::json::parse(pairs.out);
  const CliRun plan = RunCli(Args({"--json", "--distance", "50"}));
  ASSERT_EQ(plan.code, 0) << plan.err;
  const auto single = nlohmann::json::parse(plan.out);
  bool found = false;
  for (const auto& row : table["pairs"]) {
    if (row["donor"] != "D") {
      EXPECT_TRUE(row["plan"].is_null());
      continue;
    }
    found = true;
    for (const char* factor : {"leakage", "direct_excitation", "gamma"}) {
      EXPECT_EQ(row["plan"][factor].get<double>(), single["factors"][factor].get<double>())
          << factor;
    }
    EXPECT_EQ(row["plan"]["apparent_efficiency_at_target"].get<double>(),
              single["apparent_efficiency"]["at_distance"].get<double>());
  }
  EXPECT_TRUE(found);

  const std::string bad = dir.Write("bad.csv",
                                    "file,side,second_file,second_units\n"
                                    "d_em.csv,donor,d_abs.txt,parsecs\n"
                                    "a_abs.txt,acceptor,a_em.csv,\n");
  const CliRun skipped = RunCli({"pairs", bad});
  EXPECT_NE(skipped.err.find("second_units 'parsecs' is not accepted"), std::string::npos)
      << skipped.err;

  const CliRun half = RunCli({"pairs", sheet, "--donor-laser", "488"});
  EXPECT_EQ(half.code, 2);
  EXPECT_NE(half.err.find("a plan needs --donor-channel"), std::string::npos) << half.err;
}

}  // namespace
}  // namespace korin
