#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <string>

#include "io/column_table.h"
#include "scripted_dialogs.h"
#include "support/temp_files.h"
#include "ui/column_import_dialog.h"
#include "ui/main_window.h"
#include "ui/window_set.h"

namespace korin {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;

const QString kAcceptor = QStringLiteral(KORIN_SAMPLES_DIR "/acceptor_absorption.sp");

// A donor's emission and a second curve beside it, 1-nm steps, as a
// download lists them: "Wavelength,Excitation,Emission".
std::string ThreeColumns() {
  std::string text = "Wavelength,Excitation,Emission\n";
  for (int nm = 450; nm <= 650; ++nm) {
    const double x = (nm - 560) / 25.0;
    text += std::to_string(nm) + "," + std::to_string(std::exp(-(x + 2) * (x + 2))) + "," +
            std::to_string(std::exp(-x * x)) + "\n";
  }
  return text;
}

// The same emission as the plain two-column reader reads it.
std::string TwoColumns() {
  std::string text = "Wavelength,Intensity\n";
  for (int nm = 450; nm <= 650; ++nm) {
    const double x = (nm - 560) / 25.0;
    text += std::to_string(nm) + "," + std::to_string(std::exp(-x * x)) + "\n";
  }
  return text;
}

// --- The dialog on its own ---------------------------------------------------------

struct DialogCase {
  const char* content;
  SpectrumSide side;
  int wavelength;  // the pre-selection, 0-based; -1: none
  int value;
  WavelengthUnit unit;
  bool ok_enabled;
  const char* note_holds;  // a piece of the note; "" for an empty note
};

class ColumnDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(ColumnDialogTest, PreselectsAsTheHeaderSays) {
  const DialogCase& c = GetParam();
  const ColumnTable table = ScanColumnTable(c.content);
  ASSERT_TRUE(table.found());
  ColumnImportDialog dialog(table, QStringLiteral("file.csv"), c.side);
  EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("WavelengthColumn"))->currentIndex(),
            c.wavelength);
  EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("ValueColumn"))->currentIndex(), c.value);
  EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled(),
            c.ok_enabled);
  const QString note = dialog.findChild<QLabel*>(QStringLiteral("ColumnNote"))->text();
  if (*c.note_holds == '\0') {
    EXPECT_TRUE(note.isEmpty()) << note.toStdString();
  } else {
    EXPECT_TRUE(note.contains(QString::fromUtf8(c.note_holds))) << note.toStdString();
  }
  if (c.ok_enabled) {
    const ColumnImportChoice choice = dialog.Choice();
    EXPECT_EQ(choice.side, c.side);
    EXPECT_EQ(choice.pair.wavelength_column, c.wavelength);
    EXPECT_EQ(choice.pair.value_column, c.value);
    EXPECT_EQ(choice.pair.unit, c.unit);
  }
}

constexpr auto kEm = SpectrumSide::kEmission;
constexpr auto kAbs = SpectrumSide::kAbsorption;
constexpr auto kNm = WavelengthUnit::kNanometre;

INSTANTIATE_TEST_SUITE_P(
    Headers, ColumnDialogTest,
    ::testing::Values(
        DialogCase{"Wavelength,Excitation,Emission\n400,1,2\n401,1,2\n402,1,2\n", kEm, 0, 2, kNm,
                   true, ""},
        // No absorption column: the excitation stands in, and the note says so.
        DialogCase{"Wavelength,Excitation,Emission\n400,1,2\n401,1,2\n402,1,2\n", kAbs, 0, 1, kNm,
                   true, "xcitation"},
        // Each value with the wavelength column to its left.
        DialogCase{"wavelength,EGFP ex,wavelength,EGFP em\n400,1,400,\n401,1,401,2\n402,1,402,3\n",
                   kEm, 2, 3, kNm, true, ""},
        DialogCase{"Wavelength (um),Emission\n0.400,1\n0.401,2\n0.402,3\n", kEm, 0, 1,
                   WavelengthUnit::kMicrometre, true, ""},
        // Two emission columns: nothing chosen, OK waits for the user.
        DialogCase{"wavelength,mTurquoise2_em,mVenus_em\n400,1,2\n401,1,2\n402,1,2\n", kEm, -1, -1,
                   kNm, false, "Several columns could hold the emission"}));

TEST(ColumnDialogChoiceTest, ChoosingAValueTakesItsOwnWavelengthsAndUnit) {
  const ColumnTable table = ScanColumnTable(
      "wavelength,A_em,Wavenumber (cm-1),B_em\n400,1,25000,1\n401,2,24938,2\n402,3,24876,3\n");
  ColumnImportDialog dialog(table, QStringLiteral("file.csv"), SpectrumSide::kEmission);
  auto* values = dialog.findChild<QComboBox*>(QStringLiteral("ValueColumn"));
  ASSERT_EQ(values->currentIndex(), -1);
  values->setCurrentIndex(3);
  emit values->activated(3);
  const ColumnImportChoice choice = dialog.Choice();
  EXPECT_EQ(choice.pair.wavelength_column, 2);
  EXPECT_EQ(choice.pair.unit, WavelengthUnit::kWavenumber);
  EXPECT_TRUE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
  // The preview holds the file's first lines, cell by cell.
  auto* preview = dialog.findChild<QTableWidget*>(QStringLiteral("ColumnPreview"));
  EXPECT_EQ(preview->rowCount(), 4);
  EXPECT_EQ(preview->item(0, 2)->text(), QStringLiteral("Wavenumber (cm-1)"));
  EXPECT_EQ(preview->item(3, 3)->text(), QStringLiteral("3"));
}

TEST(ColumnDialogChoiceTest, ColumnsOfDifferentBlocksCannotBeChosen) {
  const ColumnTable table =
      ScanColumnTable("Excitation\n400,0.1\n401,0.2\n402,0.3\nEmission\n500,3\n501,4\n502,5\n");
  ASSERT_EQ(table.blocks.size(), 2u);
  ColumnImportDialog dialog(table, QStringLiteral("stacked.csv"), SpectrumSide::kEmission);
  auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  EXPECT_TRUE(ok->isEnabled()) << "the emission with its own wavelengths";
  auto* wavelengths = dialog.findChild<QComboBox*>(QStringLiteral("WavelengthColumn"));
  wavelengths->setCurrentIndex(0);  // the excitation block's wavelengths
  emit wavelengths->activated(0);
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("ColumnNote"))
                  ->text()
                  .contains(QStringLiteral("different tables")));
}

// --- The main window -------------------------------------------------------------

class ColumnImportWindowTest : public ::testing::Test {
 protected:
  ColumnImportWindowTest() : windows_(engine_, dialogs_), f_(*windows_.main_window) { f_.show(); }

  void Import(const std::string& path) {
    dialogs_.open_answers.push_back({QString::fromStdString(path), 1});
    f_.findChild<QAction*>(QStringLiteral("ImportColumns"))->trigger();
  }
  void Drop(QWidget* target, const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
  void OpenAcceptor() {
    dialogs_.open_answers.push_back({kAcceptor, 1});
    f_.findChild<QPushButton*>(QStringLiteral("ButtonAbsorption"))->click();
  }
  QString R0() const { return f_.findChild<QLineEdit*>(QStringLiteral("EditR0"))->text(); }

  TempDir dir_;
  FretEngine engine_;
  ScriptedDialogs dialogs_;
  WindowSet windows_;
  MainWindow& f_;
};

TEST_F(ColumnImportWindowTest, ThreeColumnsThroughTheDialogEqualTheTwoColumnFile) {
  // The plain reader on the two-column file.
  dialogs_.open_answers.push_back({QString::fromStdString(dir_.Write("two.csv", TwoColumns())), 1});
  f_.findChild<QPushButton*>(QStringLiteral("ButtonEmission"))->click();
  OpenAcceptor();
  const QString expected = R0();
  ASSERT_FALSE(expected.isEmpty());
  const SpectrumGrid plain = engine_.session().donor_emission;

  dialogs_.column_answers.push_back(
      ColumnImportChoice{SpectrumSide::kEmission, ColumnPair{0, 2, WavelengthUnit::kNanometre}});
  Import(dir_.Write("three.csv", ThreeColumns()));
  ASSERT_EQ(dialogs_.columns_asked.size(), 1u);
  EXPECT_TRUE(engine_.session().emission_valid);
  EXPECT_TRUE(std::ranges::equal(engine_.session().donor_emission.values(), plain.values()));
  EXPECT_EQ(R0(), expected);
  EXPECT_EQ(engine_.Origin(SpectrumSide::kEmission).columns, "1,3");
  EXPECT_TRUE(dialogs_.messages.empty());

  // Cancelled: nothing changes.
  Import((dir_.path() / "three.csv").string());
  EXPECT_EQ(dialogs_.columns_asked.size(), 2u);
  EXPECT_EQ(R0(), expected);
}

TEST_F(ColumnImportWindowTest, AnUnreadableFileIsSaidSoAndWithdrawsNothing) {
  dialogs_.open_answers.push_back({QString::fromStdString(dir_.Write("two.csv", TwoColumns())), 1});
  f_.findChild<QPushButton*>(QStringLiteral("ButtonEmission"))->click();
  ASSERT_TRUE(engine_.session().emission_valid);
  const std::string missing = (dir_.path() / "missing.csv").string();
  Import(missing);
  EXPECT_TRUE(dialogs_.columns_asked.empty());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0], QString::fromStdString("File Error: " + missing));
  EXPECT_TRUE(engine_.session().emission_valid);
}

TEST_F(ColumnImportWindowTest, AFileWithoutATableIsSaidSo) {
  Import(dir_.Write("words.csv", "nothing here\nbut words\n"));
  EXPECT_TRUE(dialogs_.columns_asked.empty());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0], QStringLiteral("No table of numbers was found in words.csv."));
}

TEST_F(ColumnImportWindowTest, TheCsvReaderWarnsWhenItReadsTheExcitation) {
  dialogs_.open_answers.push_back(
      {QString::fromStdString(dir_.Write("cy.csv", ThreeColumns())), 1});
  f_.findChild<QPushButton*>(QStringLiteral("ButtonEmission"))->click();
  EXPECT_TRUE(engine_.session().emission_valid) << "the reader reads what it always read";
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_TRUE(dialogs_.messages[0].startsWith(QStringLiteral("cy.csv: ")));
  EXPECT_TRUE(dialogs_.messages[0].contains(QStringLiteral("Excitation")));
  EXPECT_EQ(dialogs_.message_captions[0], QCoreApplication::applicationName());
}

TEST_F(ColumnImportWindowTest, DropsOfferTheDialogForSeveralSpectraOrAnUnknownExtension) {
  // Several spectra named in the header: asked, not read by the .csv reader.
  dialogs_.column_answers.push_back(
      ColumnImportChoice{SpectrumSide::kEmission, ColumnPair{0, 2, WavelengthUnit::kNanometre}});
  Drop(f_.findChild<QGroupBox*>(QStringLiteral("GroupBox1")),
       dir_.Write("three.csv", ThreeColumns()));
  ASSERT_EQ(dialogs_.columns_asked.size(), 1u);
  EXPECT_EQ(dialogs_.column_sides_offered[0], SpectrumSide::kEmission);
  EXPECT_EQ(engine_.Origin(SpectrumSide::kEmission).filter_entry, 0);
  EXPECT_TRUE(dialogs_.messages.empty()) << "no warning: the right column was read";

  // No reader takes .tsv: the table goes to the dialog, on the side it was
  // dropped on.
  Drop(f_.findChild<QGroupBox*>(QStringLiteral("GroupBox2")),
       dir_.Write("abs.tsv", "nm\tabs\n400\t0.1\n401\t0.2\n402\t0.3\n"));
  ASSERT_EQ(dialogs_.columns_asked.size(), 2u);
  EXPECT_EQ(dialogs_.column_sides_offered[1], SpectrumSide::kAbsorption);

  // A plain two-column file opens through its reader, without asking.
  Drop(f_.findChild<QGroupBox*>(QStringLiteral("GroupBox1")), dir_.Write("two.csv", TwoColumns()));
  EXPECT_EQ(dialogs_.columns_asked.size(), 2u);
  EXPECT_EQ(engine_.Origin(SpectrumSide::kEmission).filter_entry, 1);
}

}  // namespace
}  // namespace korin
