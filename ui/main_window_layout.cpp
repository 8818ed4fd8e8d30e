// The main window's layout: the menu bar, the parameter panel with its
// designed geometry and fonts, and the connections from its controls to
// the handlers.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "plots/about_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/form_window.h"
#include "plots/input_spectrum_windows.h"
#include "plots/object_names.h"
#include "plots/qt_text.h"
#include "ui/main_window.h"
#include "ui/panel_widgets.h"

namespace korin {
namespace {

using panel::kGradientInactiveCaption;
using panel::SetColours;

constexpr QSize kContentSize = panel::kSize;
constexpr int kBorder = 5;
const QColor kYellow{255, 255, 0};
// The status line runs left of the Calculate button.
constexpr int kStatusWidth = 340;

QFont PanelFont(int pixels, bool bold = false) {
  QFont font = SansFont8pt();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

template <typename Widget>
Widget* Place(Widget* widget, const char* designer_name, QRect geometry, int font_pixels = 11,
              bool bold = false) {
  widget->setGeometry(geometry);
  widget->setFont(PanelFont(font_pixels, bold));
  return Named(widget, designer_name);
}

// A field whose text goes in only once its font is set: a line edit lays
// its text out again on every font change, and the one it is made with
// inherits its parent's font first.
QLineEdit* TextField(const QString& text, const char* designer_name, QWidget* parent,
                     QRect geometry, int font_pixels = 11) {
  auto* field = Place(new QLineEdit(parent), designer_name, geometry, font_pixels);
  field->setText(text);
  return field;
}

QLabel* FittedLabel(const QString& text, const char* designer_name, QWidget* parent, QPoint at,
                    bool bold = false) {
  auto* label = Named(new QLabel(text, parent), designer_name);
  label->setFont(PanelFont(11, bold));
  label->move(at);
  FitToText(*label);
  return label;
}

QGroupBox* GroupBox(const QString& caption, const char* designer_name, QWidget* parent,
                    QRect geometry, const QColor& colour) {
  auto* box = Named(new CaptionedGroupBox(caption, colour, parent), designer_name);
  box->setGeometry(geometry);
  // Only the caption takes the colour and the weight; the controls inside
  // set their own fonts.
  box->setFont(PanelFont(11, true));
  return box;
}

QComboBox* PlacedList(QWidget* parent, const char* designer_name, QRect geometry, int item_height) {
  return Place(new FixedList(item_height, parent), designer_name, geometry);
}

}  // namespace

void MainWindow::BuildMenu() {
  QMenuBar* bar = Named(menuBar(), names::kMenuBar);
  QMenu* file = Named(bar->addMenu(QStringLiteral("&File")), names::kFileMenu);
  open_emission_item_ = Named(file->addAction(QStringLiteral("Open donor emission file...")),
                              "DonorFluorescenceInputFile2");
  open_absorption_item_ = Named(file->addAction(QStringLiteral("Open acceptor absorption file...")),
                                "DonorFluorescenceInputFile3");
  Named(file->addSeparator(), names::kFileSeparator1);
  print_setup_item_ =
      Named(file->addAction(QStringLiteral("P&rint Setup...")), names::kPrintSetupItem);
  print_item_ = Named(file->addAction(QStringLiteral("&Print...")), names::kPrintItem);
  Named(file->addSeparator(), names::kFileSeparator2);
  exit_item_ = Named(file->addAction(QStringLiteral("Exit")), names::kExitItem);

  QMenu* view = Named(bar->addMenu(QStringLiteral("&View")), names::kViewMenu);
  show_donor_window_item_ = Named(view->addAction(QStringLiteral("Donor emission input file")),
                                  "DonorFluorescenceInputFile1");
  show_acceptor_window_item_ =
      Named(view->addAction(QStringLiteral("Acceptor absorption input file")),
            "AcceptorAbsorptionInputFile1");
  show_plot_item_ =
      Named(view->addAction(QStringLiteral("Energy transfer plot")), names::kShowPlotItem);

  QMenu* options = Named(bar->addMenu(QStringLiteral("Options")), names::kOptionsMenu);
  QMenu* ticks =
      Named(options->addMenu(QStringLiteral("Wavelength Ticks Count")), names::kTicksMenu);
  ticks_1_item_ = Named(ticks->addAction(QStringLiteral("1")), names::kTicks1Item);
  ticks_4_item_ = Named(ticks->addAction(QStringLiteral("4")), names::kTicks4Item);
  ticks_9_item_ = Named(ticks->addAction(QStringLiteral("9")), names::kTicks9Item);
  for (QAction* item : {ticks_1_item_, ticks_4_item_, ticks_9_item_}) item->setCheckable(true);
  ticks_4_item_->setChecked(true);

  QMenu* tools = Named(bar->addMenu(QStringLiteral("Tools")), names::kToolsMenu);
  import_columns_item_ = Named(tools->addAction(QStringLiteral("Import spectrum from columns...")),
                               names::kImportColumnsItem);
  tools->addSeparator();
  analysis_item_ =
      Named(tools->addAction(QStringLiteral("FRET analysis...")), names::kAnalysisItem);
  tools->addSeparator();
  export_plot_item_ =
      Named(tools->addAction(QStringLiteral("Export plot...")), names::kExportPlotItem);
  export_data_item_ =
      Named(tools->addAction(QStringLiteral("Export data...")), names::kExportDataItem);
  save_report_item_ =
      Named(tools->addAction(QStringLiteral("Save report...")), names::kSaveReportItem);
  tools->addSeparator();
  pair_table_item_ =
      Named(tools->addAction(QStringLiteral("Pair table...")), names::kPairTableItem);
  planner_item_ =
      Named(tools->addAction(QStringLiteral("Experiment planner...")), names::kPlannerItem);

  // A top-level item that acts at once, without a drop-down.
  about_item_ = Named(bar->addAction(QStringLiteral("&About")), names::kAboutItem);
}

void MainWindow::BuildPanel() {
  auto* client = new QWidget(this);
  client->setFixedSize(kContentSize + QSize(2 * kBorder, 2 * kBorder));
  client->setAutoFillBackground(true);
  client->setBackgroundRole(QPalette::Button);
  auto* w = new QWidget(client);  // the panel inside the border
  w->setGeometry(QRect(QPoint(kBorder, kBorder), kContentSize));
  panel_ = w;
  setCentralWidget(client);

  donor_group_ = GroupBox(QStringLiteral(" Donor "), names::kDonorGroup, w, {0, 0, 201, 102}, kRed);
  open_emission_button_ = Place(new QPushButton(QStringLiteral("Emission spectrum"), donor_group_),
                                "ButtonEmission", {9, 18, 184, 21}, 11, true);
  quantum_yield_label_ = FittedLabel(QStringLiteral("Quantum Yield (0 ... 1)"),
                                     names::kQuantumYieldLabel, donor_group_, {10, 61});
  quantum_yield_field_ =
      TextField(QStringLiteral("0.5"), names::kQuantumYieldField, donor_group_, {126, 58, 65, 21});

  orientation_label_ = Named(new QLabel(QStringLiteral("Orientation Factor (0 ... 1)"), w),
                             names::kOrientationLabel);
  orientation_label_->move(6, 111);
  FitToText(*orientation_label_);
  orientation_field_ =
      TextField(QStringLiteral("1"), names::kOrientationField, w, {135, 108, 66, 21}, 10);

  solvent_group_ = GroupBox(QStringLiteral(" Solvent "), names::kSolventGroup, w, {0, 139, 201, 73},
                            palette().color(QPalette::WindowText));
  solvent_label_ =
      FittedLabel(QStringLiteral("Solvent System"), names::kSolventLabel, solvent_group_, {15, 21});
  solvent_list_ = PlacedList(solvent_group_, names::kSolventList, {96, 17, 97, 22}, 16);
  refractive_index_label_ = FittedLabel(QStringLiteral("Refrective Index"),
                                        names::kRefractiveIndexLabel, solvent_group_, {9, 47});
  refractive_index_field_ =
      Place(new QLineEdit(solvent_group_), names::kRefractiveIndexField, {96, 44, 97, 21});
  refractive_index_field_->setEnabled(false);

  acceptor_group_ =
      GroupBox(QStringLiteral(" Acceptor "), names::kAcceptorGroup, w, {208, 0, 217, 131}, kBlue);
  open_absorption_button_ =
      Place(new QPushButton(QStringLiteral("Absorption spectrum"), acceptor_group_),
            "ButtonAbsorption", {25, 18, 184, 21}, 11, true);
  concentration_entry_ =
      Place(new QRadioButton(QStringLiteral("Concentration [Mol/L]"), acceptor_group_),
            "RadioButton1", {9, 45, 128, 25});
  concentration_field_ =
      TextField(QStringLiteral("1.00e-5"), "EditConc", acceptor_group_, {141, 46, 68, 21});
  optical_path_label_ = FittedLabel(QStringLiteral("Optical Path [cm]"), names::kOpticalPathLabel,
                                    acceptor_group_, {50, 74});
  optical_path_list_ = PlacedList(acceptor_group_, names::kOpticalPathList, {141, 71, 68, 19}, 13);
  extinction_entry_ =
      Place(new QRadioButton(QStringLiteral("Extinction Coefficient"), acceptor_group_),
            "RadioButton2", {9, 92, 128, 33});
  extinction_field_ =
      Place(new QLineEdit(acceptor_group_), names::kExtinctionField, {141, 98, 68, 21});
  extinction_field_->setReadOnly(true);
  SetColours(extinction_field_, kGradientInactiveCaption,
             QApplication::palette().color(QPalette::WindowText));
  concentration_entry_->setChecked(true);
  entry_mode_ = new QButtonGroup(this);
  entry_mode_->addButton(concentration_entry_);
  entry_mode_->addButton(extinction_entry_);

  result_panel_ = Named(new QFrame(w), names::kResultPanel);
  result_panel_->setGeometry(208, 144, 216, 67);
  result_panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  overlap_integral_label_ = FittedLabel(QStringLiteral("Overlap Integral"),
                                        names::kOverlapIntegralLabel, result_panel_, {9, 13}, true);
  overlap_integral_field_ =
      Place(new QLineEdit(result_panel_), names::kOverlapIntegralField, {109, 9, 98, 21}, 10);
  forster_distance_label_ =
      FittedLabel(QStringLiteral("Ro [Angstroms]"), names::kForsterDistanceLabel, result_panel_,
                  {14, 41}, true);
  forster_distance_field_ =
      Place(new QLineEdit(result_panel_), names::kForsterDistanceField, {109, 37, 98, 21}, 10);
  for (QLineEdit* result : {overlap_integral_field_, forster_distance_field_}) {
    result->setReadOnly(true);
    SetColours(result, kYellow, QApplication::palette().color(QPalette::WindowText));
  }

  calculate_button_ = Place(new QPushButton(QStringLiteral("Calculate"), w),
                            names::kCalculateButton, {345, 219, 79, 30}, 11, true);
  QPalette black = calculate_button_->palette();
  black.setColor(QPalette::ButtonText, Qt::black);
  calculate_button_->setPalette(black);
  for (QPushButton* button : {open_emission_button_, open_absorption_button_, calculate_button_}) {
    button->setCursor(Qt::PointingHandCursor);
  }

  status_line_ = Named(new QLabel(w), names::kStatusLine);
  status_line_->move(0, 228);

  // Keyboard order: the window's own controls, each group's in turn.
  QWidget* const order[] = {
      calculate_button_,       overlap_integral_field_, forster_distance_field_,
      open_absorption_button_, concentration_field_,    extinction_field_,
      extinction_entry_,       concentration_entry_,    optical_path_list_,
      solvent_list_,           refractive_index_field_, orientation_field_,
      open_emission_button_,   quantum_yield_field_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget::setTabOrder(order[i], order[i + 1]);
  }

  // Files dropped on a side's group open as that side's spectrum; the
  // fields inside would otherwise take the path as typed text.
  for (QGroupBox* group : {donor_group_, acceptor_group_}) {
    group->setAcceptDrops(true);
    group->installEventFilter(this);
  }
  for (QLineEdit* field : {quantum_yield_field_, concentration_field_, extinction_field_}) {
    field->setAcceptDrops(false);
  }

  // The status line follows the mouse over these.
  for (QWidget* tracked : std::initializer_list<QWidget*>{w, acceptor_group_, concentration_field_,
                                                          extinction_field_, concentration_entry_,
                                                          extinction_entry_, optical_path_label_}) {
    tracked->setMouseTracking(true);
    tracked->installEventFilter(this);
  }
  for (QWidget* watched : std::initializer_list<QWidget*>{
           orientation_label_, refractive_index_field_, orientation_field_, quantum_yield_field_}) {
    watched->installEventFilter(this);
  }
}

void MainWindow::ConnectHandlers() {
  connect(concentration_field_, &QLineEdit::textChanged, this, &MainWindow::OnConcentrationEdited);
  connect(orientation_field_, &QLineEdit::textChanged, this, &MainWindow::OnOrientationEdited);
  connect(quantum_yield_field_, &QLineEdit::textChanged, this, &MainWindow::OnQuantumYieldEdited);
  connect(refractive_index_field_, &QLineEdit::textChanged, this,
          &MainWindow::OnRefractiveIndexEdited);
  connect(extinction_field_, &QLineEdit::textChanged, this, &MainWindow::OnExtinctionEdited);
  connect(extinction_field_, &QLineEdit::editingFinished, this,
          &MainWindow::OnExtinctionEditingFinished);
  // activated: the user's choice only, never a selection made from code.
  connect(solvent_list_, &QComboBox::activated, this, &MainWindow::OnSolventChosen);
  connect(optical_path_list_, &QComboBox::activated, this, &MainWindow::OnOpticalPathChosen);
  // The newly selected button reports last, after the other was deselected.
  for (QRadioButton* button : {concentration_entry_, extinction_entry_}) {
    connect(button, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) OnEntryModeChosen();
    });
  }
  connect(open_emission_button_, &QPushButton::clicked, this, &MainWindow::OpenEmission);
  connect(open_absorption_button_, &QPushButton::clicked, this, &MainWindow::OpenAbsorption);
  connect(calculate_button_, &QPushButton::clicked, this, [this] { engine_.RunGate(); });

  connect(open_emission_item_, &QAction::triggered, this, &MainWindow::OpenEmission);
  connect(open_absorption_item_, &QAction::triggered, this, &MainWindow::OpenAbsorption);
  connect(print_setup_item_, &QAction::triggered, this, &MainWindow::OnPrintSetup);
  connect(print_item_, &QAction::triggered, this, &MainWindow::OnPrint);
  connect(exit_item_, &QAction::triggered, this, [this] { exit_(); });
  connect(show_donor_window_item_, &QAction::triggered, this,
          [this] { panel::ShowWindow(donor_window_); });
  connect(show_acceptor_window_item_, &QAction::triggered, this,
          [this] { panel::ShowWindow(acceptor_window_); });
  connect(show_plot_item_, &QAction::triggered, this, [this] { panel::ShowWindow(plot_); });
  connect(about_item_, &QAction::triggered, this, [this] { panel::ShowWindow(about_); });
  connect(analysis_item_, &QAction::triggered, this, &MainWindow::ShowAnalysis);
  connect(export_plot_item_, &QAction::triggered, this, [this] {
    if (plot_ != nullptr) ExportPlot(*plot_);
  });
  connect(export_data_item_, &QAction::triggered, this, &MainWindow::ExportData);
  connect(save_report_item_, &QAction::triggered, this, &MainWindow::SaveReport);
  connect(pair_table_item_, &QAction::triggered, this, &MainWindow::ShowPairTable);
  connect(planner_item_, &QAction::triggered, this, &MainWindow::ShowPlanner);
  connect(import_columns_item_, &QAction::triggered, this, &MainWindow::ImportColumns);
  connect(ticks_1_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(1, ticks_1_item_); });
  connect(ticks_4_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(4, ticks_4_item_); });
  connect(ticks_9_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(9, ticks_9_item_); });
}

}  // namespace korin
