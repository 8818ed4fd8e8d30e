#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/fret_cli.h"
#include "io/reader_choice.h"
#include "scripted_dialogs.h"
#include "support/temp_files.h"
#include "ui/window_set.h"

namespace korin {
namespace {

using testing::OpenAnswer;
using testing::ScriptedDialogs;

const QString kSamples = QStringLiteral(KORIN_SAMPLES_DIR "/");
const QString kDonor = kSamples + QStringLiteral("donor_emission.csv");
const QString kAcceptor = kSamples + QStringLiteral("acceptor_absorption.sp");

QString Shortened(const QString& path) {
  return QString::fromStdString(ShortenFileName(path.toStdString()));
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : windows_(engine_, dialogs_), f_(*windows_.Form1) {
    f_.show();
    f_.SetExitAction([this] { ++exits_; });
  }

  void LoadEmission(const QString& path, int entry = 1) {
    dialogs_.open_answers.push_back({path, entry});
    Find<QPushButton>("ButtonEmission")->click();
  }
  void LoadAbsorption(const QString& path, int entry = 1) {
    dialogs_.open_answers.push_back({path, entry});
    Find<QPushButton>("ButtonAbsorption")->click();
  }
  void LoadSamples() {
    LoadEmission(kDonor);
    LoadAbsorption(kAcceptor);
  }
  // A user's choice in a fixed list.
  static void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  bool ResultsShown() const { return !Find<QFrame>("PanelResult")->isHidden(); }
  TForm2& Plot() { return *windows_.Form2; }

  // A window of the program by its caption.
  static QWidget* FindTopLevel(const QString& caption) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->windowTitle() == caption) return w;
    }
    return nullptr;
  }
  // A widget of the main window by its designer name.
  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = f_.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  FretEngine engine_;
  const FretSession& session_ = engine_.session();
  ScriptedDialogs dialogs_;
  WindowSet windows_;
  TForm1& f_;
  int exits_ = 0;
};

TEST_F(MainWindowTest, StartState) {
  EXPECT_EQ(f_.windowTitle(), "Valtrix FRET Software");
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), "Water");
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->count(), 4);
  EXPECT_FALSE(Find<QLineEdit>("Edit1")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "1.333");
  EXPECT_EQ(Find<QComboBox>("ComboBox2")->currentText(), " 1");
  EXPECT_EQ(Find<QComboBox>("ComboBox2")->count(), 6);
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "0.66667");
  EXPECT_EQ(Find<QLineEdit>("Edit4")->text(), "0.5");
  EXPECT_EQ(Find<QLineEdit>("EditConc")->text(), "1E-5");
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "");
  EXPECT_TRUE(Find<QLineEdit>("EditExtinc")->isReadOnly());
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Find<QLabel>("Label10")->text(), "");
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), "");

  EXPECT_EQ(session_.Concentration, 1e-5);
  EXPECT_EQ(session_.OpticalPath, 1.0);
  EXPECT_EQ(session_.RefractiveIndex, 1.333);
  EXPECT_EQ(session_.OrientationFactor, 0.66667);  // the text's value, not 2/3
  EXPECT_EQ(session_.QuantumYield, 0.5);
  EXPECT_TRUE(session_.QuantumYieldValid && session_.ConcentrationValid &&
              session_.OrientationValid && session_.RefractiveIndexValid);
  EXPECT_FALSE(session_.ExtinctionMode);
  EXPECT_FALSE(session_.AbsorptionValid || session_.EmissionValid || session_.ExtinctionValid);

  // Exactly the main window and the energy-transfer plot are on screen.
  std::vector<QWidget*> visible;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) visible.push_back(w);
  }
  EXPECT_EQ(visible.size(), 2u);
  EXPECT_TRUE(windows_.Form2->isVisible());
  EXPECT_FALSE(windows_.Form3->isVisible() || windows_.Form4->isVisible() ||
               windows_.Form5About->isVisible());
}

// J and R0 of the sample pair, as the command-line tool prints them.
std::pair<QString, QString> CliResults(const std::vector<std::string>& options = {}) {
  std::vector<std::string> args{"korin-fret-cli", kDonor.toStdString(), kAcceptor.toStdString()};
  args.insert(args.end(), options.begin(), options.end());
  std::ostringstream out, err;
  EXPECT_EQ(RunFretCli(args, out, err), kExitSuccess) << err.str();
  std::istringstream lines(out.str());
  std::string j, r0;
  std::getline(lines, j);
  std::getline(lines, r0);
  j = j.substr(std::string("Overlap Integral: ").size());
  j = j.substr(0, j.find(' '));
  r0 = r0.substr(std::string("Ro [Angstroms]: ").size());
  return {QString::fromStdString(j), QString::fromStdString(r0)};
}

TEST_F(MainWindowTest, FullSessionOnTheSamples) {
  LoadEmission(kDonor);
  EXPECT_FALSE(ResultsShown());
  EXPECT_TRUE(windows_.Form3->isVisible());
  EXPECT_EQ(windows_.Form3->chart().TitleLines(), QStringList{Shortened(kDonor)});
  EXPECT_EQ(Plot().EmissionFileLabel().text(), "Emission File: " + Shortened(kDonor));
  EXPECT_EQ(windows_.Form3->SpectrumSeries().Points().size(), 221u);    // 480..700 nm, raw
  EXPECT_EQ(windows_.Form3->SpectrumSeries().Points()[40].y, 86237.7);  // the line for 520 nm
  ASSERT_EQ(Plot().EmissionSeries().Points().size(), 221u);
  // Normalised to unit area and scaled by 1000 x quantum yield.
  double area = 0.0;
  for (const auto& p : Plot().EmissionSeries().Points()) area += p.y;
  EXPECT_NEAR(area, 500.0, 10.0);

  LoadAbsorption(kAcceptor);
  ASSERT_TRUE(ResultsShown());
  const auto [j, r0] = CliResults();
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), j);
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), r0);
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), "3.1962E-13");
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), "55.6500");
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "85072");
  EXPECT_TRUE(windows_.Form4->isVisible());
  EXPECT_EQ(windows_.Form4->chart().TitleLines(), QStringList{Shortened(kAcceptor)});
  EXPECT_EQ(windows_.Form4->SpectrumSeries().Points().size(), 301u);
  EXPECT_EQ(Plot().AbsorptionFileLabel().text(), "Absorption File: " + Shortened(kAcceptor));
  EXPECT_EQ(Plot().ExtinctionSeries().Points().size(), 301u);
  EXPECT_EQ(dialogs_.open_titles,
            (std::vector<QString>{"Emission spectrum", "Absorption spectrum"}));
  EXPECT_TRUE(dialogs_.messages.empty());
}

struct FieldCase {
  const char* text;
  bool valid;
};

// Each typed field with the texts around its bounds; a spectrum pair is
// loaded so that the result panel shows the flag's effect too.
TEST_F(MainWindowTest, TypedFieldsAcceptExactlyTheirRange) {
  LoadSamples();
  Choose(Find<QComboBox>("ComboBox1"), 0);  // "<Other>" lets the refractive index be typed
  const FieldCase unit_range[] = {
      {"1", true},          {"0.0000011", true}, {"0.000001", false}, {"1.0000001", false},
      {"0.0000009", false}, {"0", false},        {"-0.5", false},     {"0,5", false},
      {"0.5 ", false},      {"", false},         {" 0.5", true},      {"5E-1", true},
  };
  const FieldCase refractive[] = {{"0.0001", true}, {"1000", true}, {"1000.5", false}};
  const FieldCase concentration[] = {
      {"10", true}, {"1e-12", false}, {"10.5", false}, {"0", false}, {"2e-5", true}};
  const struct {
    QLineEdit* field;
    const bool* flag;
    std::span<const FieldCase> cases;
  } fields[] = {
      {Find<QLineEdit>("Edit4"), &session_.QuantumYieldValid, unit_range},
      {Find<QLineEdit>("Edit2"), &session_.OrientationValid, unit_range},
      {Find<QLineEdit>("Edit1"), &session_.RefractiveIndexValid, refractive},
      {Find<QLineEdit>("EditConc"), &session_.ConcentrationValid, concentration},
  };
  for (const auto& field : fields) {
    const QString good = field.field->text();
    for (const auto& c : field.cases) {
      field.field->setText(QString::fromUtf8(c.text));
      EXPECT_EQ(*field.flag, c.valid)
          << field.field->objectName().toStdString() << " '" << c.text << "'";
      EXPECT_EQ(ResultsShown(), c.valid) << "'" << c.text << "'";
    }
    field.field->setText(good);
    EXPECT_TRUE(ResultsShown());
  }
}

TEST_F(MainWindowTest, ConcentrationBetweenFieldAndGateBounds) {
  LoadSamples();
  Find<QLineEdit>("EditConc")->setText("1.1e-12");
  EXPECT_TRUE(session_.ConcentrationValid);
  EXPECT_FALSE(ResultsShown());  // the gate needs more than 1e-10
  Find<QLineEdit>("EditConc")->setText("1e-10");
  EXPECT_TRUE(ResultsShown());
  Find<QLineEdit>("EditConc")->setText("9.9e-11");
  EXPECT_FALSE(ResultsShown());
  Find<QLineEdit>("EditConc")->setText("abc");
  EXPECT_TRUE(Plot().ExtinctionSeries().Points().empty());
}

TEST_F(MainWindowTest, QuantumYieldRedrawsTheEmission) {
  LoadSamples();
  const double peak = Plot().EmissionSeries().Points()[40].y;
  Find<QLineEdit>("Edit4")->setText("0.25");
  ASSERT_EQ(Plot().EmissionSeries().Points().size(), 221u);
  EXPECT_DOUBLE_EQ(Plot().EmissionSeries().Points()[40].y, peak / 2);
  Find<QLineEdit>("Edit4")->setText("2");
  EXPECT_TRUE(Plot().EmissionSeries().Points().empty());
  EXPECT_FALSE(ResultsShown());
}

TEST_F(MainWindowTest, QuantumYieldWithoutEmissionLeavesTheSeriesEmpty) {
  Find<QLineEdit>("Edit4")->setText("0.8");
  EXPECT_TRUE(Plot().EmissionSeries().Points().empty());
  EXPECT_EQ(session_.QuantumYield, 0.8);
}

TEST_F(MainWindowTest, ListRowHeights) {
  const QStyleOptionViewItem option;
  EXPECT_EQ(Find<QComboBox>("ComboBox1")
                ->itemDelegate()
                ->sizeHint(option, Find<QComboBox>("ComboBox1")->model()->index(0, 0))
                .height(),
            16);
  EXPECT_EQ(Find<QComboBox>("ComboBox2")
                ->itemDelegate()
                ->sizeHint(option, Find<QComboBox>("ComboBox2")->model()->index(0, 0))
                .height(),
            13);
}

TEST_F(MainWindowTest, SolventList) {
  Find<QLineEdit>("Edit1")->setText("1.42");
  Choose(Find<QComboBox>("ComboBox1"), 0);
  EXPECT_TRUE(Find<QLineEdit>("Edit1")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "1");
  EXPECT_EQ(session_.RefractiveIndex, 1.0);
  Find<QLineEdit>("Edit1")->setText("1.5");
  EXPECT_EQ(session_.RefractiveIndex, 1.5);
  Choose(Find<QComboBox>("ComboBox1"), 2);
  EXPECT_FALSE(Find<QLineEdit>("Edit1")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "1.496");
  EXPECT_EQ(session_.RefractiveIndex, 1.496);
}

TEST_F(MainWindowTest, OpticalPathWithAndWithoutASpectrum) {
  Choose(Find<QComboBox>("ComboBox2"), 2);
  EXPECT_EQ(session_.OpticalPath, 0.5);
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "");
  Choose(Find<QComboBox>("ComboBox2"), 3);
  LoadSamples();
  Choose(Find<QComboBox>("ComboBox2"), 2);
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "170144");
  EXPECT_EQ(session_.ExtinctionMax, 170144.0);
  EXPECT_TRUE(ResultsShown());
}

TEST_F(MainWindowTest, ExtinctionEntry) {
  LoadSamples();
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  EXPECT_TRUE(session_.ExtinctionMode);
  EXPECT_FALSE(Find<QLineEdit>("EditExtinc")->isReadOnly());
  EXPECT_EQ(f_.focusWidget(), Find<QLineEdit>("EditExtinc"));
  const FieldCase cases[] = {
      {"0.0009", false}, {"0.001", true}, {"0.0011", true}, {"9.9e9", true},
      {"1e10", false},   {"", false},     {"85000", true},
  };
  for (const auto& c : cases) {
    Find<QLineEdit>("EditExtinc")->setText(c.text);
    EXPECT_EQ(ResultsShown(), c.valid) << c.text;
    EXPECT_EQ(Plot().ExtinctionSeries().Points().empty(), !c.valid) << c.text;
  }
  // The peak of the scaled spectrum is exactly the typed coefficient.
  double peak = 0.0;
  for (const auto& p : Plot().ExtinctionSeries().Points()) peak = std::max(peak, p.y);
  EXPECT_EQ(peak, 85000.0);
}

// A typed 8e4 is written back as 80000, which reruns the calculation on the
// written text; the results equal those of typing 80000.
TEST_F(MainWindowTest, ExtinctionRewriteRunsTheCalculationAgain) {
  LoadSamples();
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  Find<QLineEdit>("EditExtinc")->setText("80000");
  const QString j = Find<QLineEdit>("EditJ")->text();
  const QString r0 = Find<QLineEdit>("EditR0")->text();
  // Typed as written: one calculation, one drawing of the extinction.
  EXPECT_EQ(Plot().ExtinctionSeries().Points().size(), 301u);
  Find<QLineEdit>("EditExtinc")->setText("1");
  Find<QLineEdit>("EditExtinc")->setText("8e4");
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "80000");
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), j);
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), r0);
  // The nested run drew the extinction, then the outer run drew it again.
  EXPECT_EQ(Plot().ExtinctionSeries().Points().size(), 602u);
}

TEST_F(MainWindowTest, TypingAConcentrationLeavesExtinctionEntryShown) {
  LoadSamples();
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  const QColor conc_colour = Find<QLineEdit>("EditConc")->palette().color(QPalette::Base);
  Find<QLineEdit>("EditConc")->setText("2e-5");
  EXPECT_FALSE(session_.ExtinctionMode);
  EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(Find<QLineEdit>("EditConc")->palette().color(QPalette::Base), conc_colour);
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(),
            "42536");  // derived from the concentration again
}

TEST_F(MainWindowTest, ClicksSelectTheEntryMode) {
  const QColor inactive = Find<QLineEdit>("EditExtinc")->palette().color(QPalette::Base);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Find<QLineEdit>("EditExtinc"), &press);  // read-only, still a click
  EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_TRUE(session_.ExtinctionMode);
  EXPECT_EQ(f_.focusWidget(), Find<QLineEdit>("EditExtinc"));
  EXPECT_NE(Find<QLineEdit>("EditExtinc")->palette().color(QPalette::Base), inactive);
  EXPECT_EQ(Find<QLineEdit>("EditConc")->palette().color(QPalette::Base),
            QApplication::palette().color(QPalette::WindowText));
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Find<QLabel>("Label4"),
                          &release);  // released here, pressed elsewhere: no click
  EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isChecked());
  QApplication::sendEvent(Find<QLabel>("Label4"), &press);
  QApplication::sendEvent(Find<QLabel>("Label4"), &release);
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_FALSE(session_.ExtinctionMode);
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->palette().color(QPalette::Base), inactive);
  EXPECT_TRUE(Find<QLineEdit>("EditExtinc")->isReadOnly());
}

TEST_F(MainWindowTest, StatusLine) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(Find<QLabel>("Label1"), &enter);
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Orientation factor between D and A molecules (in general, 2/3)");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Find<QLabel>("Label1"), &leave);
  EXPECT_EQ(Find<QLabel>("Label10")->text(), "");
  const auto move_over = [](QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
  };
  move_over(Find<QLineEdit>("EditConc"), {3, 3});
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Click 'Extinction Coefficient' window to entry the extinction coefficient");
  move_over(Find<QLabel>("Label4"), {3, 3});
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Optical Path can be used to calculate the extinction coefficient");
  move_over(Find<QGroupBox>("GroupBox2"), {200, 125});  // the group's background
  EXPECT_EQ(Find<QLabel>("Label10")->text(), "");
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  move_over(Find<QRadioButton>("RadioButton1"), {3, 3});
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Click 'Concentration' window to entry the concentration");
  // A move passed up from a group without hints is not the background.
  move_over(Find<QGroupBox>("GroupBox2")->parentWidget(),
            Find<QGroupBox>("GroupBox1")->geometry().center());
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Click 'Concentration' window to entry the concentration");
}

TEST_F(MainWindowTest, FailedLoadsWithdrawTheirSide) {
  LoadSamples();
  korin::testing::TempDir dir;
  const QString missing = QString::fromStdString((dir.path() / "gone.sp").string());
  LoadAbsorption(missing);
  EXPECT_EQ(dialogs_.messages, std::vector<QString>{"File Error: " + missing});
  EXPECT_EQ(dialogs_.message_captions, std::vector<QString>{QCoreApplication::applicationName()});
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "");
  EXPECT_TRUE(Plot().ExtinctionSeries().Points().empty());
  EXPECT_EQ(Plot().AbsorptionFileLabel().text(), "Absorption File: ");
  EXPECT_FALSE(windows_.Form4->isVisible());
  EXPECT_TRUE(windows_.Form4->SpectrumSeries().Points().empty());
  // The donor side stays.
  EXPECT_EQ(Plot().EmissionSeries().Points().size(), 221u);
  EXPECT_TRUE(windows_.Form3->isVisible());

  LoadAbsorption(kAcceptor);
  EXPECT_TRUE(ResultsShown());
  LoadEmission(QString::fromStdString(dir.Write("flat.txt", "nothing here\n")));
  EXPECT_FALSE(ResultsShown());
  EXPECT_EQ(Plot().EmissionFileLabel().text(), "Emission File: ");
  EXPECT_TRUE(Plot().EmissionSeries().Points().empty());
  EXPECT_FALSE(windows_.Form3->isVisible());
  EXPECT_EQ(Plot().ExtinctionSeries().Points().size(), 301u);
}

TEST_F(MainWindowTest, CancelKeepsEverything) {
  LoadSamples();
  const QString j = Find<QLineEdit>("EditJ")->text();
  dialogs_.open_answers.push_back({QString(), 1});
  Find<QPushButton>("ButtonAbsorption")->click();
  dialogs_.open_answers.push_back({QString(), 1});
  Find<QAction>("DonorFluorescenceInputFile2")->trigger();
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), j);
  EXPECT_TRUE(session_.AbsorptionValid && session_.EmissionValid);
}

TEST_F(MainWindowTest, FilterEntryAndExtensionChooseTheReader) {
  korin::testing::TempDir dir;
  const std::string abs_data = "700 0.1\n698 0.3\n696 0.5\n680 0.7\n";
  LoadAbsorption(QString::fromStdString(dir.Write("scan.Abs", abs_data)));
  EXPECT_TRUE(session_.AbsorptionValid);
  for (const char* name : {"scan.dat", "scan"}) {
    LoadAbsorption(QString::fromStdString(dir.Write(name, abs_data)));
    EXPECT_FALSE(session_.AbsorptionValid) << name;
    EXPECT_FALSE(windows_.Form4->isVisible());
    EXPECT_EQ(Plot().AbsorptionFileLabel().text(), "Absorption File: ");
  }
  EXPECT_TRUE(dialogs_.messages.empty());
  // Entry 5 of the emission dialog is the four-field reader, whatever the name.
  LoadEmission(kDonor, 5);
  EXPECT_FALSE(session_.EmissionValid);
  LoadEmission(kSamples + "donor_emission.txt", 5);
  EXPECT_TRUE(session_.EmissionValid);
  // Each dialog keeps its entry for next time.
  LoadEmission(kDonor, 1);
  EXPECT_EQ(dialogs_.open_entries.back(), 5);
}

TEST_F(MainWindowTest, ResultsUseTheLocaleSeparator) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  LoadSamples();
  const auto [j, r0] = CliResults();
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), QString(j).replace('.', ','));
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), QString(r0).replace('.', ','));
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "85072");
  Find<QLineEdit>("EditConc")->setText("0,00001");
  EXPECT_FALSE(session_.ConcentrationValid);
  Find<QLineEdit>("EditConc")->setText("0.00001");
  EXPECT_TRUE(ResultsShown());
  QLocale::setDefault(previous);
}

TEST_F(MainWindowTest, ViewMenuShowsWindowsWithTheirContent) {
  LoadSamples();
  windows_.Form2->close();
  windows_.Form3->close();
  EXPECT_FALSE(windows_.Form2->isVisible());
  Find<QAction>("Energytranspherplot1")->trigger();
  Find<QAction>("DonorFluorescenceInputFile1")->trigger();
  Find<QAction>("AcceptorAbsorptionInputFile1")->trigger();
  Find<QAction>("About1")->trigger();
  EXPECT_TRUE(windows_.Form2->isVisible() && windows_.Form3->isVisible() &&
              windows_.Form4->isVisible() && windows_.Form5About->isVisible());
  EXPECT_EQ(Plot().EmissionSeries().Points().size(), 221u);
}

TEST_F(MainWindowTest, TickCountMenu) {
  Find<QAction>("N91")->trigger();
  Find<QAction>("N11")->trigger();
  EXPECT_TRUE(Find<QAction>("N11")->isChecked());
  EXPECT_FALSE(Find<QAction>("N41")->isChecked() || Find<QAction>("N91")->isChecked());
  EXPECT_EQ(Plot().chart().BottomAxis().MinorTickCount(), 1);
  Find<QAction>("N11")->trigger();  // the marked item again
  EXPECT_TRUE(Find<QAction>("N11")->isChecked());
  EXPECT_EQ(Plot().chart().BottomAxis().MinorTickCount(), 1);
  // The input windows keep their own count.
  EXPECT_EQ(windows_.Form3->chart().BottomAxis().MinorTickCount(), 4);
  EXPECT_EQ(windows_.Form4->chart().BottomAxis().MinorTickCount(), 4);
}

TEST_F(MainWindowTest, MenuCaptions) {
  QStringList captions;
  for (QAction* menu : f_.menuBar()->actions()) {
    captions << menu->text();
    if (menu->menu() == nullptr) continue;
    for (QAction* item : menu->menu()->actions()) {
      captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
      if (item->menu() == nullptr) continue;
      for (QAction* sub : item->menu()->actions()) captions << sub->text();
    }
  }
  EXPECT_EQ(captions, (QStringList{"&File",
                                   "Open donor emission file...",
                                   "Open acceptor absorption file...",
                                   "-",
                                   "P&rint Setup...",
                                   "&Print...",
                                   "-",
                                   "Exit",
                                   "&View",
                                   "Donor emission input file",
                                   "Acceptor absorption input file",
                                   "Energy transfer plot",
                                   "Options",
                                   "Wavelength Ticks Count",
                                   "1",
                                   "4",
                                   "9",
                                   "Tools",
                                   "Import spectrum from columns...",
                                   "-",
                                   "FRET analysis...",
                                   "-",
                                   "Export plot...",
                                   "Export data...",
                                   "Save report...",
                                   "-",
                                   "Pair table...",
                                   "&About"}));
}

TEST_F(MainWindowTest, TabOrder) {
  QWidget* const expected[] = {Find<QPushButton>("ButtonCalculate"),
                               Find<QLineEdit>("EditJ"),
                               Find<QLineEdit>("EditR0"),
                               Find<QPushButton>("ButtonAbsorption"),
                               Find<QLineEdit>("EditConc"),
                               Find<QLineEdit>("EditExtinc"),
                               Find<QRadioButton>("RadioButton2"),
                               Find<QRadioButton>("RadioButton1"),
                               Find<QComboBox>("ComboBox2"),
                               Find<QComboBox>("ComboBox1"),
                               Find<QLineEdit>("Edit1"),
                               Find<QLineEdit>("Edit2"),
                               Find<QPushButton>("ButtonEmission"),
                               Find<QLineEdit>("Edit4")};
  QWidget* w = Find<QPushButton>("ButtonCalculate");
  for (QWidget* next : expected) {
    EXPECT_EQ(w, next) << next->metaObject()->className();
    do {
      w = w->nextInFocusChain();
    } while (!(w->focusPolicy() & Qt::TabFocus) || w == f_.centralWidget());
  }
}

// Typing inside the coefficient keeps the cursor where the user types: the
// calculation's rewrite of the same text is no change.
TEST_F(MainWindowTest, TypingInsideTheCoefficientKeepsTheCursor) {
  LoadSamples();
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  Find<QLineEdit>("EditExtinc")->setText("85072");
  Find<QLineEdit>("EditExtinc")->setCursorPosition(2);
  Find<QLineEdit>("EditExtinc")->insert("1");
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "851072");
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->cursorPosition(), 3);
  Find<QLineEdit>("EditExtinc")->insert("2");
  EXPECT_EQ(Find<QLineEdit>("EditExtinc")->text(), "8512072");
  EXPECT_TRUE(ResultsShown());
}

TEST_F(MainWindowTest, OnlyLeftClicksSelectTheEntryMode) {
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(Find<QLineEdit>("EditExtinc"), &right);
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_FALSE(session_.ExtinctionMode);
}

TEST_F(MainWindowTest, DraggingInAFieldKeepsTheStatusLine) {
  QMouseEvent hover(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(Find<QLabel>("Label4"), &hover);
  const QString hint = Find<QLabel>("Label10")->text();
  ASSERT_FALSE(hint.isEmpty());
  for (QWidget* field : {static_cast<QWidget*>(Find<QLineEdit>("Edit2")),
                         static_cast<QWidget*>(Find<QLabel>("Label1"))}) {
    QMouseEvent drag(QEvent::MouseMove, QPointF(4, 4), QPointF(4, 4), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(field, &drag);
    EXPECT_EQ(Find<QLabel>("Label10")->text(), hint);
  }
}

TEST_F(MainWindowTest, MenuItemsHaveNoShortcutKeys) {
  int items = 0;
  for (QAction* action : f_.menuBar()->findChildren<QAction*>()) {
    EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    ++items;
  }
  EXPECT_GE(items, 12);
  EXPECT_EQ(Find<QAction>("About1")->menu(), nullptr);  // acts at once, no drop-down
}

TEST_F(MainWindowTest, PrintingGoesThroughTheDialog) {
  korin::testing::TempDir dir;
  const QString pdf = QString::fromStdString((dir.path() / "plot.pdf").string());
  LoadSamples();
  f_.Printer().setOutputFormat(QPrinter::PdfFormat);
  f_.Printer().setOutputFileName(pdf);
  dialogs_.print_answer = false;
  Find<QAction>("Print2")->trigger();
  EXPECT_FALSE(QFile::exists(pdf));
  dialogs_.print_answer = true;
  Find<QAction>("Print2")->trigger();
  EXPECT_EQ(dialogs_.prints, 2);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
  Find<QAction>("PrintSetup2")->trigger();
  EXPECT_EQ(dialogs_.printer_setups, 1);
}

TEST_F(MainWindowTest, ExitEndsAtOnce) {
  Find<QAction>("Exit1")->trigger();
  EXPECT_EQ(exits_, 1);
}

// Typing a coefficient key by key keeps what is typed, points and
// exponents included, while every keystroke computes; the general format
// is written once the field is left with Return.
TEST_F(MainWindowTest, TypingACoefficientKeepsWhatIsTyped) {
  LoadSamples();
  auto* field = Find<QLineEdit>("EditExtinc");
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  f_.activateWindow();
  QApplication::processEvents();
  field->setFocus();
  if (!field->hasFocus()) GTEST_SKIP() << "the platform gives no window the focus";
  const struct {
    const char* typed;
    const char* written;  // after Return
  } cases[] = {{"1.5", "1.5"}, {"12345.5", "12345.5"}, {"9.9e9", "9900000000"}};
  for (const auto& c : cases) {
    field->clear();
    for (const char key : std::string_view(c.typed)) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QLatin1Char(key)));
      QApplication::sendEvent(field, &press);
    }
    EXPECT_EQ(field->text(), c.typed);
    ASSERT_TRUE(ResultsShown()) << c.typed;
    // The same numbers as the command-line tool computes for that value.
    const auto [j, r0] = CliResults({"--extinction", c.typed});
    EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), r0) << c.typed;
    EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), j) << c.typed;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_EQ(field->text(), c.written);
  }
}

// Tools > FRET analysis... opens the analysis window, which follows the
// panel's results as they change.
TEST_F(MainWindowTest, AnalysisWindowFollowsTheResults) {
  LoadSamples();
  Find<QAction>("FretAnalysis")->trigger();
  auto* analysis = FindTopLevel("FRET Analysis");
  ASSERT_NE(analysis, nullptr);
  EXPECT_TRUE(analysis->isVisible());
  const auto figure = [&] {
    return analysis->findChild<QLabel*>(QStringLiteral("OverlapIntegralCm3"))->text();
  };
  EXPECT_EQ(figure(), Find<QLineEdit>("EditJ")->text());  // "3.1962E-13" both
  Find<QLineEdit>("Edit4")->setText("2");  // a quantum yield out of range hides the results
  QApplication::processEvents();
  EXPECT_EQ(figure(), QString(QChar(0x2014)));
  Find<QLineEdit>("Edit4")->setText("0.5");
  QApplication::processEvents();
  EXPECT_EQ(figure(), Find<QLineEdit>("EditJ")->text());
  // One window, shown again by the menu.
  analysis->close();
  Find<QAction>("FretAnalysis")->trigger();
  EXPECT_EQ(FindTopLevel("FRET Analysis"), analysis);
  EXPECT_TRUE(analysis->isVisible());
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(MainWindowTest, ToolsMenuExportsThePlotTheDataAndTheReport) {
  korin::testing::TempDir dir;
  const auto in = [&](const char* name) {
    return QString::fromStdString((dir.path() / name).string());
  };
  Find<QAction>("ExportData")->trigger();  // nothing loaded: said, no dialog
  EXPECT_TRUE(dialogs_.save_filters.empty());
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  dialogs_.messages.clear();

  LoadSamples();
  Find<QAction>("FretAnalysis")->trigger();  // its figures go into the report
  dialogs_.save_answers = {in("plot.svg"), in("data.csv"), in("report.md"), in("report.pdf")};
  Find<QAction>("ExportPlot")->trigger();
  Find<QAction>("ExportData")->trigger();
  Find<QAction>("SaveReport")->trigger();
  Find<QAction>("SaveReport")->trigger();
  EXPECT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front().toStdString();
  EXPECT_NE(FileText(dir.path() / "plot.svg").find("Wavelength [nm]"), std::string::npos);
  const std::string csv = FileText(dir.path() / "data.csv");
  EXPECT_NE(csv.find("# Overlap integral J: " + Find<QLineEdit>("EditJ")->text().toStdString()),
            std::string::npos);
  const std::string markdown = FileText(dir.path() / "report.md");
  EXPECT_NE(markdown.find("](report-plot.svg)"), std::string::npos);
  EXPECT_NE(markdown.find("| Transfer efficiency E |"), std::string::npos);  // from the analysis
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "report-plot.svg"));
  EXPECT_TRUE(FileText(dir.path() / "report.pdf").starts_with("%PDF"));
}

// Each chart offers its own export on a right click; a PNG asks for its
// size and resolution first.
TEST_F(MainWindowTest, EveryChartExportsOnARightClick) {
  korin::testing::TempDir dir;
  LoadSamples();
  int n = 0;
  for (QWidget* window :
       {static_cast<QWidget*>(windows_.Form2.get()), static_cast<QWidget*>(windows_.Form3.get()),
        static_cast<QWidget*>(windows_.Form4.get())}) {
    auto* chart = window->findChild<QWidget*>(QStringLiteral("Chart1"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(chart->actions().size(), 1);
    QAction* item = chart->actions().front();
    EXPECT_EQ(item->text(), "Export plot...");
    const auto path = dir.path() / ("chart" + std::to_string(n++) + ".png");
    dialogs_.save_answers = {QString::fromStdString(path.string())};
    dialogs_.image_size_answer = std::pair{QSize(320, 200), 150};
    item->trigger();
    EXPECT_EQ(dialogs_.image_sizes_offered.back(),
              window->findChild<QWidget*>(QStringLiteral("ClientArea"))->size() * 300 / 96);
    EXPECT_EQ(QImage(QString::fromStdString(path.string())).size(), QSize(320, 200));
  }
  dialogs_.save_answers = {QString::fromStdString((dir.path() / "cancelled.png").string())};
  dialogs_.image_size_answer.reset();  // the size dialog cancelled: nothing written
  windows_.Form2->findChild<QWidget*>(QStringLiteral("Chart1"))->actions().front()->trigger();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "cancelled.png"));
}

// A file dropped on a side's group or input window opens for that side by
// its extension, as through the dialog; on the plot the extension decides,
// and the user where both sides read it.
TEST_F(MainWindowTest, DroppedFilesOpenLikeChosenOnes) {
  const auto drop = [](QWidget* target, const QStringList& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  };
  drop(Find<QGroupBox>("GroupBox1"), {kDonor});
  EXPECT_TRUE(session_.EmissionValid);
  drop(windows_.Form4.get(), {kAcceptor});
  EXPECT_TRUE(ResultsShown());
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), "55.6500");

  // On the plot: .csv is emission only, .sp absorption only, .txt both.
  drop(windows_.Form2.get(), {kSamples + "acceptor_absorption.abs"});
  EXPECT_TRUE(session_.AbsorptionValid);
  EXPECT_TRUE(dialogs_.sides_asked.empty());
  dialogs_.side_answer = SpectrumSide::kEmission;
  drop(windows_.Form2.get(), {kSamples + "donor_emission.txt"});
  EXPECT_EQ(dialogs_.sides_asked.size(), 1u);
  EXPECT_TRUE(session_.EmissionValid);
  EXPECT_EQ(Plot().EmissionFileLabel().text(),
            "Emission File: " + Shortened(kSamples + "donor_emission.txt"));

  // Several files: the first that fits the side, and a word about the rest.
  drop(Find<QGroupBox>("GroupBox2"), {kDonor, kAcceptor, kSamples + "acceptor_absorption.abt"});
  EXPECT_EQ(Plot().AbsorptionFileLabel().text(), "Absorption File: " + Shortened(kAcceptor));
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Opened acceptor_absorption.sp as the absorption spectrum; the other 2 dropped files "
            "were left alone.");
  // A folder: its first file by name that fits.
  drop(Find<QGroupBox>("GroupBox2"), {kSamples});
  EXPECT_EQ(Plot().AbsorptionFileLabel().text(),
            "Absorption File: " + Shortened(kSamples + "acceptor_absorption.abs"));
  EXPECT_TRUE(dialogs_.messages.empty());
}

// Its frame must stand at 7,5 like every window's: a window sized only when
// shown would be placed by its client area instead. It cannot be resized.
TEST(MainWindowPlacement, SizedToItsContentsAndFixedBeforeItShows) {
  FretEngine engine;
  testing::ScriptedDialogs dialogs;
  TForm1 window(engine, dialogs);
  EXPECT_TRUE(window.testAttribute(Qt::WA_Resized));
  const QSize expected(435, 259 + window.menuBar()->sizeHint().height());
  EXPECT_EQ(window.size(), expected);
  EXPECT_EQ(window.minimumSize(), expected);
  EXPECT_EQ(window.maximumSize(), expected);
  EXPECT_EQ(window.pos(), QPoint(7, 5));
}

TEST_F(MainWindowTest, InactiveAcceptorFieldsStayReadable) {
  Find<QRadioButton>("RadioButton2")->setChecked(true);
  for (QWidget* w : {static_cast<QWidget*>(Find<QLineEdit>("EditConc")),
                     static_cast<QWidget*>(Find<QComboBox>("ComboBox2"))}) {
    const QPalette p = w->palette();
    // The dark background marks them as off; their text takes the light colour.
    EXPECT_EQ(p.color(QPalette::Base), QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(p.color(QPalette::Text), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(p.color(QPalette::ButtonText), QApplication::palette().color(QPalette::Base));
  }
  Find<QRadioButton>("RadioButton1")->setChecked(true);
  EXPECT_EQ(Find<QLineEdit>("EditConc")->palette().color(QPalette::Text),
            QApplication::palette().color(QPalette::WindowText));
}

TEST_F(MainWindowTest, ASilentlyRefusedLoadSaysWhyInTheStatusLine) {
  korin::testing::TempDir dir;
  // Two columns through the four-column reader that entry 1 picks for .txt.
  LoadEmission(QString::fromStdString(dir.Write("donor.txt", "450 1\n451 2\n452 3\n")));
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(Find<QLabel>("Label10")->text(),
            "Emission spectrum not loaded: no data points found in donor.txt (read as "
            "four-column text)");
  // A load that shows its own message adds nothing to the status line.
  Find<QLabel>("Label10")->clear();
  LoadAbsorption(QString::fromStdString((dir.path() / "gone.sp").string()));
  EXPECT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(Find<QLabel>("Label10")->text(), "");
}

TEST_F(MainWindowTest, PrintingWithoutAPrinterSaysSo) {
  LoadSamples();
  dialogs_.can_print = false;
  Find<QAction>("Print2")->trigger();
  EXPECT_EQ(dialogs_.prints, 0);
  EXPECT_EQ(dialogs_.messages,
            std::vector<QString>{"No printer is installed, so the plot cannot be printed."});
  // A job that cannot start (here a file in a missing folder) is reported too.
  dialogs_.can_print = true;
  const QString target = QStringLiteral("/nonexistent-folder/plot.pdf");
  f_.Printer().setOutputFormat(QPrinter::PdfFormat);
  f_.Printer().setOutputFileName(target);
  Find<QAction>("Print2")->trigger();
  EXPECT_EQ(dialogs_.prints, 1);
  EXPECT_EQ(dialogs_.messages.back(), "The print job could not be started on \"" + target + "\".");
}

// The print dialog offers the printer and the copy count, nothing else.
TEST_F(MainWindowTest, PrintDialogOffersOnlyPrinterAndCopies) {
  const auto dialog = MakePrintDialog(f_.Printer(), &f_);
  dialog->show();
  for (const char* hidden : {"gbPrintRange", "filename", "reverse"}) {
    const auto* widget = dialog->findChild<QWidget*>(QString::fromLatin1(hidden));
    if (widget != nullptr) {
      EXPECT_TRUE(widget->isHidden()) << hidden;
    }
  }
  const auto* range = dialog->findChild<QWidget*>(QStringLiteral("gbPrintRange"));
  ASSERT_NE(range, nullptr);
  const auto* copies = dialog->findChild<QWidget*>(QStringLiteral("copies"));
  ASSERT_NE(copies, nullptr);
  EXPECT_FALSE(copies->isHidden());
  EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
  EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
  dialog->hide();
}

// A message box stands over the main window, centred on it as far as the
// screen allows, not a title bar too high.
TEST_F(MainWindowTest, MessageBoxesStandOverTheMainWindow) {
  QtDialogService service;
  QRect box;
  QWindow* transient_parent = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    if (shown == nullptr) return;
    box = shown->frameGeometry();
    transient_parent = shown->windowHandle()->transientParent();
    shown->close();
  });
  service.ShowMessage(&f_, QStringLiteral("Korin-FRET"), QStringLiteral("File Error: /a.sp"));
  ASSERT_FALSE(box.isNull());
  EXPECT_EQ(transient_parent, f_.windowHandle());
  EXPECT_LE(std::abs(box.center().x() - f_.frameGeometry().center().x()), 2);
  EXPECT_LE(std::abs(box.center().y() - f_.frameGeometry().center().y()), 2);
}

}  // namespace
}  // namespace korin

namespace korin {
namespace {

// Run by its own test entry with LC_ALL=de_DE.UTF-8, as a German user
// starts the program: the results take the comma, the typed fields still
// read only ".".
TEST_F(MainWindowTest, GermanSystemLocale) {
  if (QLocale::system().decimalPoint() != QLatin1Char(',')) {
    GTEST_SKIP() << "needs LC_ALL=de_DE.UTF-8";
  }
  EXPECT_EQ(Find<QLineEdit>("EditConc")->text(), "1E-5");
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "0.66667");
  LoadSamples();
  ASSERT_TRUE(ResultsShown());
  const auto [j, r0] = CliResults();
  EXPECT_EQ(Find<QLineEdit>("EditJ")->text(), QString(j).replace('.', ','));
  EXPECT_EQ(Find<QLineEdit>("EditR0")->text(), QString(r0).replace('.', ','));
  Find<QLineEdit>("Edit4")->setText("0,5");
  EXPECT_FALSE(session_.QuantumYieldValid);
  Find<QLineEdit>("Edit4")->setText("0.5");
  EXPECT_TRUE(ResultsShown());
}

}  // namespace
}  // namespace korin
