#include "ui/planner_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <cmath>
#include <fstream>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "numeric/number_text.h"
#include "plots/object_names.h"
#include "scripted_dialogs.h"
#include "support/generated_spectra.h"
#include "support/temp_files.h"
#include "ui/main_window.h"
#include "ui/pair_table_window.h"
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

// A download holding a dye's excitation and emission, as spectra databases
// hand them out.
std::string Download(double excitation, double emission) {
  std::string text = "Wavelength,Excitation,Emission\n";
  for (int w = 400; w <= 700; ++w) {
    const double ex = std::exp(-((w - excitation) / 15) * ((w - excitation) / 15) / 2);
    const double em = std::exp(-((w - emission) / 18) * ((w - emission) / 18) / 2);
    text += std::to_string(w) + "," + std::to_string(ex) + "," + std::to_string(em) + "\n";
  }
  return text;
}

// The plan set in the planner plans the pair table's pairs, with the
// planner's own figures for the same pair.
TEST_F(PlannerWindowTest, ThePairTableTakesThePlannersPlan) {
  const QString donor = QString::fromStdString(dir_.Write("donor.csv", Download(490, 520)));
  const QString acceptor = QString::fromStdString(dir_.Write("acceptor.csv", Download(560, 590)));
  for (const auto& [slot, path] : {std::pair{PlannerWindow::Slot::kDonorEmission, donor},
                                   std::pair{PlannerWindow::Slot::kDonorAbsorption, donor},
                                   std::pair{PlannerWindow::Slot::kAcceptorAbsorption, acceptor},
                                   std::pair{PlannerWindow::Slot::kAcceptorEmission, acceptor}}) {
    window_->SetSpectrum(slot, path);
  }
  ASSERT_EQ(window_->Outcome().refusal, "");

  main_.findChild<QAction*>(names::kPairTableItem)->trigger();
  PairTableWindow* table = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* found = dynamic_cast<PairTableWindow*>(w)) table = found;
  }
  ASSERT_NE(table, nullptr);
  const auto add = [&](const char* button, const QString& path) {
    dialogs_.open_files_answers.push_back({{path}, 1});
    table->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    const QDeadlineTimer deadline(30000);
    while (table->Computing() && !deadline.hasExpired()) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
  };
  add("AddDonors", donor);
  add("AddAcceptors", acceptor);
  const QAbstractItemModel* model =
      table->findChild<QTableView*>(QStringLiteral("PairTable"))->model();
  ASSERT_EQ(model->rowCount(), 1);
  ASSERT_EQ(model->columnCount(), 7) << "J, R0 and the plan's alpha, d and gamma";
  const auto figure = [&](int column) {
    return model->index(0, column).data(PairTableModel::kSortRole).toDouble();
  };
  const PlanFigures& planner = window_->Outcome().figures;
  EXPECT_EQ(figure(4), planner.factors.leakage);
  EXPECT_EQ(figure(5), planner.factors.direct_excitation);
  EXPECT_EQ(figure(6), planner.factors.gamma);
}

}  // namespace
}  // namespace korin
