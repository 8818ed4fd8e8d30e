// The main window's core: its construction and start, the panel's fields,
// lists and entry modes forwarded to the engine, the status line, and what
// the engine reports back. The controls keep their designer names as Qt
// object names (plots/object_names.h), so that they can be found
// (findChild) and traced.
#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/parameter_tables.h"
#include "io/spectrum_formats.h"
#include "plots/analysis_window.h"
#include "plots/energy_transfer_plot.h"
#include "plots/form_window.h"
#include "plots/input_spectrum_windows.h"
#include "plots/object_names.h"
#include "plots/plot_view.h"
#include "plots/qt_text.h"
#include "ui/pair_table_window.h"
#include "ui/planner_window.h"

namespace korin {
namespace {

using panel::kGradientInactiveCaption;
using panel::SetColours;
using panel::WriteText;

// The status line runs left of the Calculate button, ending at the
// window's bottom when it wraps.
constexpr int kStatusWidth = 340;
constexpr int kStatusTop = 228;

}  // namespace

namespace panel {

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

}  // namespace panel

MainWindow::MainWindow(FretEngine& engine, DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent),
      engine_(engine),
      dialogs_(dialogs),
      absorption_dialog_{FromUtf8(OpenDialogTitle(SpectrumSide::kAbsorption)),
                         OpenDialogFilter(SpectrumSide::kAbsorption), kFilterByExtension,
                         QString()},
      emission_dialog_{FromUtf8(OpenDialogTitle(SpectrumSide::kEmission)),
                       OpenDialogFilter(SpectrumSide::kEmission), kFilterByExtension, QString()},
      columns_dialog_{QStringLiteral("Import spectrum from columns"),
                      "Delimited text (*.csv, *.tsv, *.txt, *.dat)|*.csv;*.tsv;*.txt;*.dat|"
                      "All files (*.*)|*.*",
                      1, QString()},
      exit_([] { QCoreApplication::exit(0); }) {
  setObjectName(names::kMainWindow);
  setWindowTitle(QStringLiteral("Valtrix FRET Software"));
  QFont font = SansFont8pt();
  font.setPixelSize(10);
  setFont(font);
  BuildMenu();
  BuildPanel();
  ConnectHandlers();
  // The window's frame stands at 7,5, as every window's frame stands at
  // its place; the size is that of its contents and fixed.
  setFixedSize(sizeHint());
  move(7, 5);
  engine_.AddView(this);
  Start();
}

MainWindow::~MainWindow() {
  engine_.RemoveView(this);
  if (plot_view_) engine_.RemoveView(plot_view_.get());
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
  // The plot windows follow the engine through a view of their own.
  if (plot_view_) engine_.RemoveView(plot_view_.get());
  plot_view_ = std::make_unique<PlotWindowsView>(plot, donor_window, acceptor_window);
  engine_.AddView(plot_view_.get());
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

// --- Start-up and the panel -----------------------------------------------

void MainWindow::Start() {
  for (const auto& solvent : kSolventTable) solvent_list_->addItem(FromUtf8(solvent.name));
  for (const auto& path : kOpticalPathTable) optical_path_list_->addItem(FromUtf8(path.label));
  // The engine's start chooses both lists' entries, which it tells back.
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
  // The engine tells the choice back (ShowListChoice), which enables the
  // refractive index field for "<Other>".
  engine_.ChooseSolvent(solvent_list_->currentIndex());
}

void MainWindow::OnOpticalPathChosen() {
  engine_.ChooseOpticalPath(optical_path_list_->currentIndex());
}

// --- Entry mode and status line ------------------------------------------

void MainWindow::OnEntryModeChosen() {
  // The engine tells the mode back (ShowEntryMode), which sets the fields.
  engine_.SetExtinctionEntry(extinction_entry_->isChecked());
}

void MainWindow::ShowEntryModeFields(bool extinction) {
  const QPalette system = QApplication::palette();
  const QColor window = system.color(QPalette::Base);
  const QColor window_text = system.color(QPalette::WindowText);
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
    status_line_->move(0, panel::kSize.height() - status_line_->height());
  } else {
    status_line_->setMinimumWidth(0);
    status_line_->setMaximumWidth(QWIDGETSIZE_MAX);
    status_line_->move(0, kStatusTop);
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
}

void MainWindow::SetResultTexts(std::string_view overlap_integral,
                                std::string_view forster_distance) {
  WriteText(overlap_integral_field_, LocalisedNumber(overlap_integral));
  WriteText(forster_distance_field_, LocalisedNumber(forster_distance));
}

void MainWindow::SetFieldText(PanelField field, std::string_view text) {
  if (field == PanelField::kExtinction && editing_extinction_) return;  // shown on leaving
  WriteText(Field(field), FromUtf8(text));
}

void MainWindow::ShowListChoice(PanelList list, int index) {
  // A choice from code does not count as the user's (activated is not
  // emitted), so it is not handed back to the engine.
  if (list == PanelList::kSolvent) {
    solvent_list_->setCurrentIndex(index);
    // Only "<Other>" lets the user type a refractive index.
    refractive_index_field_->setEnabled(index == 0);
  } else {
    optical_path_list_->setCurrentIndex(index);
  }
}

void MainWindow::ShowEntryMode(bool extinction) {
  {
    // The engine has the mode already: the buttons only follow.
    const QSignalBlocker concentration(concentration_entry_);
    const QSignalBlocker coefficient(extinction_entry_);
    (extinction ? extinction_entry_ : concentration_entry_)->setChecked(true);
  }
  ShowEntryModeFields(extinction);
}

void MainWindow::ShowStatus(std::string_view text) {
  ShowStatusText(PathText(text));
}

}  // namespace korin
