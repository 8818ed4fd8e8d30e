#include "core/fret_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/parameter_tables.h"
#include "support/recording_view.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

using testing::RecordingView;

const GridSpectrum kDonor = GaussianSpectrum(450, 650, 9000.0, 520.0, 25.0);
const GridSpectrum kAcceptor = GaussianSpectrum(400, 700, 0.85, 560.0, 30.0);
constexpr std::size_t kAcceptorPoints = 301;

class FretEngineTest : public ::testing::Test {
 protected:
  FretEngineTest() { engine_.Start(); }

  void LoadPair() {
    engine_.BeginLoad(SpectrumSide::kEmission);
    ASSERT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kEmission, kDonor, "donor.csv"));
    engine_.BeginLoad(SpectrumSide::kAbsorption);
    ASSERT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kAbsorption, kAcceptor, "acceptor.sp"));
    ASSERT_TRUE(view_.results_visible);
  }
  std::vector<double>& Series(PlotSeries s) { return view_.Points(s); }
  const FretSession& s() const { return engine_.session(); }

  RecordingView view_;
  FretEngine engine_{&view_};
};

TEST_F(FretEngineTest, StartWritesTheStartValuesAndTouchesNoPlot) {
  EXPECT_EQ(engine_.FieldText(PanelField::kOrientation), "0.66667");
  EXPECT_EQ(engine_.FieldText(PanelField::kRefractiveIndex), "1.333");
  EXPECT_EQ(engine_.FieldText(PanelField::kConcentration), "1E-5");
  EXPECT_EQ(engine_.FieldText(PanelField::kQuantumYield), "0.5");
  EXPECT_EQ(view_.Field(PanelField::kConcentration), "1E-5");
  EXPECT_EQ(s().orientation_factor, 0.66667);  // the text's value, not 2/3
  EXPECT_EQ(s().refractive_index, 1.333);
  EXPECT_TRUE(s().orientation_valid && s().refractive_index_valid && s().concentration_valid &&
              s().quantum_yield_valid);
  EXPECT_FALSE(view_.results_visible);
  EXPECT_EQ(engine_.LastGateOutcome(), GateOutcome::kConditionsFail);
  for (const std::string& call : view_.calls) {
    EXPECT_TRUE(call == "hide" || call.starts_with("field:") || call.starts_with("list:")) << call;
  }
  // The lists' start entries are told, so that a window's lists follow.
  EXPECT_EQ(view_.solvent, kStartSolvent);
  EXPECT_EQ(view_.optical_path, kStartOpticalPath);
}

TEST_F(FretEngineTest, LoadingBothSidesShowsTheResults) {
  LoadPair();
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "85000");
  EXPECT_EQ(view_.j_text, engine_.OverlapIntegralText());
  EXPECT_EQ(view_.r0_text, engine_.ForsterDistanceText());
  EXPECT_FALSE(view_.j_text.empty());
  EXPECT_EQ(Series(PlotSeries::kExtinction).size(), kAcceptorPoints);
  EXPECT_EQ(Series(PlotSeries::kAcceptorInput).size(), kAcceptorPoints);
  EXPECT_EQ(Series(PlotSeries::kDonorInput)[70], kDonor.values[520]);  // as read
  // The plotted emission has the area 1000 x quantum yield by the area rule.
  const auto& ys = Series(PlotSeries::kEmission);
  double area = 0.0;
  for (std::size_t i = 1; i < ys.size(); ++i) area += std::abs(ys[i] - ys[i - 1]) / 2 + ys[i - 1];
  EXPECT_NEAR(area, 500.0, 1e-9);
  EXPECT_TRUE(view_.donor.shown && view_.acceptor.shown);
  EXPECT_EQ(view_.acceptor.title, "acceptor.sp");
}

// The order of one absorption load, as the open command runs it: the
// input window, the derivation, then the gate, which derives once more.
TEST_F(FretEngineTest, AbsorptionLoadOrder) {
  engine_.BeginLoad(SpectrumSide::kAbsorption);
  view_.calls.clear();
  ASSERT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kAbsorption, kAcceptor, "a.sp"));
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"spectrum:absorption", "clear:3", "add:3",
                                                   "clear:1", "field:4", "add:1", "hide"}));
}

// The result texts carry "." whatever the locale: a window puts its own
// separator in when it shows them, and the command line prints them as
// they are.
TEST_F(FretEngineTest, ResultTextsCarryThePoint) {
  LoadPair();
  EXPECT_NE(view_.j_text.find('.'), std::string::npos) << view_.j_text;
  EXPECT_NE(view_.r0_text.find('.'), std::string::npos) << view_.r0_text;
  EXPECT_EQ(view_.j_text, engine_.OverlapIntegralText());
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "85000");
}

// Every view hears every change, in the order the views were added; a
// removed one hears nothing more, and adding one twice adds it once.
TEST_F(FretEngineTest, SeveralViewsFollowTheEngine) {
  RecordingView second;
  engine_.AddView(&second);
  engine_.AddView(&second);
  LoadPair();
  EXPECT_EQ(second.j_text, view_.j_text);
  EXPECT_EQ(second.Points(PlotSeries::kEmission), Series(PlotSeries::kEmission));
  EXPECT_TRUE(second.results_visible);
  view_.calls.clear();
  second.calls.clear();
  engine_.EditField(PanelField::kQuantumYield, "0.25");
  EXPECT_FALSE(second.calls.empty());
  EXPECT_EQ(second.calls, view_.calls) << "each view hears each change once, in the same order";
  engine_.RemoveView(&second);
  const std::size_t before = second.calls.size();
  engine_.EditField(PanelField::kQuantumYield, "0.5");
  EXPECT_EQ(second.calls.size(), before);
  EXPECT_FALSE(view_.calls.empty());
}

// A script enters whole texts and chooses lists and the entry mode: the
// views are told each, so that a window's fields, lists and radio buttons
// follow without the script touching a widget.
TEST_F(FretEngineTest, ChoicesAndEnteredTextsAreTold) {
  view_.calls.clear();
  engine_.ChooseSolvent(2);
  engine_.ChooseOpticalPath(5);
  engine_.EnterField(PanelField::kQuantumYield, "0.75");
  engine_.SetExtinctionEntry(true);
  EXPECT_EQ(view_.solvent, 2);
  EXPECT_EQ(view_.optical_path, 5);
  EXPECT_EQ(view_.Field(PanelField::kQuantumYield), "0.75");
  EXPECT_EQ(s().quantum_yield, 0.75) << "the field's handler ran";
  EXPECT_TRUE(view_.extinction_entry);
  // The engine's own return to concentration entry, when a concentration
  // is typed, is no choice: the radio buttons keep what the user chose.
  engine_.EditField(PanelField::kConcentration, "2E-5");
  EXPECT_FALSE(s().extinction_mode);
  EXPECT_TRUE(view_.extinction_entry);
  // A user's edit is not echoed back into the field being typed in.
  EXPECT_EQ(std::ranges::count(view_.calls, "field:0"), 0);  // kConcentration
}

// A typed 8e4 is written back as 80000, which reruns the calculation
// nested; the outer run then draws the extinction a second time.
TEST_F(FretEngineTest, RewrittenCoefficientRunsTheCalculationAgain) {
  LoadPair();
  engine_.SetExtinctionEntry(true);
  engine_.EditField(PanelField::kExtinction, "80000");
  const std::string j = view_.j_text;
  EXPECT_EQ(Series(PlotSeries::kExtinction).size(), kAcceptorPoints);
  engine_.EditField(PanelField::kExtinction, "8e4");
  EXPECT_EQ(view_.Field(PanelField::kExtinction), "80000");
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "80000");
  EXPECT_EQ(view_.j_text, j);
  EXPECT_TRUE(view_.results_visible);
  EXPECT_EQ(Series(PlotSeries::kExtinction).size(), 2 * kAcceptorPoints);
  // The scaled peak is exactly the coefficient.
  const auto& ys = Series(PlotSeries::kExtinction);
  EXPECT_EQ(*std::max_element(ys.begin(), ys.end()), 80000.0);
}

TEST_F(FretEngineTest, CoefficientBounds) {
  LoadPair();
  engine_.SetExtinctionEntry(true);
  const struct {
    const char* text;
    bool shown;
  } cases[] = {{"0.0009", false}, {"0.001", true}, {"9.9e9", true},
               {"1e10", false},   {"", false},     {"85000", true}};
  for (const auto& c : cases) {
    engine_.EditField(PanelField::kExtinction, c.text);
    EXPECT_EQ(view_.results_visible, c.shown) << c.text;
    EXPECT_EQ(Series(PlotSeries::kExtinction).empty(), !c.shown) << c.text;
  }
}

TEST_F(FretEngineTest, ConcentrationEditLeavesExtinctionEntry) {
  LoadPair();
  engine_.SetExtinctionEntry(true);
  engine_.EditField(PanelField::kExtinction, "50000");
  engine_.EditField(PanelField::kConcentration, "2e-5");
  EXPECT_FALSE(s().extinction_mode);
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "42500");
  engine_.EditField(PanelField::kConcentration, "abc");
  EXPECT_TRUE(Series(PlotSeries::kExtinction).empty());
  EXPECT_FALSE(view_.results_visible);
}

TEST_F(FretEngineTest, GateBoundsAndOutcomes) {
  LoadPair();
  const struct {
    const char* concentration;
    GateOutcome outcome;
  } cases[] = {
      {"1.1e-12", GateOutcome::kConditionsFail},  // the field takes it, the gate does not
      {"1e-10", GateOutcome::kShown},
      {"9.9e-11", GateOutcome::kConditionsFail},
      {"1e-5", GateOutcome::kShown},
  };
  for (const auto& c : cases) {
    engine_.EditField(PanelField::kConcentration, c.concentration);
    EXPECT_EQ(engine_.LastGateOutcome(), c.outcome) << c.concentration;
    EXPECT_EQ(view_.results_visible, c.outcome == GateOutcome::kShown) << c.concentration;
  }
}

TEST_F(FretEngineTest, HugeAbsorbanceOverTinyConcentrationDerivesNothing) {
  GridSpectrum huge = kAcceptor;
  huge.values[560] = 1e300;
  engine_.EditField(PanelField::kConcentration, "1e-10");
  engine_.BeginLoad(SpectrumSide::kEmission);
  ASSERT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kEmission, kDonor, "donor.csv"));
  engine_.BeginLoad(SpectrumSide::kAbsorption);
  ASSERT_TRUE(engine_.AcceptSpectrum(SpectrumSide::kAbsorption, huge, "huge.sp"));
  EXPECT_FALSE(s().extinction_valid);
  EXPECT_FALSE(view_.results_visible);
  EXPECT_TRUE(Series(PlotSeries::kExtinction).empty());
  // Scaled to a typed coefficient it can be used; back in concentration
  // entry the gate's own derivation refuses it.
  engine_.SetExtinctionEntry(true);
  engine_.EditField(PanelField::kExtinction, "50000");
  EXPECT_EQ(engine_.LastGateOutcome(), GateOutcome::kShown);
  engine_.SetExtinctionEntry(false);
  engine_.RunGate();
  EXPECT_EQ(engine_.LastGateOutcome(), GateOutcome::kExtinctionNotFinite);
  EXPECT_FALSE(view_.results_visible);
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "");
}

TEST_F(FretEngineTest, QuantumYieldRedrawsTheEmission) {
  LoadPair();
  const double peak = Series(PlotSeries::kEmission)[70];
  engine_.EditField(PanelField::kQuantumYield, "0.25");
  EXPECT_DOUBLE_EQ(Series(PlotSeries::kEmission)[70], peak / 2);
  engine_.EditField(PanelField::kQuantumYield, "2");
  EXPECT_TRUE(Series(PlotSeries::kEmission).empty());
  EXPECT_FALSE(view_.results_visible);
}

TEST_F(FretEngineTest, SolventAndOpticalPath) {
  engine_.EditField(PanelField::kRefractiveIndex, "1.42");
  engine_.ChooseSolvent(2);
  EXPECT_EQ(engine_.FieldText(PanelField::kRefractiveIndex), "1.496");
  EXPECT_EQ(s().refractive_index, 1.496);
  engine_.ChooseOpticalPath(2);
  EXPECT_EQ(s().optical_path, 0.5);
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "");  // nothing to derive yet
  LoadPair();
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "170000");
  engine_.ChooseOpticalPath(99);  // not in the list: nothing happens
  EXPECT_EQ(s().optical_path, 0.5);
}

TEST_F(FretEngineTest, RefusedAbsorptionWithdrawsOnlyItsSide) {
  LoadPair();
  engine_.BeginLoad(SpectrumSide::kAbsorption);
  engine_.RefuseSpectrum(SpectrumSide::kAbsorption);
  EXPECT_EQ(engine_.FieldText(PanelField::kExtinction), "");
  EXPECT_TRUE(Series(PlotSeries::kExtinction).empty());
  EXPECT_TRUE(Series(PlotSeries::kAcceptorInput).empty());
  EXPECT_FALSE(view_.acceptor.shown);
  EXPECT_FALSE(view_.results_visible);
  EXPECT_TRUE(view_.donor.shown);
  EXPECT_FALSE(Series(PlotSeries::kEmission).empty());
  EXPECT_TRUE(s().emission_valid);
}

TEST_F(FretEngineTest, AnEmissionWithoutPositiveAreaIsNotUsed) {
  GridSpectrum flat;
  flat.first = 400;
  flat.last = 500;  // all zeros
  engine_.BeginLoad(SpectrumSide::kEmission);
  EXPECT_FALSE(engine_.AcceptSpectrum(SpectrumSide::kEmission, flat, "flat.csv"));
  EXPECT_FALSE(s().emission_valid);
  EXPECT_TRUE(view_.donor.shown);  // the spectrum as read is still shown
  EXPECT_TRUE(Series(PlotSeries::kEmission).empty());
}

TEST_F(FretEngineTest, ASpectrumOffTheGridIsRefused) {
  GridSpectrum off = kDonor;
  off.last = 1501;
  engine_.BeginLoad(SpectrumSide::kEmission);
  EXPECT_FALSE(engine_.AcceptSpectrum(SpectrumSide::kEmission, off, "off.csv"));
  EXPECT_FALSE(s().emission_valid);
  EXPECT_FALSE(view_.donor.shown);
}

TEST_F(FretEngineTest, CoefficientWithoutAbsorptionIsOnlyStored) {
  engine_.SetExtinctionEntry(true);
  engine_.EditField(PanelField::kExtinction, "50000");
  EXPECT_EQ(s().extinction_max, 50000.0);
  EXPECT_FALSE(s().extinction_valid);
  EXPECT_EQ(engine_.LastGateOutcome(), GateOutcome::kConditionsFail);  // from the start
}

}  // namespace
}  // namespace korin
