// The calculation sequence of the program, without a window. The engine owns
// the calculation state and performs what the parameter panel and the open
// commands do: a field edited, a list entry chosen, the entry mode switched,
// a spectrum loaded or refused, Calculate. It tells a view what to change:
// the result panel, the texts it writes into fields, the plotted series and
// the input windows. The main window, the command-line tool and batch work
// all drive the same engine.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/extinction.h"
#include "core/fret_session.h"
#include "core/grid_spectrum.h"
#include "core/lazy_digest.h"

namespace korin {

// The panel's text fields: the four parameters and the peak extinction
// coefficient.
enum class PanelField {
  kConcentration,
  kOrientation,
  kQuantumYield,
  kRefractiveIndex,
  kExtinction
};
inline constexpr int kPanelFieldCount = 5;

// The panel's two fixed lists.
enum class PanelList { kSolvent, kOpticalPath };

// The series the engine fills.
enum class PlotSeries {
  kEmission,       // energy-transfer plot: normalised emission x quantum yield x 1000
  kExtinction,     // energy-transfer plot: the acceptor's extinction coefficient
  kDonorInput,     // the donor's input window: the emission as read
  kAcceptorInput,  // the acceptor's input window: the absorbance as read
};

// What a view must change. Every call is made at the point of the sequence
// where the change happens, so a view that applies each at once shows what
// the program shows. The defaults do nothing: the command-line tool and
// batch work need none of it. An engine tells every view it has, in the
// order they were added.
class FretView {
 public:
  virtual ~FretView() = default;

  // The result panel shown or hidden; its texts stay as they are.
  virtual void SetResultsVisible(bool /*visible*/) {}
  // The texts of the two result fields, always with "." as the decimal
  // separator; a window shows them with its locale's.
  virtual void SetResultTexts(std::string_view /*overlap_integral*/,
                              std::string_view /*forster_distance*/) {}
  // A text the calculation writes into a field. The engine has already
  // run what the change of that field runs; the view must not report the
  // write back as an edit.
  virtual void SetFieldText(PanelField /*field*/, std::string_view /*text*/) {}
  // An entry of a list chosen (an index into kSolventTable or
  // kOpticalPathTable), by the user or by a script driving the panel.
  virtual void ShowListChoice(PanelList /*list*/, int /*index*/) {}
  // The entry mode chosen: extinction entry (true) or concentration entry.
  // Only a choice is told: the engine's own switch back to concentration
  // entry, when a new absorption loads or a concentration is typed, leaves
  // the radio buttons as they are.
  virtual void ShowEntryMode(bool /*extinction*/) {}
  // All points of a series removed.
  virtual void ClearSeries(PlotSeries /*series*/) {}
  // Points appended: x = first, first + 1, ... with the given y values.
  virtual void AddPoints(PlotSeries /*series*/, int /*first*/, std::span<const double> /*ys*/) {}
  // A spectrum was loaded: its input window is titled with `name` and
  // shown, and the energy-transfer plot names the file.
  virtual void ShowSpectrum(SpectrumSide /*side*/, std::string_view /*name*/) {}
  // A load failed: the side's input window is hidden and the plot's file
  // label keeps only its prefix.
  virtual void WithdrawSpectrum(SpectrumSide /*side*/) {}
  // A line for the status line.
  virtual void ShowStatus(std::string_view /*text*/) {}
};

// How the last run of the calculation gate ended.
enum class GateOutcome {
  kNotRun,
  kShown,                // J and R0 computed and shown
  kConditionsFail,       // an input missing or out of range: hidden
  kExtinctionNotFinite,  // the concentration derivation would leave the doubles: hidden
  kOverlapNotFinite,     // J would not be a finite double: hidden
};

// The open dialogs' first entry, which lists every format of its side and
// chooses the reader by the file's extension.
inline constexpr int kFilterByExtension = 1;

// Where a loaded spectrum came from, for reports: told by the open path.
struct SpectrumOrigin {
  std::string path;
  std::string reader;  // the reader's name, "two-column text"
  // The open dialog's entry it was read through; 0 for the column import.
  int filter_entry = kFilterByExtension;
  // The SHA-256 of the bytes read, in lower-case hex, hashed when a report
  // first asks for it.
  LazyDigest sha256;
  // The column import's columns as the command line takes them ("1,3",
  // 1-based) and their wavelength unit ("nm"); empty for other readers.
  std::string columns;
  std::string unit;
};

class FretEngine {
 public:
  // The state holds the start values; the fields hold their design-time
  // texts until Start() writes the panel's start values into them.
  explicit FretEngine(FretView* view = nullptr);
  FretEngine(const FretEngine&) = delete;
  FretEngine& operator=(const FretEngine&) = delete;

  // A view that receives every change from now on, after those added
  // before it; adding one twice adds it once. A view must be removed before
  // it is destroyed.
  void AddView(FretView* view);
  void RemoveView(FretView* view);

  [[nodiscard]] const FretSession& session() const { return session_; }
  [[nodiscard]] const std::string& FieldText(PanelField field) const;
  [[nodiscard]] bool ResultsVisible() const { return results_visible_; }
  [[nodiscard]] GateOutcome LastGateOutcome() const { return gate_outcome_; }
  // The texts of the last passing gate run (empty before the first), and
  // the R0 it computed.
  [[nodiscard]] const std::string& OverlapIntegralText() const { return overlap_integral_text_; }
  [[nodiscard]] const std::string& ForsterDistanceText() const { return forster_distance_text_; }
  [[nodiscard]] double ForsterDistanceValue() const { return forster_distance_; }
  // Whether Start() has run.
  [[nodiscard]] bool Started() const { return solvent_index_ >= 0; }
  // The list entries chosen last (indexes into kSolventTable and
  // kOpticalPathTable); -1 before Start().
  [[nodiscard]] int SolventIndex() const { return solvent_index_; }
  [[nodiscard]] int OpticalPathIndex() const { return optical_path_index_; }
  // The donor emission as read, before normalisation; all 0.0 while no
  // emission is loaded.
  [[nodiscard]] const SpectrumGrid& RawEmission() const { return raw_emission_; }
  // Where the side's spectrum came from; empty path while none is loaded.
  [[nodiscard]] const SpectrumOrigin& Origin(SpectrumSide side) const;

  // The panel's start: the optical path and the solvent chosen from their
  // lists, the start values of the orientation factor and the
  // concentration written into their fields. Each step runs the gate.
  void Start();

  // The user changed the text of a field, or left one of the fields that
  // also react to leaving (orientation, quantum yield, refractive index).
  void EditField(PanelField field, std::string_view text);
  // A whole text entered into a field by a script driving the panel (a
  // request, the pair table): the views show it, then the field's handler
  // runs as for the user's edit.
  void EnterField(PanelField field, std::string_view text);
  // The user chose an entry of the solvent list or of the optical-path
  // list (indexes into kSolventTable and kOpticalPathTable); an index
  // outside the table does nothing.
  void ChooseSolvent(int index);
  void ChooseOpticalPath(int index);
  // The user chose concentration entry (false) or extinction entry (true).
  // Only the mode changes (and the views are told); nothing is recomputed
  // until the next change.
  void SetExtinctionEntry(bool extinction);
  // The Calculate button: the gate.
  void RunGate();

  // An open command, after the user confirmed a file: the side is emptied
  // and the results hidden before its reader runs.
  void BeginLoad(SpectrumSide side);
  // The reader accepted `spectrum` (first < last, both inside the grid,
  // 0.0 outside): it is shown under `name`, derived and calculated.
  // Answers false when it cannot be used after all: an emission whose
  // area is not positive, or a spectrum off the grid; that side then
  // counts as not loaded.
  [[nodiscard]] bool AcceptSpectrum(SpectrumSide side, const GridSpectrum& spectrum,
                                    std::string_view name);
  // The reader refused the file, or no reader reads it: whatever showed
  // that side is withdrawn.
  void RefuseSpectrum(SpectrumSide side);
  // Passes a line to the view's status line.
  void ReportStatus(std::string_view text);
  // Records where the side's accepted spectrum came from.
  void SetOrigin(SpectrumSide side, SpectrumOrigin origin);

 private:
  void WriteField(PanelField field, std::string_view text);
  void RunFieldHandler(PanelField field);
  void ConcentrationEdited();
  void OrientationEdited();
  void QuantumYieldEdited();
  void RefractiveIndexEdited();
  void ExtinctionEdited();

  // The concentration derivation with what it writes and plots.
  [[nodiscard]] ConcentrationDerivation DeriveExtinction();
  void PlotEmission();
  void PlotExtinction();
  void PlotGrid(PlotSeries series, const SpectrumGrid& grid, int first, int last);
  void ClearSeries(PlotSeries series);
  void AddPoints(PlotSeries series, int first, std::span<const double> ys);
  void ComputeForsterDistance();
  void SetResultsVisible(bool visible);
  // Calls `tell` on every view, on a copy of the list so that a view may
  // add or remove views meanwhile.
  template <typename Tell>
  void TellViews(const Tell& tell);

  std::vector<FretView*> views_;
  // Held in place, about 33 KB: every engine would otherwise allocate and
  // clear it afresh on the heap, which under a sanitizer (the fuzz build
  // creates an engine per run) costs more than a whole calculation. An
  // engine is then about 45 KB, little for the stack of any thread here.
  FretSession session_;
  std::array<std::string, kPanelFieldCount> texts_;
  bool results_visible_ = true;  // the panel is visible until the first gate run
  GateOutcome gate_outcome_ = GateOutcome::kNotRun;
  std::string overlap_integral_text_;
  std::string forster_distance_text_;
  double forster_distance_ = 0.0;
  std::vector<double> ys_;  // reused for every series the engine fills
  int solvent_index_ = -1;
  int optical_path_index_ = -1;
  SpectrumGrid raw_emission_;
  SpectrumOrigin emission_origin_;
  SpectrumOrigin absorption_origin_;
};

}  // namespace korin
