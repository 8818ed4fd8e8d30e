#include "request/apply_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "request/engine_request.h"
#include "support/recording_view.h"

namespace korin {
namespace {

const std::string kSamples = std::string(KORIN_SAMPLES_DIR) + "/";
const std::string kDonor = kSamples + "donor_emission.csv";
const std::string kAcceptor = kSamples + "acceptor_absorption.sp";

FretRequest SamplePair() {
  FretRequest request;
  request.emission.path = kDonor;
  request.absorption.path = kAcceptor;
  return request;
}

struct Shown {
  bool shown;
  std::string j;
  std::string r0;
  bool operator==(const Shown&) const = default;
};

Shown Apply(const FretRequest& request) {
  FretEngine engine;
  (void)ApplyRequest(engine, request);
  return {engine.LastGateOutcome() == GateOutcome::kShown, engine.OverlapIntegralText(),
          engine.ForsterDistanceText()};
}

// The request gives what the panel gives when a user types the same values
// into it, in any order, and opens the same files.
TEST(ApplyRequestTest, TheRequestIsThePanel) {
  FretRequest request = SamplePair();
  request.Set(Parameter::kSolvent, "toluene");
  request.Set(Parameter::kQuantumYield, "0.8");
  request.Set(Parameter::kOpticalPath, "0.5");
  request.Set(Parameter::kConcentration, "2e-5");
  FretEngine user;
  user.Start();
  ASSERT_EQ(OpenSpectrum(user, SpectrumSide::kAbsorption, 1, kAcceptor, {}).kind,
            LoadOutcome::Kind::kAccepted);
  user.EditField(PanelField::kConcentration, "2e-5");
  user.ChooseOpticalPath(2);
  user.ChooseSolvent(2);
  ASSERT_EQ(OpenSpectrum(user, SpectrumSide::kEmission, 1, kDonor, {}).kind,
            LoadOutcome::Kind::kAccepted);
  user.EditField(PanelField::kQuantumYield, "0.8");
  ASSERT_TRUE(user.ResultsVisible());
  EXPECT_EQ(Apply(request), (Shown{true, user.OverlapIntegralText(), user.ForsterDistanceText()}));
}

// A report's command is the panel's request: applied afresh it shows the
// same texts, whatever the panel held.
TEST(ApplyRequestTest, ThePanelsOwnRequestReproducesIt) {
  const struct {
    const char* what;
    void (*set_up)(FretEngine&);
  } cases[] = {
      {"the start values", [](FretEngine&) {}},
      {"an own refractive index and a concentration",
       [](FretEngine& e) {
         e.ChooseSolvent(0);
         e.EditField(PanelField::kRefractiveIndex, " 1.41");
         e.EditField(PanelField::kConcentration, "7.5E-6");
         e.ChooseOpticalPath(5);
       }},
      {"extinction entry with a text the panel rewrites",
       [](FretEngine& e) {
         e.SetExtinctionEntry(true);
         e.EditField(PanelField::kExtinction, "9.5e4");
       }},
      {"another reader for the absorption",
       [](FretEngine& e) {
         ASSERT_EQ(
             OpenSpectrum(e, SpectrumSide::kAbsorption, 6, kSamples + "acceptor_absorption.txt", {})
                 .kind,
             LoadOutcome::Kind::kAccepted);
       }},
      {"the emission through the column import",
       [](FretEngine& e) {
         ASSERT_EQ(OpenColumns(e, SpectrumSide::kEmission, {"", "2", {}}, kDonor, {}).kind,
                   LoadOutcome::Kind::kAccepted);
       }},
  };
  for (const auto& c : cases) {
    FretEngine engine;
    (void)ApplyRequest(engine, SamplePair());
    c.set_up(engine);
    ASSERT_TRUE(engine.ResultsVisible()) << c.what;
    const FretRequest request = RequestOf(engine);
    EXPECT_TRUE(CheckRequest(request).empty()) << c.what;
    EXPECT_EQ(Apply(request),
              (Shown{true, engine.OverlapIntegralText(), engine.ForsterDistanceText()}))
        << c.what << ": " << ReproducingCommand(request);
  }
}

// Why no result stands, named by option for the command line and in words
// for the pair table; only the sides a request names are judged.
TEST(ApplyRequestTest, GateRefusalSaysWhy) {
  const auto request = [](std::vector<std::pair<Parameter, std::string>> values, bool donor = true,
                          bool acceptor = true) {
    FretRequest r;
    if (donor) r.emission.path = kDonor;
    if (acceptor) r.absorption.path = kAcceptor;
    for (auto& [parameter, text] : values) r.Set(parameter, std::move(text));
    return r;
  };
  const struct {
    FretRequest request;
    const char* options;
    const char* words;
  } cases[] = {
      {request({}), "", ""},
      {request({{Parameter::kQuantumYield, "2"}}),
       "--quantum-yield: '2' is not accepted; expected a number with 1E-6 <= Q <= 1",
       "the quantum yield '2' is not accepted; expected a number with 1E-6 <= Q <= 1"},
      {request({{Parameter::kConcentration, "5E-11"}}),
       "the concentration must exceed 1E-10 mol/L for the calculation",
       "the concentration must exceed 1E-10 mol/L for the calculation"},
      {request({{Parameter::kRefractiveIndex, "1E-4"}}),
       "",  // its double lies just above 1E-4: accepted
       ""},
      {request({{Parameter::kRefractiveIndex, "abc"}}),
       "--refractive-index: 'abc' is not accepted; expected a number with 1E-4 <= n <= 1000",
       "the refractive index 'abc' is not accepted; expected a number with 1E-4 <= n <= 1000"},
      // In range as typed, but written back in 15 digits it reaches the bound.
      {request({{Parameter::kExtinction, "9999999999.999998"}}),
       "--extinction '9999999999.999998' is written back in 15 digits as '10000000000', which is "
       "not a number with 0.001 < E < 1E10 (M^-1 cm^-1)",
       "the extinction coefficient '9999999999.999998' is written back in 15 digits as "
       "'10000000000', which is not a number with 0.001 < E < 1E10 (M^-1 cm^-1)"},
      // The acceptor alone, as the pair table prepares it, and the donor
      // side is not judged.
      {request({{Parameter::kExtinction, "1E10"}, {Parameter::kQuantumYield, "2"}}, false),
       "--extinction: '1E10' is not accepted; expected a number with 0.001 < E < 1E10 (M^-1 "
       "cm^-1)",
       "the extinction coefficient '1E10' is not accepted; expected a number with 0.001 < E < "
       "1E10 (M^-1 cm^-1)"},
      {request({{Parameter::kQuantumYield, "1"}}, true, false), "", ""},
  };
  for (const auto& c : cases) {
    FretEngine engine;
    (void)ApplyRequest(engine, c.request);
    EXPECT_EQ(GateRefusal(engine, c.request, Naming::kOptions), c.options) << c.words;
    EXPECT_EQ(GateRefusal(engine, c.request, Naming::kWords), c.words) << c.words;
  }
}

// The command line stops at the first file it refuses; a window opens
// both, as a user would, and is told of each.
TEST(ApplyRequestTest, HooksSeeEachOpenAndTheReadersMessages) {
  FretRequest request = SamplePair();
  request.emission.path = kSamples + "missing.csv";
  std::vector<std::string> messages;
  std::vector<SpectrumSide> opened;
  RequestHooks hooks;
  hooks.messages = [&](std::string_view m) { messages.emplace_back(m); };
  hooks.opened = [&](SpectrumSide side, const LoadOutcome&) { opened.push_back(side); };
  FretEngine stops;
  const RequestOutcome stopped = ApplyRequest(stops, request, hooks);
  EXPECT_EQ(messages, std::vector<std::string>{"File Error: " + request.emission.path});
  EXPECT_EQ(opened, std::vector<SpectrumSide>{SpectrumSide::kEmission});
  EXPECT_FALSE(stopped.absorption);
  EXPECT_FALSE(stopped.Loaded(request));

  hooks.stop_at_refused = false;
  opened.clear();
  testing::RecordingView view;
  FretEngine goes_on(&view);
  const RequestOutcome both = ApplyRequest(goes_on, request, hooks);
  EXPECT_EQ(opened,
            (std::vector<SpectrumSide>{SpectrumSide::kEmission, SpectrumSide::kAbsorption}));
  ASSERT_TRUE(both.absorption);
  EXPECT_EQ(both.absorption->kind, LoadOutcome::Kind::kAccepted);
  EXPECT_TRUE(view.acceptor.shown);
  EXPECT_FALSE(view.donor.shown);
}

// Bytes handed over with the request are read instead of the file; the
// path only names them.
TEST(ApplyRequestTest, SpectraGivenAsBytes) {
  FretRequest request = SamplePair();
  request.emission = {"in memory.csv", "Wavelength,Intensity\n500,1\n520,3\n540,1\n"};
  FretEngine engine;
  const RequestOutcome outcome = ApplyRequest(engine, request);
  ASSERT_TRUE(outcome.Loaded(request));
  EXPECT_EQ(engine.Origin(SpectrumSide::kEmission).path, "in memory.csv");
  EXPECT_EQ(engine.session().emission_first, 500);
  EXPECT_EQ(engine.session().emission_last, 540);
}

}  // namespace
}  // namespace korin
