#include "ui/pair_table_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QThread>

#include <cmath>
#include <string>

#include "plots/object_names.h"
#include "scripted_dialogs.h"
#include "support/temp_files.h"
#include "ui/main_window.h"
#include "ui/window_set.h"

namespace korin {
namespace {

using testing::ScriptedDialogs;

const QString kSamples = QStringLiteral(KORIN_SAMPLES_DIR "/");

QStringList Samples(std::initializer_list<const char*> names) {
  QStringList paths;
  for (const char* name : names) paths << kSamples + QString::fromLatin1(name);
  return paths;
}

class PairTableWindowTest : public ::testing::Test {
 protected:
  PairTableWindowTest() : windows_(engine_, dialogs_), main_(*windows_.main_window) {
    main_.show();
    auto* item = main_.findChild<QAction*>(names::kPairTableItem);
    EXPECT_NE(item, nullptr);
    item->trigger();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* table = dynamic_cast<PairTableWindow*>(w)) window_ = table;
    }
    EXPECT_NE(window_, nullptr);
  }

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // The user picks `paths` in the add dialog behind `button`; the table is
  // computed on the worker and handed over through the event loop.
  void Add(const char* button, const QStringList& paths) {
    dialogs_.open_files_answers.push_back({paths, 1});
    Find<QPushButton>(button)->click();
    WaitForTable();
  }
  void WaitForTable() const {
    const QDeadlineTimer deadline(30000);
    while (window_->Computing() && !deadline.hasExpired()) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(1);
    }
    ASSERT_FALSE(window_->Computing()) << "the table never finished";
  }
  QString Cell(int row, int column) const {
    const QAbstractItemModel* model = Find<QTableView>("PairTable")->model();
    return model->data(model->index(row, column)).toString();
  }
  QString MainField(const char* name) const {
    return main_.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
  }

  FretEngine engine_;
  ScriptedDialogs dialogs_;
  WindowSet windows_;
  MainWindow& main_;
  PairTableWindow* window_ = nullptr;
};

TEST_F(PairTableWindowTest, AddsFilesSortsAndLoadsARowIntoTheMainWindow) {
  Add("AddDonors", Samples({"donor_emission.csv", "donor_emission.txt", "donor_emission.rls"}));
  auto* view = Find<QTableView>("PairTable");
  EXPECT_EQ(view->model()->rowCount(), 0) << "donors alone make no pairs";

  Add("AddAcceptors",
      Samples({"acceptor_absorption.sp", "acceptor_absorption.abs", "acceptor_absorption.txt"}));
  ASSERT_EQ(view->model()->rowCount(), 9);
  EXPECT_TRUE(Find<QPlainTextEdit>("TableErrors")->isHidden());

  // Largest R0 first, and every row's R0 no larger than the one above.
  view->sortByColumn(PairTableModel::kForsterDistance, Qt::DescendingOrder);
  const QAbstractItemModel* model = view->model();
  for (int row = 1; row < model->rowCount(); ++row) {
    EXPECT_GE(model->index(row - 1, PairTableModel::kForsterDistance)
                  .data(PairTableModel::kSortRole)
                  .toDouble(),
              model->index(row, PairTableModel::kForsterDistance)
                  .data(PairTableModel::kSortRole)
                  .toDouble());
  }

  // The last row, loaded into the main window, shows there what the table
  // shows, digit for digit, with both files open.
  const int last = model->rowCount() - 1;
  const QString donor = Cell(last, PairTableModel::kDonor);
  const QString acceptor = Cell(last, PairTableModel::kAcceptor);
  const QString j = Cell(last, PairTableModel::kOverlapIntegral);
  const QString r0 = Cell(last, PairTableModel::kForsterDistance);
  emit view->doubleClicked(model->index(last, 0));
  EXPECT_EQ(MainField("EditJ"), j);
  EXPECT_EQ(MainField("EditR0"), r0);
  EXPECT_EQ(engine_.Origin(SpectrumSide::kEmission).path, (kSamples + donor).toStdString());
  EXPECT_EQ(engine_.Origin(SpectrumSide::kAbsorption).path, (kSamples + acceptor).toStdString());
}

TEST_F(PairTableWindowTest, TargetDistanceAddsColumnsAndRanksByNearness) {
  Add("AddDonors", Samples({"donor_emission.csv", "donor_emission.iss"}));
  Add("AddAcceptors", Samples({"acceptor_absorption.sp", "acceptor_absorption.abt"}));
  auto* view = Find<QTableView>("PairTable");
  ASSERT_EQ(view->model()->rowCount(), 4);
  EXPECT_EQ(view->model()->columnCount(), 4);

  Find<QLineEdit>("TargetDistance")->setText(QStringLiteral("45"));
  const QAbstractItemModel* model = view->model();
  ASSERT_EQ(model->columnCount(), 7);
  for (int row = 0; row < model->rowCount(); ++row) {
    const double r0 = model->index(row, PairTableModel::kForsterDistance)
                          .data(PairTableModel::kSortRole)
                          .toDouble();
    EXPECT_DOUBLE_EQ(model->index(row, PairTableModel::kEfficiencySlope)
                         .data(PairTableModel::kSortRole)
                         .toDouble(),
                     std::abs(TransferEfficiencySlope(45.0, r0)));
    const double error = model->index(row, PairTableModel::kDistanceError)
                             .data(PairTableModel::kSortRole)
                             .toDouble();
    EXPECT_DOUBLE_EQ(error, std::abs(r0 - 45.0));
    if (row > 0) {
      EXPECT_LE(model->index(row - 1, PairTableModel::kDistanceError)
                    .data(PairTableModel::kSortRole)
                    .toDouble(),
                error);
    }
  }

  // A text that is no distance takes the columns away again.
  Find<QLineEdit>("TargetDistance")->setText(QStringLiteral("4,5"));
  EXPECT_EQ(model->columnCount(), 4);
  EXPECT_FALSE(Find<QLabel>("TargetMessage")->text().isEmpty());
}

TEST_F(PairTableWindowTest, ASheetOfDownloadsListsWhatTheColumnImportSaid) {
  const testing::TempDir dir;
  std::string download = "Wavelength,Excitation,Emission\n";
  for (int nm = 450; nm <= 650; ++nm) {
    const double x = (nm - 550) / 30.0;
    download += std::to_string(nm) + "," + std::to_string(std::exp(-(x + 1) * (x + 1))) + "," +
                std::to_string(std::exp(-(x - 1) * (x - 1))) + "\n";
  }
  dir.Write("dye.csv", download);
  dialogs_.open_answers.push_back(
      {QString::fromStdString(dir.Write("dyes.csv",
                                        "file,side,column,extinction,name\n"
                                        "dye.csv,donor,auto,,D\n"
                                        "dye.csv,acceptor,auto,100000,A\n")),
       1});
  Find<QPushButton>("OpenSheet")->click();
  WaitForTable();
  ASSERT_EQ(Find<QTableView>("PairTable")->model()->rowCount(), 1);
  auto* errors = Find<QPlainTextEdit>("TableErrors");
  EXPECT_FALSE(errors->isHidden());
  EXPECT_TRUE(errors->toPlainText().startsWith(QStringLiteral("A: Warning: dye.csv: ")))
      << errors->toPlainText().toStdString();

  // Loaded into the main window through the column import too.
  const QString r0 = Cell(0, PairTableModel::kForsterDistance);
  emit Find<QTableView>("PairTable")
      ->doubleClicked(Find<QTableView>("PairTable")->model()->index(0, 0));
  EXPECT_EQ(MainField("EditR0"), r0);
  EXPECT_EQ(engine_.Origin(SpectrumSide::kAbsorption).columns, "1,2");
  // The acceptor's own coefficient: the panel in extinction entry, as a
  // user would have set it, the coefficient in its editable field.
  EXPECT_TRUE(main_.findChild<QRadioButton*>(names::kExtinctionEntry)->isChecked());
  EXPECT_FALSE(main_.findChild<QRadioButton*>(names::kConcentrationEntry)->isChecked());
  EXPECT_FALSE(main_.findChild<QLineEdit*>(names::kExtinctionField)->isReadOnly());
  EXPECT_EQ(MainField(names::kExtinctionField), QStringLiteral("100000"));
}

TEST_F(PairTableWindowTest, AddedDownloadsAreReadByTheColumnTheirHeaderNames) {
  const testing::TempDir dir;
  std::string three = "Wavelength,Excitation,Emission\n";
  std::string two = "Wavelength,Intensity\n";
  for (int nm = 450; nm <= 650; ++nm) {
    const std::string em = std::to_string((nm - 440) * (660 - nm));
    three += std::to_string(nm) + "," + std::to_string(nm % 11) + "," + em + "\n";
    two += std::to_string(nm) + "," + em + "\n";
  }
  Add("AddDonors", {QString::fromStdString(dir.Write("three.csv", three)),
                    QString::fromStdString(dir.Write("two.csv", two))});
  Add("AddAcceptors", Samples({"acceptor_absorption.sp"}));
  ASSERT_EQ(Find<QTableView>("PairTable")->model()->rowCount(), 2);
  EXPECT_EQ(Cell(0, PairTableModel::kDonor), QStringLiteral("three.csv"));
  EXPECT_EQ(Cell(0, PairTableModel::kForsterDistance), Cell(1, PairTableModel::kForsterDistance));
  EXPECT_EQ(Cell(0, PairTableModel::kOverlapIntegral), Cell(1, PairTableModel::kOverlapIntegral));
  EXPECT_TRUE(Find<QPlainTextEdit>("TableErrors")->isHidden());
}

TEST_F(PairTableWindowTest, ARefusedFileIsListedAndItsPairsLeftOut) {
  Add("AddDonors", Samples({"donor_emission.csv", "acceptor_absorption.abs"}));
  Add("AddAcceptors", Samples({"acceptor_absorption.sp"}));
  EXPECT_EQ(Find<QTableView>("PairTable")->model()->rowCount(), 1);
  auto* errors = Find<QPlainTextEdit>("TableErrors");
  EXPECT_FALSE(errors->isHidden());
  EXPECT_TRUE(errors->toPlainText().contains(QStringLiteral("acceptor_absorption.abs")))
      << errors->toPlainText().toStdString();
}

}  // namespace
}  // namespace korin
