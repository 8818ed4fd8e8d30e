// Every parameter is declared once, in the parameter table; this checks
// that each front end derived from it agrees with the table: the command
// line's options and refusals, the dye sheet's columns and checks, the
// request's JSON and the reproducing command.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch/dye_sheet.h"
#include "cli/fret_cli.h"
#include "cli_run.h"
#include "request/engine_request.h"
#include "request/parameters.h"
#include "request/request_json.h"

namespace korin {
namespace {

using testing::CliRun;
using testing::RunCli;

const std::string kSamples = std::string(KORIN_SAMPLES_DIR) + "/";
const std::string kDonor = kSamples + "donor_emission.csv";
const std::string kAcceptor = kSamples + "acceptor_absorption.sp";

struct Sample {
  std::vector<std::string> good;  // accepted, and computes with the sample pair
  std::vector<std::string> bad;   // refused
};

// A value each parameter accepts and one it refuses. A parameter added to
// the table without a line here fails the test below.
const std::map<Parameter, Sample> kSamplesOf = {
    {Parameter::kEmissionFilter, {{"6"}, {"7"}}},
    {Parameter::kEmissionColumns, {{"1,2"}, {"1,"}}},
    {Parameter::kEmissionUnits, {{"nm"}, {"mm"}}},
    {Parameter::kAbsorptionFilter, {{"5"}, {"0"}}},
    {Parameter::kAbsorptionColumns, {{"1,2"}, {"2,"}}},
    {Parameter::kAbsorptionUnits, {{"nm"}, {"inch"}}},
    {Parameter::kQuantumYield, {{"0.8"}, {"1.5"}}},
    {Parameter::kOrientation, {{"0.5"}, {"0,5"}}},
    {Parameter::kConcentration, {{"2E-5"}, {"11"}}},
    {Parameter::kOpticalPath, {{"0.5"}, {"2"}}},
    {Parameter::kSolvent, {{"methanol"}, {"benzene"}}},
    {Parameter::kRefractiveIndex, {{"1.4"}, {"1001"}}},
    {Parameter::kExtinction, {{"8e4"}, {"1E10"}}},
    {Parameter::kEfficiency, {{"0.25"}, {"1"}}},
    {Parameter::kDistance, {{"40"}, {"-3"}}},
    {Parameter::kKappa2Range, {{"0.2", "3"}, {"1", "4.5"}}},
    {Parameter::kAnisotropy, {{"0.1", "0.2"}, {"0.5", "0.1"}}},
    {Parameter::kQuantumYieldError, {{"5"}, {"100"}}},
    {Parameter::kRefractiveIndexError, {{"2"}, {"x"}}},
    {Parameter::kExtinctionError, {{"0"}, {"-1"}}},
    {Parameter::kTargetDistance, {{"50"}, {"0"}}},
};

std::string Joined(const std::vector<std::string>& values) {
  std::string text;
  for (const std::string& value : values) text += (text.empty() ? "" : " ") + value;
  return text;
}

// The arguments that give `parameter` its `values` in `command`.
std::vector<std::string> Arguments(const ParameterDeclaration& declared, bool pairs,
                                   const std::vector<std::string>& values) {
  std::vector<std::string> args =
      pairs ? std::vector<std::string>{"pairs", "--donors", kDonor, "--acceptors", kAcceptor}
            : std::vector<std::string>{kDonor, kAcceptor};
  args.push_back(pairs && !declared.list_option.empty() ? declared.list_option : declared.option);
  args.insert(args.end(), values.begin(), values.end());
  return args;
}

TEST(ParameterTableTest, EveryFrontEndAgreesWithTheTable) {
  const std::string single_help = RunCli({"--help"}).out;
  const std::string pairs_help = RunCli({"pairs", "--help"}).out;
  for (const ParameterDeclaration& declared : ParameterTable()) {
    SCOPED_TRACE(declared.name);
    ASSERT_TRUE(kSamplesOf.contains(declared.id)) << "no sample values for a new parameter";
    const Sample& sample = kSamplesOf.at(declared.id);
    ASSERT_EQ(DeclarationNamed(declared.name), &declared);
    // What the table says a parameter accepts.
    EXPECT_TRUE(Refusals(declared.id, sample.good).empty());
    const std::vector<ValueRefusal> refused = Refusals(declared.id, sample.bad);
    ASSERT_FALSE(refused.empty());
    if (!declared.default_text.empty()) {
      EXPECT_TRUE(Refusals(declared.id, declared.default_text).empty());
    }

    // The command line: each command that offers the option lists it,
    // takes the good value and refuses the bad one in the table's words.
    const bool single = declared.scope != ParameterScope::kPairTable;
    const bool pairs = declared.scope != ParameterScope::kAnalysis;
    for (const bool in_pairs : {false, true}) {
      if (in_pairs ? !pairs : !single) continue;
      const std::string& option =
          in_pairs && !declared.list_option.empty() ? declared.list_option : declared.option;
      EXPECT_NE((in_pairs ? pairs_help : single_help).find(option + " "), std::string::npos)
          << option;
      const CliRun good = RunCli(Arguments(declared, in_pairs, sample.good));
      EXPECT_EQ(good.code, kExitSuccess)
          << option << " " << Joined(sample.good) << ": " << good.err;
      const CliRun bad = RunCli(Arguments(declared, in_pairs, sample.bad));
      EXPECT_EQ(bad.code, kExitBadOption) << option;
      // A choice is refused by the option parser, in its own words.
      if (declared.choices.empty()) {
        EXPECT_NE(bad.err.find("korin-fret-cli: " + option + ": '" + refused.front().text +
                               "' is not accepted; " + refused.front().why),
                  std::string::npos)
            << bad.err;
      }
    }

    // The dye sheet: a row of the parameter's side takes the good value and
    // is skipped for the bad one, in the table's words.
    if (!declared.sheet_column.empty()) {
      EXPECT_NE(declared.scope, ParameterScope::kShared);
      const std::string side = declared.scope == ParameterScope::kDonor ? "donor" : "acceptor";
      const auto sheet = [&](const std::string& cell) {
        return ParseDyeSheet(
            "file,side," + declared.sheet_column + "\nx.csv," + side + ",\"" + cell + "\"\n",
            "s.csv", "", {});
      };
      const DyeSheet taken = sheet(sample.good.front());
      ASSERT_EQ(taken.dyes.size(), 1u) << taken.skipped.front().reason;
      EXPECT_TRUE(taken.dyes[0].values.Given(declared.id));
      const DyeSheet skipped = sheet(sample.bad.front());
      ASSERT_EQ(skipped.skipped.size(), 1u);
      EXPECT_EQ(skipped.skipped[0].reason, declared.sheet_column + " '" + sample.bad.front() +
                                               "' is not accepted; " + refused.front().why +
                                               "; row skipped");
    }

    // The request's JSON carries it by name, and the reproducing command
    // by option, the values in order.
    FretRequest request;
    request.emission.path = kDonor;
    request.absorption.path = kAcceptor;
    request.Set(declared.id, sample.good);
    std::string error;
    const std::optional<FretRequest> read = RequestFromJson(RequestToJson(request), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(*read, request);
    EXPECT_NE(RequestToJson(request).find("\"" + declared.name + "\""), std::string::npos);
    const std::string command = ReproducingCommand(request);
    const bool written =
        command.find(" " + declared.option + " " + Joined(sample.good)) != std::string::npos;
    EXPECT_EQ(written, single) << command;
  }
}

}  // namespace
}  // namespace korin
