// The FRET Analysis window driven with the sample pair, as a user sees it:
// the figures in both units, dashes while the results are hidden, distance
// from efficiency and back with refusals in words, R0's range by factor,
// and the overlap diagnostics. Expected texts come from the core functions
// over the engine's own values, so only the window's wiring is under test.
#include "plots/analysis_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/fret_analysis.h"
#include "core/fret_engine.h"
#include "io/spectrum_loader.h"

namespace korin {
namespace {

using Input = AnalysisWindow::Input;

const QString kDash = QStringLiteral("\u2014");

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
QString Text(double value) {
  return Q(AnalysisText(value));
}

// A donor emission as a two-column file: a bell around 540 nm from 450 nm
// to `last`; cut off while still bright when `last` lies near the peak.
std::string DonorCsv(int last) {
  std::string csv = "Wavelength,Intensity\n";
  for (int nm = 450; nm <= last; ++nm) {
    const double z = (nm - 540) / 15.0;
    csv += std::to_string(nm) + "," + std::to_string(1000.0 * std::exp(-z * z / 2)) + "\n";
  }
  return csv;
}

class AnalysisWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_.Start();
    Open(SpectrumSide::kEmission, KORIN_SAMPLES_DIR "/donor_emission.csv");
    Open(SpectrumSide::kAbsorption, KORIN_SAMPLES_DIR "/acceptor_absorption.sp");
    ASSERT_TRUE(engine_.ResultsVisible());
    window_.show();
    window_.Refresh();
  }

  void Open(SpectrumSide side, const std::string& path) {
    ASSERT_EQ(OpenSpectrum(engine_, side, 1, path, {}).kind, LoadOutcome::Kind::kAccepted) << path;
  }
  void LoadDonor(const std::string& content) {
    const SpectrumSource source{.name = "donor.csv", .content = content};
    ASSERT_EQ(LoadSpectrum(engine_, SpectrumSide::kEmission, 1, source, {}).kind,
              LoadOutcome::Kind::kAccepted);
    window_.Refresh();
  }

  QString Label(const QString& name) const {
    const auto* label = window_.findChild<QLabel*>(name);
    EXPECT_NE(label, nullptr) << name.toStdString();
    return label ? label->text() : QString();
  }
  QLineEdit& Edit(const QString& name) const {
    auto* edit = window_.findChild<QLineEdit*>(name + QStringLiteral("Input"));
    EXPECT_NE(edit, nullptr) << name.toStdString();
    return *edit;
  }
  void Choose(Input input) const {
    window_.findChild<QComboBox*>(QStringLiteral("InputKind"))
        ->setCurrentIndex(static_cast<int>(input));
  }
  double R0() const { return engine_.ForsterDistanceValue(); }

  FretEngine engine_;
  AnalysisWindow window_{engine_};
};

TEST_F(AnalysisWindowTest, ShowsTheSamplePairInBothUnits) {
  // The sample pair's known J, as the main window prints it too.
  EXPECT_EQ(Label("OverlapIntegralCm3"), QStringLiteral("3.1962E-13"));
  const double j = engine_.session().overlap_integral;
  const std::pair<const char*, QString> figures[] = {
      {"OverlapIntegralCm3", Text(j)},
      {"OverlapIntegralNm4", Text(OverlapIntegralInNm4(j))},
      {"ForsterDistanceAngstrom", Text(R0())},
      {"ForsterDistanceNm", Text(AngstromsToNanometres(R0()))},
  };
  for (const auto& [name, expected] : figures) EXPECT_EQ(Label(name), expected) << name;
  EXPECT_EQ(Label("OverlapIntegralNm4"), QStringLiteral("3.1962E15"));
}

TEST_F(AnalysisWindowTest, EveryFigureIsADashWhileResultsAreHidden) {
  engine_.EditField(PanelField::kQuantumYield, "2");
  ASSERT_FALSE(engine_.ResultsVisible());
  window_.Refresh();
  QStringList figures = {"OverlapIntegralCm3",
                         "OverlapIntegralNm4",
                         "ForsterDistanceAngstrom",
                         "ForsterDistanceNm",
                         "EfficiencyResult",
                         "DistanceResult",
                         "DistanceResultNm",
                         "R0Min",
                         "R0Max",
                         "OverlapPeak",
                         "OverlapBand",
                         "OverlapWarnings"};
  for (int i = 0; i < kR0FactorCount; ++i) {
    for (const char* column : {"FactorMin", "FactorMax", "FactorShare"})
      figures.append(QString::fromLatin1(column) + QString::number(i));
  }
  for (const QString& name : figures) EXPECT_EQ(Label(name), kDash) << name.toStdString();
  for (const chart::Series* series : std::initializer_list<const chart::Series*>{
           &window_.EfficiencySeries(), &window_.UsableRangeSeries(), &window_.CurrentPointSeries(),
           &window_.CumulativeSeries(), &window_.TermSeries()}) {
    EXPECT_TRUE(series->Points().empty()) << series->Title().toStdString();
  }

  engine_.EditField(PanelField::kQuantumYield, "0.5");
  window_.Refresh();
  EXPECT_EQ(Label("ForsterDistanceAngstrom"), Text(R0()));
  EXPECT_EQ(Label("DistanceResult"), Text(R0())) << "E = 0.5 stands at r = R0";
  EXPECT_FALSE(window_.CumulativeSeries().Points().empty());
}

TEST_F(AnalysisWindowTest, DistanceFromEfficiencyAndBack) {
  struct Case {
    Input input;
    std::vector<std::pair<const char*, const char*>> fields;
    double efficiency;  // expected; the distance follows from it or gives it
    double distance;
  };
  const double r0 = R0();
  const Case cases[] = {
      {Input::kEfficiency, {{"Efficiency", "0.5"}}, 0.5, r0},
      {Input::kEfficiency, {{"Efficiency", "0.9"}}, 0.9, DonorAcceptorDistance(0.9, r0)},
      {Input::kLifetimes,
       {{"LifetimeWithAcceptor", "1.5"}, {"LifetimeDonor", "3"}},
       0.5,
       DonorAcceptorDistance(0.5, r0)},
      {Input::kIntensities,
       {{"IntensityWithAcceptor", "25"}, {"IntensityDonor", "100"}},
       0.75,
       DonorAcceptorDistance(0.75, r0)},
      {Input::kDistance, {{"Distance", "30"}}, TransferEfficiency(30, r0), 30},
  };
  for (const Case& c : cases) {
    Choose(c.input);
    for (const auto& [field, text] : c.fields) Edit(field).setText(QString::fromLatin1(text));
    const std::string what = c.fields.front().second;
    EXPECT_EQ(Label("EfficiencyResult"), Text(c.efficiency)) << what;
    EXPECT_EQ(Label("DistanceResult"), Text(c.distance)) << what;
    EXPECT_EQ(Label("DistanceResultNm"), Text(AngstromsToNanometres(c.distance))) << what;
    // The L from the E axis across to the curve and down to the r axis.
    const auto points = window_.CurrentPointSeries().Points();
    ASSERT_EQ(points.size(), 3u) << what;
    EXPECT_EQ(std::make_pair(points[0].x, points[0].y), std::make_pair(0.0, c.efficiency));
    EXPECT_DOUBLE_EQ(points[1].x, c.distance) << what;
    EXPECT_EQ(points[1].y, c.efficiency) << what;
    EXPECT_EQ(points[2].y, 0.0) << what;
  }
  // E = 0.5 is the definition of R0: the two texts agree to the digit.
  Choose(Input::kEfficiency);
  Edit("Efficiency").setText(QStringLiteral("0.5"));
  EXPECT_EQ(Label("DistanceResult"), Label("ForsterDistanceAngstrom"));
}

TEST_F(AnalysisWindowTest, RefusedInputsShowTheirMessageInRedAndNoNumber) {
  const struct {
    Input input;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* message_label;
    std::string message;
  } cases[] = {
      {Input::kEfficiency, {{"Efficiency", "1"}}, "EfficiencyMessage", EfficiencyOf(1).message},
      {Input::kEfficiency, {{"Efficiency", "0"}}, "EfficiencyMessage", EfficiencyOf(0).message},
      {Input::kEfficiency,
       {{"Efficiency", "0,5"}},
       "EfficiencyMessage",
       "Not a number: write digits with \".\" as the decimal separator."},
      {Input::kEfficiency, {{"Efficiency", ""}}, "EfficiencyMessage", "Enter a number."},
      {Input::kLifetimes,
       {{"LifetimeWithAcceptor", "5"}, {"LifetimeDonor", "4"}},
       "LifetimeDonorMessage",
       EfficiencyFromLifetimes(5, 4).message},
      {Input::kLifetimes,
       {{"LifetimeWithAcceptor", "2 ns"}, {"LifetimeDonor", "4"}},
       "LifetimeWithAcceptorMessage",
       "Not a number: write digits with \".\" as the decimal separator."},
      {Input::kIntensities,
       {{"IntensityWithAcceptor", "10"}, {"IntensityDonor", "0"}},
       "IntensityDonorMessage",
       EfficiencyFromIntensities(10, 0).message},
      {Input::kDistance, {{"Distance", "-3"}}, "DistanceMessage", DistanceOf(-3).message},
  };
  for (const auto& c : cases) {
    Choose(c.input);
    for (const auto& [field, text] : c.fields) Edit(field).setText(QString::fromLatin1(text));
    const auto* message = window_.findChild<QLabel*>(QString::fromLatin1(c.message_label));
    ASSERT_NE(message, nullptr);
    ASSERT_FALSE(c.message.empty());
    EXPECT_EQ(message->text(), Q(c.message)) << c.fields.front().second;
    EXPECT_EQ(message->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (const char* figure : {"EfficiencyResult", "DistanceResult", "DistanceResultNm"})
      EXPECT_EQ(Label(figure), kDash) << c.fields.front().second << " " << figure;
    EXPECT_TRUE(window_.CurrentPointSeries().Points().empty());
  }
  // Corrected, the message goes and the answer comes.
  Choose(Input::kDistance);
  Edit("Distance").setText(QStringLiteral("40"));
  EXPECT_EQ(Label("DistanceMessage"), QString());
  EXPECT_EQ(Label("EfficiencyResult"), Text(TransferEfficiency(40, R0())));
}

TEST_F(AnalysisWindowTest, EfficiencyCurveSpansTwiceR0WithTheUsableBandShaded) {
  const auto curve = window_.EfficiencySeries().Points();
  ASSERT_GE(curve.size(), 100u);
  EXPECT_EQ(curve.front().x, 0.0);
  EXPECT_EQ(curve.front().y, 1.0);
  EXPECT_DOUBLE_EQ(curve.back().x, 2 * R0());
  for (const chart::DataPoint& p : curve) ASSERT_EQ(p.y, TransferEfficiency(p.x, R0())) << p.x;
  // The band rises at 0.5 R0 to E = 1 and falls back at 1.5 R0.
  std::vector<std::pair<double, double>> band;
  for (const chart::DataPoint& p : window_.UsableRangeSeries().Points())
    band.emplace_back(p.x, p.y);
  const double low = 0.5 * R0();
  const double high = 1.5 * R0();
  EXPECT_EQ(band,
            (std::vector<std::pair<double, double>>{{low, 0}, {low, 1}, {high, 1}, {high, 0}}));
  EXPECT_FALSE(window_.UsableRangeSeries().MarkersVisible());
}

TEST_F(AnalysisWindowTest, Kappa2BoundsFromAnisotropies) {
  Edit("Kappa2Min").setText(QStringLiteral("0.5"));
  Edit("Kappa2Max").setText(QStringLiteral("1"));
  auto* from_anisotropies = window_.findChild<QCheckBox*>(QStringLiteral("FromAnisotropies"));
  ASSERT_NE(from_anisotropies, nullptr);
  from_anisotropies->setChecked(true);
  Edit("DonorAnisotropy").setText(QStringLiteral("0"));
  Edit("AcceptorAnisotropy").setText(QStringLiteral("0"));
  // Fully depolarised dyes: the single value 2/3 both ways, so R0 has no range.
  EXPECT_EQ(Edit("Kappa2Min").text(), Text(2.0 / 3.0));
  EXPECT_EQ(Edit("Kappa2Max").text(), Text(2.0 / 3.0));
  EXPECT_FALSE(Edit("Kappa2Min").isEnabled());
  const R0Uncertainty even = ForsterDistanceUncertainty(engine_.session(), {}, {});
  EXPECT_EQ(Label("R0Min"), Text(even.r0_min));
  EXPECT_EQ(Label("R0Max"), Label("R0Min"));

  Edit("AcceptorAnisotropy").setText(QStringLiteral("0.2"));
  std::string message;
  const auto bounds = Kappa2FromAnisotropies(0, 0.2, message);
  ASSERT_TRUE(bounds);
  const R0Uncertainty spread = ForsterDistanceUncertainty(engine_.session(), *bounds, {});
  EXPECT_EQ(Edit("Kappa2Max").text(), Text(bounds->max));
  EXPECT_EQ(Label("R0Min"), Text(spread.r0_min));
  EXPECT_EQ(Label("R0Max"), Text(spread.r0_max));
  EXPECT_EQ(Label("FactorShare0"), QStringLiteral("100.00 %")) << "only kappa^2 spreads";

  Edit("AcceptorAnisotropy").setText(QStringLiteral("0.5"));
  EXPECT_FALSE(Kappa2FromAnisotropies(0, 0.5, message));
  EXPECT_EQ(Label("AcceptorAnisotropyMessage"), Q(message));
  EXPECT_EQ(Label("R0Min"), kDash);

  // Unchecked, the fields give back what the user typed.
  from_anisotropies->setChecked(false);
  EXPECT_EQ(Edit("Kappa2Min").text(), QStringLiteral("0.5"));
  EXPECT_EQ(Edit("Kappa2Max").text(), QStringLiteral("1"));
  const R0Uncertainty typed = ForsterDistanceUncertainty(engine_.session(), {0.5, 1}, {});
  EXPECT_EQ(Label("R0Max"), Text(typed.r0_max));
}

TEST_F(AnalysisWindowTest, R0RangeAndSharesFollowTheErrors) {
  Edit("Kappa2Min").setText(QStringLiteral("0.6"));
  Edit("Kappa2Max").setText(QStringLiteral("0.7"));
  Edit("QuantumYieldError").setText(QStringLiteral("10"));
  Edit("RefractiveIndexError").setText(QStringLiteral("2"));
  Edit("ExtinctionError").setText(QStringLiteral("5"));
  const R0Uncertainty u =
      ForsterDistanceUncertainty(engine_.session(), {0.6, 0.7}, {0.1, 0.02, 0.05});
  EXPECT_EQ(Label("R0Min"), Text(u.r0_min));
  EXPECT_EQ(Label("R0Max"), Text(u.r0_max));
  for (const FactorSpread& f : u.factors) {
    const QString i = QString::number(static_cast<int>(f.factor));
    EXPECT_TRUE(Label("FactorName" + i)
                    .compare(Q(std::string(FactorName(f.factor))), Qt::CaseInsensitive) == 0);
    EXPECT_EQ(Label("FactorMin" + i), Text(f.r0_min)) << i.toStdString();
    EXPECT_EQ(Label("FactorMax" + i), Text(f.r0_max)) << i.toStdString();
    EXPECT_EQ(Label("FactorShare" + i), Text(100 * f.share) + " %") << i.toStdString();
    const auto* bar = window_.findChild<ShareBar*>("FactorBar" + i);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Share(), f.share) << i.toStdString();
  }

  // Errors and kappa^2 bounds that cannot be used: a message, no range.
  const struct {
    const char* field;
    const char* text;
    const char* message_label;
  } refused[] = {
      {"QuantumYieldError", "100", "QuantumYieldErrorMessage"},
      {"ExtinctionError", "-1", "ExtinctionErrorMessage"},
      {"RefractiveIndexError", "two", "RefractiveIndexErrorMessage"},
      {"Kappa2Min", "-0.1", "Kappa2MinMessage"},
      {"Kappa2Min", "0.8", "Kappa2MaxMessage"},  // above the maximum
  };
  for (const auto& c : refused) {
    const QString before = Edit(c.field).text();
    Edit(c.field).setText(QString::fromLatin1(c.text));
    EXPECT_NE(Label(c.message_label), QString()) << c.field << " " << c.text;
    EXPECT_EQ(Label("R0Min"), kDash) << c.field << " " << c.text;
    EXPECT_EQ(window_.findChild<ShareBar*>("FactorBar1")->Share(), std::nullopt) << c.field;
    Edit(c.field).setText(before);
    EXPECT_EQ(Label(c.message_label), QString()) << c.field;
  }
  EXPECT_EQ(Label("R0Min"), Text(u.r0_min));
}

TEST_F(AnalysisWindowTest, OverlapDiagnosticsOfTheSamplePair) {
  const OverlapDiagnostics d = DiagnoseOverlap(engine_.session());
  ASSERT_TRUE(d.available);
  const auto cumulative = window_.CumulativeSeries().Points();
  ASSERT_EQ(cumulative.size(), d.cumulative_fraction.size());
  EXPECT_EQ(cumulative.front().x, d.first);
  EXPECT_EQ(cumulative.back().x, d.last);
  EXPECT_EQ(cumulative.back().y, 1.0) << "all of J by the last nm";
  const auto terms = window_.TermSeries().Points();
  ASSERT_EQ(terms.size(), d.terms.size());
  EXPECT_EQ(terms[static_cast<std::size_t>(d.peak - d.first)].y, 1.0) << "relative to the peak";
  EXPECT_EQ(Label("OverlapPeak"), QStringLiteral("%1 nm").arg(d.peak));
  EXPECT_EQ(Label("OverlapBand"),
            QStringLiteral("from %1 to %2 nm").arg(d.band_first).arg(d.band_last));
  // The sample donor starts at 480 nm while still emitting.
  ASSERT_FALSE(d.warnings.empty());
  for (const std::string& warning : d.warnings)
    EXPECT_TRUE(Label("OverlapWarnings").contains(Q(warning))) << warning;
}

TEST_F(AnalysisWindowTest, WarnsAboutADonorCutOffOnPurpose) {
  LoadDonor(DonorCsv(650));  // fades out at both ends, inside the acceptor's range
  EXPECT_EQ(Label("OverlapWarnings"), QStringLiteral("No warnings"));
  LoadDonor(DonorCsv(545));  // stops just past its peak
  const QString warnings = Label("OverlapWarnings");
  EXPECT_TRUE(warnings.contains(QStringLiteral("cut off at 545 nm"))) << warnings.toStdString();
  EXPECT_EQ(Label("OverlapIntegralCm3"), Text(engine_.session().overlap_integral));
}

TEST_F(AnalysisWindowTest, HiddenItWaitsAndCatchesUpWhenShown) {
  const QString before = Label("ForsterDistanceAngstrom");
  window_.close();
  EXPECT_TRUE(window_.isHidden()) << "closing only hides";
  engine_.EditField(PanelField::kQuantumYield, "0.9");
  window_.Refresh();
  EXPECT_EQ(Label("ForsterDistanceAngstrom"), before) << "no work while hidden";
  window_.show();
  EXPECT_EQ(Label("ForsterDistanceAngstrom"), Text(R0()));
  EXPECT_NE(Label("ForsterDistanceAngstrom"), before);
}

TEST(AnalysisWindow, StartsHiddenAndNeverEndsTheProgram) {
  FretEngine engine;
  AnalysisWindow window(engine);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("FRET Analysis"));
  EXPECT_TRUE(window.isHidden());
  EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
  EXPECT_TRUE(window.isWindow());
  // Shown before any gate run: nothing to show yet.
  window.show();
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("OverlapIntegralCm3"))->text(), kDash);
}

}  // namespace
}  // namespace korin
