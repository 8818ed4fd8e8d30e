#include "ui/planner_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <fstream>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "numeric/number_text.h"
#include "plots/object_names.h"
#include "scripted_dialogs.h"
#include "support/generated_spectra.h"
#include "support/temp_files.h"
#include "ui/main_window.h"
#include "ui/window_set.h"

namespace korin {
namespace {

using testing::ScriptedDialogs;

// The sample pair in the main window, the planner opened from the Tools
// menu with a donor absorption and an acceptor emission of its own.
class PlannerWindowTest : public ::testing::Test {
 protected:
  PlannerWindowTest() : windows_(engine_, dialogs_), main_(*windows_.main_window) {
    main_.show();
    FretRequest pair;
    pair.emission.path = KORIN_SAMPLES_DIR "/donor_emission.csv";
    pair.absorption.path = KORIN_SAMPLES_DIR "/acceptor_absorption.sp";
    main_.LoadRequest(pair);
    main_.findChild<QAction*>(names::kPlannerItem)->trigger();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* planner = dynamic_cast<PlannerWindow*>(w)) window_ = planner;
    }
    EXPECT_NE(window_, nullptr);
    EXPECT_TRUE(window_->isVisible());
    window_->SetSpectrum(
        PlannerWindow::Slot::kDonorAbsorption,
        QString::fromStdString(dir_.Write("d_abs.txt", testing::AbsorptionTxt(490, 15))));
    window_->SetSpectrum(
        PlannerWindow::Slot::kAcceptorEmission,
        QString::fromStdString(dir_.Write("a_em.csv", testing::EmissionCsv(590, 18))));
    Type("DonorExtinction", "70000");
    Type("AcceptorQuantumYield", "0.3");
    Type("DonorLaser", "488");
    Type("DonorChannel", "525/50");
    Type("AcceptorChannel", "630/75");
  }

  void Type(const char* field, const QString& text) {
    auto* edit = window_->findChild<QLineEdit*>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    edit->setText(text);
    window_->Refresh();
  }
  QString Text(const char* label) const {
    return window_->findChild<QLabel*>(QString::fromLatin1(label))->text();
  }

  FretEngine engine_;
  ScriptedDialogs dialogs_;
  testing::TempDir dir_;
  WindowSet windows_;
  MainWindow& main_;
  PlannerWindow* window_ = nullptr;
};

TEST_F(PlannerWindowTest, ShowsTheCoresFactorsForThePairOfTheMainWindow) {
  ASSERT_EQ(Text("PlanMessage"), "");
  const PlanOutcome core = RunPlan(window_->Request());
  ASSERT_EQ(core.refusal, "");
  EXPECT_EQ(Text("Leakage").toStdString(), FormatGeneral(core.figures.factors.leakage, 5));
  EXPECT_EQ(Text("Gamma").toStdString(), FormatGeneral(core.figures.factors.gamma, 5));
  EXPECT_EQ(core.forster_distance_text, engine_.ForsterDistanceText());
  // Both channels, four spectra and the laser.
  const auto* spectra = window_->findChild<chart::ChartWidget*>(QStringLiteral("SpectraChart"));
  EXPECT_EQ(spectra->chart().SeriesCount(), 7u);
  EXPECT_EQ(Text("Delta"), QStringLiteral("\u2014")) << "no second laser, no delta";

  Type("AcceptorLaser", "561");
  EXPECT_NE(Text("Delta"), QStringLiteral("\u2014"));
  EXPECT_EQ(spectra->chart().SeriesCount(), 8u);
}

TEST_F(PlannerWindowTest, FollowsTheMainWindowAndSaysWhyThereIsNoPlan) {
  const QString gamma = Text("Gamma");
  // Typed in the main window's panel; the planner catches up by itself.
  engine_.EditField(PanelField::kQuantumYield, "0.9");
  QApplication::processEvents();
  EXPECT_NE(Text("Gamma"), gamma) << "gamma divides by the donor's quantum yield";

  Type("DonorLaser", "900");
  EXPECT_TRUE(Text("PlanMessage").startsWith("the donor laser at 900 nm lies outside"))
      << Text("PlanMessage").toStdString();
  EXPECT_EQ(Text("Leakage"), QStringLiteral("\u2014"));
  Type("DonorLaser", "488");
  Type("ApparentEfficiency", "0.5");
  EXPECT_TRUE(Text("FromApparent").startsWith("Apparent E 0.5: E "))
      << Text("FromApparent").toStdString();
}

TEST_F(PlannerWindowTest, ItsFiguresJoinTheReportWhileOpen) {
  const std::vector<ReportLine> lines = window_->ReportLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().label, "Plan: leakage alpha");
  window_->hide();
  dialogs_.save_answers.push_back(QString::fromStdString((dir_.path() / "r.md").string()));
  main_.findChild<QAction*>(names::kSaveReportItem)->trigger();
  std::ifstream closed(dir_.path() / "r.md");
  const std::string without((std::istreambuf_iterator<char>(closed)), {});
  EXPECT_EQ(without.find("Plan: leakage"), std::string::npos);
  window_->show();
  dialogs_.save_answers.push_back(QString::fromStdString((dir_.path() / "s.md").string()));
  main_.findChild<QAction*>(names::kSaveReportItem)->trigger();
  std::ifstream open(dir_.path() / "s.md");
  const std::string with((std::istreambuf_iterator<char>(open)), {});
  EXPECT_NE(with.find("Plan: leakage alpha"), std::string::npos) << with;
}

}  // namespace
}  // namespace korin
