// The main window's controls keep their designer names as Qt object names
// (plots/object_names.h), so that they can be found (findChild) and traced.
#include "ui/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

#include "batch/pair_sources.h"
#include "core/parameter_tables.h"
#include "io/column_choice.h"
#include "io/column_reader.h"
#include "io/file_output.h"
#include "io/spectrum_file.h"
#include "io/spectrum_formats.h"
#include "io/spectrum_loader.h"
#include "plots/about_window.h"
#include "plots/analysis_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/form_window.h"
#include "plots/input_spectrum_windows.h"
#include "plots/object_names.h"
#include "plots/plot_export.h"
#include "plots/print_form.h"
#include "plots/qt_text.h"
#include "plots/report_pdf.h"
#include "report/data_export.h"
#include "ui/pair_table_window.h"
#include "ui/startup_files.h"

namespace korin {
namespace {

constexpr QSize kContentSize{425, 249};
constexpr int kBorder = 5;
// Qt has no role for the inactive caption gradient; this is its classic shade.
const QColor kGradientInactiveCaption{215, 228, 242};
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

QLabel* FittedLabel(const QString& text, const char* designer_name, QWidget* parent, QPoint at,
                    bool bold = false) {
  auto* label = Named(new QLabel(text, parent), designer_name);
  label->setFont(PanelFont(11, bold));
  label->move(at);
  label->adjustSize();
  return label;
}

QGroupBox* GroupBox(const QString& caption, const char* designer_name, QWidget* parent,
                    QRect geometry, const QColor& colour) {
  auto* box = Named(new QGroupBox(caption, parent), designer_name);
  box->setGeometry(geometry);
  box->setFont(PanelFont(11, true));
  // Only the caption takes the colour and the weight; the controls inside
  // set their own fonts.
  box->setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; }").arg(colour.name()));
  return box;
}

// The background of a field or list, with its text in `text` so that it
// stays readable on any background.
void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  widget->setPalette(palette);
}

// A fixed list whose drop-down rows have the given pixel height.
class FixedRowHeight final : public QStyledItemDelegate {
 public:
  FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

QComboBox* FixedList(QWidget* parent, const char* designer_name, QRect geometry, int item_height) {
  auto* list = Place(new QComboBox(parent), designer_name, geometry);
  list->setItemDelegate(new FixedRowHeight(item_height, list));
  return list;
}

// A text written into a field from code. Writing the text a field already
// holds is no change: it must not move the user's cursor or lose the undo
// history either, as QLineEdit::setText would. The engine has already run
// what the change runs, so the field's own handler must not run again.
void WriteText(QLineEdit* field, const QString& text) {
  if (field->text() == text) return;
  const QSignalBlocker quiet(field);
  field->setText(text);
}

void ShowWindow(QWidget* window) {
  if (window == nullptr) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

MainWindow::MainWindow(FretEngine& engine, DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent),
      engine_(engine),
      dialogs_(dialogs),
      absorption_dialog_{FromUtf8(OpenDialogTitle(SpectrumSide::kAbsorption)),
                         OpenDialogFilter(SpectrumSide::kAbsorption), 1, QString()},
      emission_dialog_{FromUtf8(OpenDialogTitle(SpectrumSide::kEmission)),
                       OpenDialogFilter(SpectrumSide::kEmission), 1, QString()},
      columns_dialog_{QStringLiteral("Import spectrum from columns"),
                      "Delimited text (*.csv, *.tsv, *.txt, *.dat)|*.csv;*.tsv;*.txt;*.dat|"
                      "All files (*.*)|*.*",
                      1, QString()},
      exit_([] { QCoreApplication::exit(0); }) {
  setObjectName(names::kMainWindow);
  setWindowTitle(QStringLiteral("Valtrix FRET Software"));
  setFont(PanelFont(10));
  BuildMenu();
  BuildPanel();
  ConnectHandlers();
  // The window's frame stands at 7,5, as every window's frame stands at
  // its place; the size is that of its contents and fixed.
  setFixedSize(sizeHint());
  move(7, 5);
  engine_.SetView(this);
  Start();
}

MainWindow::~MainWindow() {
  engine_.SetView(nullptr);
  // Closing the window moves the focus out of a field, which would call
  // back into a window no longer whole.
  for (QObject* sender : findChildren<QObject*>())
    QObject::disconnect(sender, nullptr, this, nullptr);
}

void MainWindow::AttachWindows(EnergyTransferPlotWindow* plot, DonorInputWindow* donor_window,
                               AcceptorInputWindow* acceptor_window, AboutWindow* about) {
  plot_ = plot;
  donor_window_ = donor_window;
  acceptor_window_ = acceptor_window;
  about_ = about;
  for (FormWindow* window :
       std::initializer_list<FormWindow*>{plot, donor_window, acceptor_window}) {
    if (window == nullptr) continue;
    // A right click on the chart offers its export.
    if (auto* chart = window->findChild<QWidget*>(names::kChart)) {
      auto* item =
          Named(new QAction(QStringLiteral("Export plot..."), chart), names::kExportPlotItem);
      connect(item, &QAction::triggered, this, [this, window] { ExportPlot(*window); });
      chart->addAction(item);
      chart->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    window->setAcceptDrops(true);
    window->installEventFilter(this);
  }
}

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
  quantum_yield_field_ = Place(new QLineEdit(QStringLiteral("0.5"), donor_group_),
                               names::kQuantumYieldField, {126, 58, 65, 21});

  orientation_label_ = Named(new QLabel(QStringLiteral("Orientation Factor (0 ... 1)"), w),
                             names::kOrientationLabel);
  orientation_label_->move(6, 111);
  orientation_label_->adjustSize();
  orientation_field_ = Place(new QLineEdit(QStringLiteral("1"), w), names::kOrientationField,
                             {135, 108, 66, 21}, 10);

  solvent_group_ = GroupBox(QStringLiteral(" Solvent "), names::kSolventGroup, w, {0, 139, 201, 73},
                            palette().color(QPalette::WindowText));
  solvent_label_ =
      FittedLabel(QStringLiteral("Solvent System"), names::kSolventLabel, solvent_group_, {15, 21});
  solvent_list_ = FixedList(solvent_group_, names::kSolventList, {96, 17, 97, 22}, 16);
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
  concentration_field_ = Place(new QLineEdit(QStringLiteral("1.00e-5"), acceptor_group_),
                               "EditConc", {141, 46, 68, 21});
  optical_path_label_ = FittedLabel(QStringLiteral("Optical Path [cm]"), names::kOpticalPathLabel,
                                    acceptor_group_, {50, 74});
  optical_path_list_ = FixedList(acceptor_group_, names::kOpticalPathList, {141, 71, 68, 19}, 13);
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
          [this] { ShowWindow(donor_window_); });
  connect(show_acceptor_window_item_, &QAction::triggered, this,
          [this] { ShowWindow(acceptor_window_); });
  connect(show_plot_item_, &QAction::triggered, this, [this] { ShowWindow(plot_); });
  connect(about_item_, &QAction::triggered, this, [this] { ShowWindow(about_); });
  connect(analysis_item_, &QAction::triggered, this, &MainWindow::ShowAnalysis);
  connect(export_plot_item_, &QAction::triggered, this, [this] {
    if (plot_ != nullptr) ExportPlot(*plot_);
  });
  connect(export_data_item_, &QAction::triggered, this, &MainWindow::ExportData);
  connect(save_report_item_, &QAction::triggered, this, &MainWindow::SaveReport);
  connect(pair_table_item_, &QAction::triggered, this, &MainWindow::ShowPairTable);
  connect(import_columns_item_, &QAction::triggered, this, &MainWindow::ImportColumns);
  connect(ticks_1_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(1, ticks_1_item_); });
  connect(ticks_4_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(4, ticks_4_item_); });
  connect(ticks_9_item_, &QAction::triggered, this,
          [this] { SetMinorTickCount(9, ticks_9_item_); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Drops: a side's group and input window take files for that side, the
  // energy-transfer plot for either.
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) {
    std::optional<SpectrumSide> side;
    bool target = watched == plot_;
    if (watched == donor_group_ || watched == donor_window_) {
      side = SpectrumSide::kEmission;
      target = true;
    } else if (watched == acceptor_group_ || watched == acceptor_window_) {
      side = SpectrumSide::kAbsorption;
      target = true;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    if (target && drop->mimeData()->hasUrls()) {
      drop->acceptProposedAction();
      if (event->type() == QEvent::Drop) {
        const QPoint at = static_cast<QWidget*>(watched)->mapToGlobal(drop->position().toPoint());
        OpenDropped(drop->mimeData()->urls(), side, at);
      }
      return true;
    }
  }
  switch (event->type()) {
    case QEvent::FocusOut: {
      // Focus leaving for another control; a menu or another window taking
      // it for a while is no leaving.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
      if (watched == orientation_field_) OnOrientationEdited();
      if (watched == quantum_yield_field_) OnQuantumYieldEdited();
      if (watched == refractive_index_field_) OnRefractiveIndexEdited();
      break;
    }
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      if (watched == concentration_field_) SelectConcentrationEntry();
      if (watched == extinction_field_) SelectExtinctionEntry();
      if (watched == optical_path_label_) optical_path_label_pressed_ = true;
      break;
    case QEvent::MouseButtonRelease:
      // A click on the label: pressed and released there with the left button.
      if (watched == optical_path_label_ && optical_path_label_pressed_ &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
          optical_path_label_->rect().contains(
              static_cast<QMouseEvent*>(event)->position().toPoint())) {
        SelectConcentrationEntry();
      }
      optical_path_label_pressed_ = false;
      break;
    case QEvent::Enter:
      if (watched == orientation_label_) ShowOrientationHint();
      break;
    case QEvent::Leave:
      if (watched == orientation_label_) ClearHint();
      break;
    case QEvent::MouseMove: {
      if (watched == concentration_field_ || watched == extinction_field_ ||
          watched == concentration_entry_ || watched == extinction_entry_) {
        ShowEntryModeHint();
      } else if (watched == optical_path_label_) {
        ShowOpticalPathHint();
        return true;  // not the group box's background
      } else if (watched == panel_ || watched == acceptor_group_) {
        // A move that a child passed up is not over the background.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (static_cast<QWidget*>(watched)->childAt(at) == nullptr) ClearHint();
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- Start-up and the panel -----------------------------------------------

void MainWindow::Start() {
  for (const auto& solvent : kSolventTable) solvent_list_->addItem(FromUtf8(solvent.name));
  solvent_list_->setCurrentIndex(kStartSolvent);
  for (const auto& path : kOpticalPathTable) optical_path_list_->addItem(FromUtf8(path.label));
  optical_path_list_->setCurrentIndex(kStartOpticalPath);
  // Only "<Other>" lets the user type a refractive index.
  refractive_index_field_->setEnabled(kStartSolvent == 0);
  engine_.Start();
}

void MainWindow::OnConcentrationEdited() {
  engine_.EditField(PanelField::kConcentration, concentration_field_->text().toStdString());
}
void MainWindow::OnOrientationEdited() {
  engine_.EditField(PanelField::kOrientation, orientation_field_->text().toStdString());
}
void MainWindow::OnQuantumYieldEdited() {
  engine_.EditField(PanelField::kQuantumYield, quantum_yield_field_->text().toStdString());
}
void MainWindow::OnRefractiveIndexEdited() {
  engine_.EditField(PanelField::kRefractiveIndex, refractive_index_field_->text().toStdString());
}

// Every keystroke runs the calculation, but the general-format text the
// calculation writes back would break up what is being typed (a point or
// an exponent): it is shown once the field is left or Return is pressed.
void MainWindow::OnExtinctionEdited() {
  editing_extinction_ = extinction_field_->hasFocus();
  engine_.EditField(PanelField::kExtinction, extinction_field_->text().toStdString());
  editing_extinction_ = false;
}

void MainWindow::OnExtinctionEditingFinished() {
  WriteText(extinction_field_, FromUtf8(engine_.FieldText(PanelField::kExtinction)));
}

void MainWindow::OnSolventChosen() {
  const int i = solvent_list_->currentIndex();
  refractive_index_field_->setEnabled(i == 0);
  engine_.ChooseSolvent(i);
}

void MainWindow::OnOpticalPathChosen() {
  engine_.ChooseOpticalPath(optical_path_list_->currentIndex());
}

// --- Entry mode and status line ------------------------------------------

void MainWindow::OnEntryModeChosen() {
  const bool extinction = extinction_entry_->isChecked();
  const QPalette system = QApplication::palette();
  const QColor window = system.color(QPalette::Base);
  const QColor window_text = system.color(QPalette::WindowText);
  engine_.SetExtinctionEntry(extinction);
  SetColours(extinction_field_, extinction ? window : kGradientInactiveCaption, window_text);
  // The dark background marks the two as not in use; their values stay
  // readable in the light colour.
  SetColours(concentration_field_, extinction ? window_text : window,
             extinction ? window : window_text);
  SetColours(optical_path_list_, extinction ? window_text : window,
             extinction ? window : window_text);
  extinction_field_->setReadOnly(!extinction);
  (extinction ? extinction_field_ : concentration_field_)->setFocus();
}

void MainWindow::SelectConcentrationEntry() {
  concentration_entry_->setChecked(true);
}
void MainWindow::SelectExtinctionEntry() {
  extinction_entry_->setChecked(true);
}

void MainWindow::ShowStatusText(const QString& text) {
  status_line_->setWordWrap(false);
  status_line_->setText(text);
  status_line_->adjustSize();
  // A long report wraps left of the Calculate button, ending at the
  // window's bottom.
  if (status_line_->width() > kStatusWidth) {
    status_line_->setWordWrap(true);
    status_line_->setFixedWidth(kStatusWidth);
    status_line_->adjustSize();
    status_line_->move(0, kContentSize.height() - status_line_->height());
  } else {
    status_line_->setMinimumWidth(0);
    status_line_->setMaximumWidth(QWIDGETSIZE_MAX);
    status_line_->move(0, 228);
  }
}

void MainWindow::ShowOrientationHint() {
  ShowStatusText(QStringLiteral("Orientation factor between D and A molecules (in general, 2/3)"));
}

void MainWindow::ClearHint() {
  status_line_->clear();
}

void MainWindow::ShowEntryModeHint() {
  ShowStatusText(
      engine_.session().extinction_mode
          ? QStringLiteral("Click 'Concentration' window to entry the concentration")
          : QStringLiteral(
                "Click 'Extinction Coefficient' window to entry the extinction coefficient"));
}

void MainWindow::ShowOpticalPathHint() {
  ShowStatusText(
      QStringLiteral("Optical Path can be used to calculate the extinction coefficient"));
}

void MainWindow::ShowMessage(const QString& text) {
  dialogs_.ShowMessage(this, QCoreApplication::applicationName(), text);
}

// --- Open commands ---------------------------------------------------------

void MainWindow::OpenEmission() {
  OpenSpectrumFile(SpectrumSide::kEmission, emission_dialog_);
}
void MainWindow::OpenAbsorption() {
  OpenSpectrumFile(SpectrumSide::kAbsorption, absorption_dialog_);
}

void MainWindow::OpenSpectrumFile(SpectrumSide side, OpenDialogState& dialog) {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, dialog);
  if (!chosen) return;
  (void)OpenAndReport(side, dialog.filter_entry, *chosen);
}

void MainWindow::OpenSpectrumPath(SpectrumSide side, const QString& path, int filter_entry) {
  (void)OpenAndReport(side, filter_entry, path);
}

MessageSink MainWindow::MessageBoxSink() {
  return [this](std::string_view message) { ShowMessage(LocalText(message)); };
}

LoadOutcome MainWindow::OpenAndReport(SpectrumSide side, int filter_entry, const QString& path) {
  LoadOutcome outcome = OpenSpectrum(engine_, side, filter_entry,
                                     QFile::encodeName(path).toStdString(), MessageBoxSink());
  ShowLoadWarnings(outcome);
  return outcome;
}

void MainWindow::ShowLoadWarnings(const LoadOutcome& outcome) {
  if (outcome.kind != LoadOutcome::Kind::kAccepted || outcome.warnings.empty()) return;
  QStringList lines;
  for (const std::string& warning : outcome.warnings) lines << LocalText(warning);
  ShowMessage(lines.join(QLatin1Char('\n')));
}

bool MainWindow::NeedsColumnChoice(const SpectrumFile& file, const ColumnTable& table,
                                   SpectrumSide side) const {
  if (!table.found()) return false;
  // A header naming several spectra ("Excitation", "Emission"): the reader
  // by extension would take one of them without asking.
  if (NamesSeveralSpectra(table)) return true;
  // A table the reader by extension refuses: tried on an engine of its own,
  // silently, so that the user sees the dialog instead of its refusal.
  FretEngine trial;
  return LoadSpectrum(trial, side, 1, file.Source(), [](std::string_view) {}).kind !=
         LoadOutcome::Kind::kAccepted;
}

void MainWindow::ImportColumns() {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, columns_dialog_);
  if (!chosen) return;
  const SpectrumFile file = ReadSpectrumFile(QFile::encodeName(*chosen).toStdString());
  if (!file.opened) {
    // The readers' own words for a file that cannot be read; no side has
    // been chosen, so none is withdrawn.
    ShowFileError(MessageBoxSink(), file.path);
    return;
  }
  const ColumnTable table = ScanColumnTable(file.content());
  if (!table.found()) {
    ShowMessage(
        QStringLiteral("No table of numbers was found in %1.").arg(QFileInfo(*chosen).fileName()));
    return;
  }
  AskAndLoadColumns(*chosen, file, table, columns_side_);
}

void MainWindow::AskAndLoadColumns(const QString& path, const SpectrumFile& file,
                                   const ColumnTable& table, SpectrumSide side) {
  const std::optional<ColumnImportChoice> choice = dialogs_.AskColumns(this, table, path, side);
  if (!choice) return;
  columns_side_ = choice->side;
  ShowLoadWarnings(
      LoadColumns(engine_, choice->side, table, choice->pair, file.Source(), MessageBoxSink()));
}

void MainWindow::LoadPair(const DyeRecord& donor, const DyeRecord& acceptor,
                          const SharedParameters& shared) {
  // Typed into the fields, each change running its handler as a keystroke
  // does, in the command-line tool's order.
  const auto type = [](QLineEdit* field, const std::string& text) {
    field->setText(FromUtf8(text));
  };
  solvent_list_->setCurrentIndex(shared.solvent);
  OnSolventChosen();
  if (shared.solvent == 0) type(refractive_index_field_, shared.refractive_index);
  optical_path_list_->setCurrentIndex(acceptor.optical_path);
  OnOpticalPathChosen();
  type(orientation_field_, shared.orientation);
  type(quantum_yield_field_, donor.quantum_yield);
  SelectConcentrationEntry();
  type(concentration_field_, acceptor.concentration);
  const auto open = [this](const DyeRecord& record) {
    if (!record.value_column) {
      OpenSpectrumPath(record.side, QFile::decodeName(record.path.c_str()), record.filter_entry);
      return;
    }
    ShowLoadWarnings(
        OpenColumns(engine_, record.side, ColumnRequestOf(record), record.path, MessageBoxSink()));
  };
  open(donor);
  open(acceptor);
  if (acceptor.extinction) {
    // A new spectrum is derived from the concentration whatever the radio
    // buttons show: choose extinction entry afresh, and type the whole
    // coefficient into an emptied field.
    SelectConcentrationEntry();
    SelectExtinctionEntry();
    extinction_field_->clear();
    type(extinction_field_, *acceptor.extinction);
    OnExtinctionEditingFinished();
  }
  ShowWindow(this);
}

// --- Menu ----------------------------------------------------------------

QPrinter& MainWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  return *printer_;
}

void MainWindow::OnPrintSetup() {
  dialogs_.PrinterSetup(this, Printer());
}

void MainWindow::OnPrint() {
  if (plot_ == nullptr) return;
  QPrinter& printer = Printer();
  // Without a printer the dialog would offer a Print button that prints
  // nothing.
  if (!dialogs_.CanPrint(printer)) {
    ShowMessage(QStringLiteral("No printer is installed, so the plot cannot be printed."));
    return;
  }
  if (!dialogs_.Print(this, printer)) return;
  if (!PrintForm(*plot_, printer)) {
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                         : printer.printerName();
    ShowMessage(QStringLiteral("The print job could not be started on \"%1\".").arg(target));
  }
}

void MainWindow::ShowAnalysis() {
  if (!analysis_window_) analysis_window_ = std::make_unique<AnalysisWindow>(engine_);
  analysis_window_->Refresh();
  ShowWindow(analysis_window_.get());
}

void MainWindow::ShowPairTable() {
  if (!pair_table_window_) {
    pair_table_window_ = std::make_unique<PairTableWindow>(
        engine_, dialogs_,
        [this](const DyeRecord& donor, const DyeRecord& acceptor, const SharedParameters& shared) {
          LoadPair(donor, acceptor, shared);
        });
  }
  ShowWindow(pair_table_window_.get());
}

bool MainWindow::ResultsToExport() {
  if (engine_.ResultsVisible() && engine_.LastGateOutcome() == GateOutcome::kShown) return true;
  ShowMessage(
      QStringLiteral("There is nothing to export yet: load both spectra so that J and R0 "
                     "are shown."));
  return false;
}

void MainWindow::ExportPlot(FormWindow& window) {
  const std::optional<QString> path =
      dialogs_.SaveFile(this, QStringLiteral("Export plot"),
                        {QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG image (*.svg)"),
                         QStringLiteral("PDF document (*.pdf)")});
  if (!path) return;
  const std::optional<PlotFormat> format = PlotFormatOf(*path);
  if (!format) {
    ShowMessage(QStringLiteral("A plot is exported as .png, .svg or .pdf, not as %1.").arg(*path));
    return;
  }
  PngOptions png;
  if (*format == PlotFormat::kPng) {
    const QSize client = window.ClientArea().size();
    const auto chosen = dialogs_.AskImageSize(this, client * png.dpi / 96, png.dpi);
    if (!chosen) return;
    png = {chosen->first, chosen->second};
  }
  if (const QString error = ExportForm(window, *path, *format, png); !error.isEmpty()) {
    ShowMessage(error);
  }
}

void MainWindow::ExportData() {
  if (!ResultsToExport()) return;
  const std::optional<QString> path =
      dialogs_.SaveFile(this, QStringLiteral("Export data"), {QStringLiteral("CSV file (*.csv)")});
  if (!path) return;
  // The dialog has asked before replacing a file.
  const WriteOutcome written =
      WriteFileAtomically(QFile::encodeName(*path).toStdString(), ExportDataCsv(engine_), true);
  if (!written.written) ShowMessage(QFile::decodeName(written.message.c_str()));
}

void MainWindow::SaveReport() {
  if (!ResultsToExport() || plot_ == nullptr) return;
  const std::optional<QString> path = dialogs_.SaveFile(
      this, QStringLiteral("Save report"),
      {QStringLiteral("PDF report (*.pdf)"), QStringLiteral("Markdown report (*.md)")});
  if (!path) return;
  std::vector<ReportLine> analysis;
  if (analysis_window_) analysis = analysis_window_->ReportLines();
  const ReportContent report = BuildReport(
      engine_,
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(),
      std::move(analysis));
  QString error;
  if (path->endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)) {
    // The plot goes beside the text, as an SVG the text shows.
    const QString image = path->left(path->size() - 3) + QStringLiteral("-plot.svg");
    error = ExportForm(*plot_, image, PlotFormat::kSvg);
    if (error.isEmpty()) {
      const std::string markdown =
          ReportMarkdown(report, QFileInfo(image).fileName().toStdString());
      const WriteOutcome written =
          WriteFileAtomically(QFile::encodeName(*path).toStdString(), markdown, true);
      if (!written.written) error = QFile::decodeName(written.message.c_str());
    }
  } else {
    error = WriteReportPdf(report, *plot_, *path);
  }
  if (!error.isEmpty()) ShowMessage(error);
}

void MainWindow::OpenDropped(const QList<QUrl>& urls, std::optional<SpectrumSide> side, QPoint at) {
  // The files themselves, and those directly inside a dropped folder.
  QStringList files;
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isDir()) {
      for (const QFileInfo& inside : QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name)) {
        files << inside.filePath();
      }
    } else {
      files << info.filePath();
    }
  }
  // The first file a reader of the side takes by its extension.
  QString chosen;
  for (const QString& file : files) {
    const bool fits = side ? ReadsByExtension(*side, file)
                           : ReadsByExtension(SpectrumSide::kEmission, file) ||
                                 ReadsByExtension(SpectrumSide::kAbsorption, file);
    if (fits) {
      chosen = file;
      break;
    }
  }
  if (chosen.isEmpty()) {
    // Downloaded spectra come as .csv, .tsv or .dat tables: the first file
    // holding one goes to the column dialog.
    for (const QString& path : files) {
      const SpectrumFile file = ReadSpectrumFile(QFile::encodeName(path).toStdString());
      if (!file.opened) continue;
      const ColumnTable table = ScanColumnTable(file.content());
      if (!table.found()) continue;
      AskAndLoadColumns(path, file, table, side.value_or(columns_side_));
      return;
    }
    ShowStatusText(QStringLiteral("No dropped file has an extension a spectrum reader takes."));
    return;
  }
  if (!side) {
    const bool emission = ReadsByExtension(SpectrumSide::kEmission, chosen);
    const bool absorption = ReadsByExtension(SpectrumSide::kAbsorption, chosen);
    side = emission && absorption
               ? dialogs_.AskSide(this, at, chosen)
               : std::optional(emission ? SpectrumSide::kEmission : SpectrumSide::kAbsorption);
    if (!side) return;
  }
  // Read once: the table, the trial and the load all take these bytes.
  const SpectrumFile file = ReadSpectrumFile(QFile::encodeName(chosen).toStdString());
  const ColumnTable table = file.opened ? ScanColumnTable(file.content()) : ColumnTable{};
  if (NeedsColumnChoice(file, table, *side)) {
    AskAndLoadColumns(chosen, file, table, *side);
    return;
  }
  const LoadOutcome outcome = LoadSpectrum(engine_, *side, 1, file.Source(), MessageBoxSink());
  ShowLoadWarnings(outcome);
  if (files.size() > 1 && outcome.kind == LoadOutcome::Kind::kAccepted) {
    ShowStatusText(QStringLiteral("Opened %1 as the %2 spectrum; the other %3 dropped files were "
                                  "left alone.")
                       .arg(QFileInfo(chosen).fileName(), *side == SpectrumSide::kEmission
                                                              ? QStringLiteral("emission")
                                                              : QStringLiteral("absorption"))
                       .arg(files.size() - 1));
  }
}

void MainWindow::ScheduleAnalysisRefresh() {
  if (!analysis_window_ || analysis_refresh_pending_) return;
  analysis_refresh_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    analysis_refresh_pending_ = false;
    if (analysis_window_) analysis_window_->Refresh();
  });
}

void MainWindow::SetMinorTickCount(int count, QAction* checked) {
  if (plot_ != nullptr) plot_->chart().BottomAxis().SetMinorTickCount(count);
  for (QAction* item : {ticks_1_item_, ticks_4_item_, ticks_9_item_}) {
    item->setChecked(item == checked);
  }
}

// --- What the engine reports -------------------------------------------------

QLineEdit* MainWindow::Field(PanelField field) const {
  switch (field) {
    case PanelField::kConcentration:
      return concentration_field_;
    case PanelField::kOrientation:
      return orientation_field_;
    case PanelField::kQuantumYield:
      return quantum_yield_field_;
    case PanelField::kRefractiveIndex:
      return refractive_index_field_;
    case PanelField::kExtinction:
      return extinction_field_;
  }
  return nullptr;
}

void MainWindow::SetResultsVisible(bool visible) {
  result_panel_->setVisible(visible);
  // Every gate run and every load ends here.
  ScheduleAnalysisRefresh();
}

void MainWindow::SetResultTexts(std::string_view overlap_integral,
                                std::string_view forster_distance) {
  WriteText(overlap_integral_field_, FromUtf8(overlap_integral));
  WriteText(forster_distance_field_, FromUtf8(forster_distance));
}

void MainWindow::SetFieldText(PanelField field, std::string_view text) {
  if (field == PanelField::kExtinction && editing_extinction_) return;  // shown on leaving
  WriteText(Field(field), FromUtf8(text));
}

chart::Series* MainWindow::SeriesOf(PlotSeries series) const {
  switch (series) {
    case PlotSeries::kEmission:
      return plot_ != nullptr ? &plot_->EmissionSeries() : nullptr;
    case PlotSeries::kExtinction:
      return plot_ != nullptr ? &plot_->ExtinctionSeries() : nullptr;
    case PlotSeries::kDonorInput:
      return donor_window_ != nullptr ? &donor_window_->SpectrumSeries() : nullptr;
    case PlotSeries::kAcceptorInput:
      return acceptor_window_ != nullptr ? &acceptor_window_->SpectrumSeries() : nullptr;
  }
  return nullptr;
}

void MainWindow::ClearSeries(PlotSeries series) {
  if (chart::Series* target = SeriesOf(series)) target->ClearSeries();
}

void MainWindow::AddPoints(PlotSeries series, int first, std::span<const double> ys) {
  chart::Series* target = SeriesOf(series);
  if (target == nullptr) return;
  int x = first;
  for (const double y : ys) (void)target->AddPoint(x++, y);
}

void MainWindow::ShowSpectrum(SpectrumSide side, std::string_view name) {
  const QString shown =
      QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  if (side == SpectrumSide::kAbsorption) {
    if (acceptor_window_ != nullptr) {
      acceptor_window_->chart().SetTitleText(shown);
      acceptor_window_->show();
      acceptor_window_->raise();
    }
    if (plot_ != nullptr)
      plot_->AbsorptionFileLabel().setText(QStringLiteral("Absorption File: ") + shown);
  } else {
    if (donor_window_ != nullptr) donor_window_->chart().SetTitleText(shown);
    if (plot_ != nullptr)
      plot_->EmissionFileLabel().setText(QStringLiteral("Emission File: ") + shown);
    if (donor_window_ != nullptr) {
      donor_window_->show();
      donor_window_->raise();
    }
  }
}

void MainWindow::WithdrawSpectrum(SpectrumSide side) {
  if (side == SpectrumSide::kAbsorption) {
    if (plot_ != nullptr) plot_->AbsorptionFileLabel().setText(QStringLiteral("Absorption File: "));
    if (acceptor_window_ != nullptr) acceptor_window_->hide();
  } else {
    if (plot_ != nullptr) plot_->EmissionFileLabel().setText(QStringLiteral("Emission File: "));
    if (donor_window_ != nullptr) donor_window_->hide();
  }
}

void MainWindow::ShowStatus(std::string_view text) {
  ShowStatusText(QFile::decodeName(QByteArray(text.data(), static_cast<qsizetype>(text.size()))));
}

std::string MainWindow::DecimalSeparator() const {
  return QLocale().decimalPoint().toStdString();
}

}  // namespace korin
