#include "web/engine/web_boundary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "core/analysis_result.h"
#include "report/analysis_text.h"
#include "request/apply_request.h"

namespace korin {
namespace {

using Json = nlohmann::json;

const std::string kSamples = std::string(KORIN_SAMPLES_DIR) + "/";

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Json Call(WebBoundary& boundary, const Json& call) {
  const Json answer = Json::parse(boundary.Call(call.dump()), nullptr, false);
  EXPECT_FALSE(answer.is_discarded());
  return answer;
}

// What the command-line tool prints for the pair read from disk.
std::string ToolLines(const std::string& donor, const std::string& acceptor) {
  FretRequest request;
  request.emission.path = kSamples + donor;
  request.absorption.path = kSamples + acceptor;
  FretEngine engine;
  (void)ApplyRequest(engine, request);
  const AnalysisResult analysis =
      Analyse(engine.session(), engine.ForsterDistanceValue(), AnalysisInputsOf(request));
  return ResultLines(engine, analysis);
}

// Every sample donor against every sample acceptor, from bytes held by the
// boundary, prints what the tool prints from the files on disk.
TEST(WebBoundaryTest, EverySamplePairGivesTheToolsLines) {
  const std::vector<std::string> donors = {"donor_emission.csv", "donor_emission.ifx",
                                           "donor_emission.iss", "donor_emission.rls",
                                           "donor_emission.txt"};
  const std::vector<std::string> acceptors = {"acceptor_absorption.abs", "acceptor_absorption.abt",
                                              "acceptor_absorption.asp", "acceptor_absorption.sp",
                                              "acceptor_absorption.txt"};
  WebBoundary boundary;
  for (const auto& name : donors) boundary.PutFile(name, Slurp(kSamples + name));
  for (const auto& name : acceptors) boundary.PutFile(name, Slurp(kSamples + name));
  for (const auto& donor : donors) {
    for (const auto& acceptor : acceptors) {
      SCOPED_TRACE(donor + " + " + acceptor);
      const Json answer = Call(
          boundary,
          {{"command", "pair"},
           {"request", {{"emission", {{"path", donor}}}, {"absorption", {{"path", acceptor}}}}}});
      ASSERT_EQ(answer["shown"], true) << answer.dump();
      EXPECT_EQ(answer["lines"], ToolLines(donor, acceptor));
      EXPECT_EQ(answer["files"]["emission"]["kind"], "accepted");
    }
  }
}

TEST(WebBoundaryTest, PairAnswersCarryPlotsAnalysisAndReport) {
  WebBoundary boundary;
  boundary.PutFile("d.csv", Slurp(kSamples + "donor_emission.csv"));
  boundary.PutFile("a.sp", Slurp(kSamples + "acceptor_absorption.sp"));
  const Json answer =
      Call(boundary, {{"command", "pair"},
                      {"request",
                       {{"emission", {{"path", "d.csv"}}},
                        {"absorption", {{"path", "a.sp"}}},
                        {"parameters", {{"efficiency", "0.5"}, {"kappa2_range", {"0.2", "3"}}}}}},
                      {"report", true},
                      {"csv", true},
                      {"date", "2026-12-09 10:00"}});
  ASSERT_EQ(answer["shown"], true);
  EXPECT_FALSE(answer["series"]["emission"]["values"].empty());
  EXPECT_FALSE(answer["series"]["extinction"]["values"].empty());
  EXPECT_DOUBLE_EQ(answer["analysis"]["cumulative"]["values"].back().get<double>(), 1.0);
  EXPECT_NE(answer["command"].get<std::string>().find("--efficiency 0.5"), std::string::npos);
  EXPECT_NE(answer["report"].get<std::string>().find("2026-12-09 10:00"), std::string::npos);
  EXPECT_EQ(answer["csv"].get<std::string>().rfind("# ", 0), 0u);
  EXPECT_TRUE(answer["result"].contains("uncertainty"));
}

// What the page must show instead of a result, never a crash.
TEST(WebBoundaryTest, RefusalsAreAnswers) {
  WebBoundary boundary;
  boundary.PutFile("d.csv", Slurp(kSamples + "donor_emission.csv"));
  boundary.PutFile("a.sp", "not a spectrum");
  const Json pair = {{"emission", {{"path", "d.csv"}}}, {"absorption", {{"path", "a.sp"}}}};

  Json answer = Call(boundary, {{"command", "pair"}, {"request", pair}});
  EXPECT_EQ(answer["shown"], false);
  EXPECT_EQ(answer["files"]["absorption"]["kind"], "refused");
  EXPECT_EQ(answer["files"]["emission"]["kind"], "accepted");

  Json typed = pair;
  typed["absorption"]["path"] = "d.csv";
  typed["parameters"] = {{"quantum_yield", "2"}};
  answer = Call(boundary, {{"command", "pair"}, {"request", typed}});
  EXPECT_EQ(answer["shown"], false);
  EXPECT_EQ(answer["refusals"][0]["parameter"], "quantum_yield");
  EXPECT_NE(answer["why"].get<std::string>().find("'2' is not accepted"), std::string::npos);

  struct Case {
    const char* call;
    const char* error;
  };
  for (const Case& c : {
           Case{"[1]", "not a JSON object"},
           Case{"{", "not a JSON object"},
           Case{R"({"command": 3})", "unknown command"},
           Case{R"({"command": "pair"})", "needs a request"},
           Case{R"({"command": "pair", "request": {"emission": {"path": "x"}}})",
                "no file named 'x'"},
           Case{R"({"command": "columns", "file": "d.csv", "side": 1})", "needs a side"},
           Case{R"({"command": "gate", "runs": "many"})", "no pair is shown"},
           Case{R"({"command": "pairs", "donors": "d.csv"})", "must be a list"},
           Case{R"({"command": "pairs", "donors": [{"file": 1}]})", "needs a file"},
       }) {
    const Json refused = Json::parse(boundary.Call(c.call));
    EXPECT_EQ(refused["ok"], false) << c.call;
    EXPECT_NE(refused["error"].get<std::string>().find(c.error), std::string::npos)
        << c.call << " -> " << refused.dump();
  }
}

TEST(WebBoundaryTest, ColumnsOfADownloadOfSeveralSpectra) {
  WebBoundary boundary;
  boundary.PutFile("dye.csv",
                   "Wavelength,Excitation,Emission\n500,0.1,0.2\n501,0.3,0.4\n502,0.5,0.6\n");
  const Json emission =
      Call(boundary, {{"command", "columns"}, {"file", "dye.csv"}, {"side", "emission"}});
  EXPECT_EQ(emission["choice"]["value_column"], 2);
  EXPECT_EQ(emission["needs_column_choice"], true);
  EXPECT_EQ(emission["columns"][0]["wavelength"], true);
  EXPECT_EQ(emission["preview"][0][1], "Excitation");
  const Json absorption =
      Call(boundary, {{"command", "columns"}, {"file", "dye.csv"}, {"side", "absorption"}});
  EXPECT_EQ(absorption["choice"]["value_column"], 1);
}

// The table's rows are the single pair's texts; refused files are listed.
TEST(WebBoundaryTest, PairTableRowsEqualTheSinglePair) {
  WebBoundary boundary;
  boundary.PutFile("d.csv", Slurp(kSamples + "donor_emission.csv"));
  boundary.PutFile("d.txt", Slurp(kSamples + "donor_emission.txt"));
  boundary.PutFile("a.sp", Slurp(kSamples + "acceptor_absorption.sp"));
  boundary.PutFile("bad.sp", "nothing");
  const Json answer =
      Call(boundary, {{"command", "pairs"},
                      {"donors", {{{"file", "d.csv"}}, {{"file", "d.txt"}, {"name", "Second"}}}},
                      {"acceptors", {{{"file", "a.sp"}}, {{"file", "bad.sp"}}}},
                      {"shared", {{"target_distance", "50"}}},
                      {"sort", "name"}});
  ASSERT_EQ(answer["rows"].size(), 2u) << answer.dump();
  EXPECT_EQ(answer["errors"].size(), 1u);
  EXPECT_EQ(answer["rows"][1]["donor"], "Second");
  EXPECT_TRUE(answer["rows"][0].contains("efficiency_at_target"));
  for (const Json& row : answer["rows"]) {
    const std::string donor = row["donor"] == "Second" ? "d.txt" : "d.csv";
    const Json single =
        Call(boundary,
             {{"command", "pair"},
              {"request", {{"emission", {{"path", donor}}}, {"absorption", {{"path", "a.sp"}}}}}});
    EXPECT_EQ(row["forster_distance_text"], single["texts"]["forster_distance"]);
    EXPECT_EQ(row["overlap_integral_text"], single["texts"]["overlap_integral"]);
  }
  const Json refused =
      Call(boundary, {{"command", "pairs"}, {"shared", {{"target_distance", "-1"}}}});
  EXPECT_FALSE(refused["why"].get<std::string>().empty());
}

}  // namespace
}  // namespace korin
