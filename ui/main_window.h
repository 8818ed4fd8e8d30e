// The main window: the menu bar and the parameter panel. It is a view of the
// calculation engine: it forwards what the user does to the engine and
// shows what the engine reports back. Its parts live in files of their own:
// the layout (main_window_layout.cpp), the events it filters for drops,
// focus and hints (main_window_events.cpp), opening spectra
// (main_window_files.cpp), and printing, exports and the tool windows
// (main_window_tools.cpp).
#pragma once

#include <QColor>
#include <QMainWindow>
#include <QPrinter>
#include <QSize>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

#include "core/fret_engine.h"
#include "io/file_error.h"
#include "request/fret_request.h"
#include "ui/dialog_service.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korin {

class AboutWindow;
class AcceptorInputWindow;
class AnalysisWindow;
class DonorInputWindow;
class EnergyTransferPlotWindow;
class FormWindow;
class PairTableWindow;
class PlannerWindow;
class PlotWindowsView;
class SpectrumFile;
struct ColumnTable;
struct LoadOutcome;

class MainWindow final : public QMainWindow, private FretView {
 public:
  // Builds the window and starts the panel on `engine`. The other windows
  // do not exist yet; AttachWindows() hands them over once they do.
  MainWindow(FretEngine& engine, DialogService& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  void AttachWindows(EnergyTransferPlotWindow* plot, DonorInputWindow* donor_window,
                     AcceptorInputWindow* acceptor_window, AboutWindow* about);
  // What Exit does; by default it ends the event loop at once.
  void SetExitAction(std::function<void()> exit) { exit_ = std::move(exit); }
  // Opens `path` for `side` exactly as if it had been chosen in that side's
  // open dialog through entry `filter_entry`: the same messages, plots and
  // results.
  void OpenSpectrumPath(SpectrumSide side, const QString& path,
                        int filter_entry = kFilterByExtension);
  // Loads `request` as a user would: its values entered and chosen in the
  // panel, both spectra opened, the emission first, as through their
  // dialogs, and for extinction entry the coefficient typed. The panel
  // then shows what the command line computes for the same request.
  void LoadRequest(const FretRequest& request);
  // A problem with the files named at start, in a message box over the
  // window.
  void ShowStartupProblem(const QString& text) { ShowMessage(text); }

  // The printer that the print and printer-setup dialogs configure,
  // made when first asked for: making one looks for printers, which would
  // slow down the start.
  [[nodiscard]] QPrinter& Printer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildPanel();
  void ConnectHandlers();
  void Start();

  // What the user does.
  void OnConcentrationEdited();
  void OnOrientationEdited();
  void OnQuantumYieldEdited();
  void OnRefractiveIndexEdited();
  void OnExtinctionEdited();
  void OnExtinctionEditingFinished();
  void OnSolventChosen();
  void OnOpticalPathChosen();
  void OnEntryModeChosen();
  void SelectConcentrationEntry();
  void SelectExtinctionEntry();
  // The fields, colours and focus of an entry mode.
  void ShowEntryModeFields(bool extinction);
  void OpenEmission();
  void OpenAbsorption();
  void OpenSpectrumFile(SpectrumSide side, OpenDialogState& dialog);
  // The open path for `path` through entry `filter_entry`, its messages
  // and, once read, its warnings shown.
  LoadOutcome OpenAndReport(SpectrumSide side, int filter_entry, const QString& path);
  // Tools > Import spectrum from columns...: a file, then its columns.
  void ImportColumns();
  // The column dialog for `file`, read from `path`, with `table` its scan,
  // starting on `side`; the spectrum loaded from the columns chosen.
  void AskAndLoadColumns(const QString& path, const SpectrumFile& file, const ColumnTable& table,
                         SpectrumSide side);
  // What the user should know of a load that went through: a column read
  // as another kind of spectrum than its header names, rows passed over.
  void ShowLoadWarnings(const LoadOutcome& outcome);
  // The readers' messages, each in a message box over this window.
  [[nodiscard]] MessageSink MessageBoxSink();
  void OnPrintSetup();
  void OnPrint();
  void ShowAnalysis();
  void ShowPairTable();
  void ShowPlanner();
  void ExportPlot(FormWindow& window);
  void ExportData();
  void SaveReport();
  // Whether the results stand, so that an export has something to hold;
  // says so when not.
  [[nodiscard]] bool ResultsToExport();
  // Files dropped on a window or on a side's group open as if chosen in
  // the open dialog by extension; `side` is empty for the plot, where the
  // file's extension decides, or the user when both sides read it.
  void OpenDropped(const QList<QUrl>& urls, std::optional<SpectrumSide> side, QPoint at);
  // Handles a drag entering or a drop on a window or group that takes
  // files; false for any other event or target.
  bool FilterDrop(QObject* watched, QEvent* event);
  void SetMinorTickCount(int count, QAction* checked);

  // The status line's hints.
  void ShowStatusText(const QString& text);
  void ShowOrientationHint();
  void ShowEntryModeHint();
  void ShowOpticalPathHint();
  void ClearHint();
  void ShowMessage(const QString& text);

  // FretView: what the engine reports about the panel. The plot windows
  // follow the engine through a view of their own.
  void SetResultsVisible(bool visible) override;
  void SetResultTexts(std::string_view overlap_integral,
                      std::string_view forster_distance) override;
  void SetFieldText(PanelField field, std::string_view text) override;
  void ShowListChoice(PanelList list, int index) override;
  void ShowEntryMode(bool extinction) override;
  void ShowStatus(std::string_view text) override;

  [[nodiscard]] QLineEdit* Field(PanelField field) const;

  FretEngine& engine_;
  DialogService& dialogs_;
  EnergyTransferPlotWindow* plot_ = nullptr;
  DonorInputWindow* donor_window_ = nullptr;
  AcceptorInputWindow* acceptor_window_ = nullptr;
  AboutWindow* about_ = nullptr;
  std::unique_ptr<PlotWindowsView> plot_view_;

  // The panel; the designer names they carry as object names are in
  // plots/object_names.h.
  QWidget* panel_ = nullptr;  // the window's background, inside the border
  QGroupBox* donor_group_ = nullptr;
  QPushButton* open_emission_button_ = nullptr;
  QLabel* quantum_yield_label_ = nullptr;
  QLineEdit* quantum_yield_field_ = nullptr;
  QLabel* orientation_label_ = nullptr;
  QLineEdit* orientation_field_ = nullptr;
  QGroupBox* solvent_group_ = nullptr;
  QLabel* solvent_label_ = nullptr;
  QComboBox* solvent_list_ = nullptr;
  QLabel* refractive_index_label_ = nullptr;
  QLineEdit* refractive_index_field_ = nullptr;
  QGroupBox* acceptor_group_ = nullptr;
  QPushButton* open_absorption_button_ = nullptr;
  QRadioButton* concentration_entry_ = nullptr;
  QLineEdit* concentration_field_ = nullptr;
  QLabel* optical_path_label_ = nullptr;
  QComboBox* optical_path_list_ = nullptr;
  QRadioButton* extinction_entry_ = nullptr;
  QLineEdit* extinction_field_ = nullptr;
  QButtonGroup* entry_mode_ = nullptr;
  QFrame* result_panel_ = nullptr;
  QLabel* overlap_integral_label_ = nullptr;
  QLineEdit* overlap_integral_field_ = nullptr;
  QLabel* forster_distance_label_ = nullptr;
  QLineEdit* forster_distance_field_ = nullptr;
  QPushButton* calculate_button_ = nullptr;
  QLabel* status_line_ = nullptr;

  // The menu items.
  QAction* open_emission_item_ = nullptr;
  QAction* open_absorption_item_ = nullptr;
  QAction* print_setup_item_ = nullptr;
  QAction* print_item_ = nullptr;
  QAction* exit_item_ = nullptr;
  QAction* show_donor_window_item_ = nullptr;
  QAction* show_acceptor_window_item_ = nullptr;
  QAction* show_plot_item_ = nullptr;
  QAction* ticks_1_item_ = nullptr;
  QAction* ticks_4_item_ = nullptr;
  QAction* ticks_9_item_ = nullptr;
  QAction* about_item_ = nullptr;
  QAction* analysis_item_ = nullptr;  // Tools: FRET analysis...
  QAction* export_plot_item_ = nullptr;
  QAction* export_data_item_ = nullptr;
  QAction* save_report_item_ = nullptr;
  QAction* pair_table_item_ = nullptr;
  QAction* planner_item_ = nullptr;  // Tools: Experiment planner...
  QAction* import_columns_item_ = nullptr;

  // Made when first asked for.
  std::unique_ptr<AnalysisWindow> analysis_window_;
  std::unique_ptr<PairTableWindow> pair_table_window_;
  std::unique_ptr<PlannerWindow> planner_window_;

  bool optical_path_label_pressed_ = false;
  // While the user's own keystroke in the coefficient field runs, the
  // engine's rewrite of that text waits until the field is left.
  bool editing_extinction_ = false;
  OpenDialogState absorption_dialog_;
  OpenDialogState emission_dialog_;
  OpenDialogState columns_dialog_;
  SpectrumSide columns_side_ = SpectrumSide::kEmission;  // the side last imported
  std::unique_ptr<QPrinter> printer_;
  std::function<void()> exit_;
};

// The style the panel's fields share with its entry modes.
namespace panel {

// The panel's designed size, inside the window's blank border.
inline constexpr QSize kSize{425, 249};
// Qt has no role for the inactive caption gradient; this is its classic shade.
inline const QColor kGradientInactiveCaption{215, 228, 242};

// The background of a field or list, with its text in `text` so that it
// stays readable on any background.
void SetColours(QWidget* widget, const QColor& background, const QColor& text);

// A text written into a field from code. Writing the text a field already
// holds is no change: it must not move the user's cursor or lose the undo
// history either, as QLineEdit::setText would. The engine has already run
// what the change runs, so the field's own handler must not run again.
void WriteText(QLineEdit* field, const QString& text);

// Shows `window` on top and gives it the focus.
void ShowWindow(QWidget* window);

}  // namespace panel

}  // namespace korin
