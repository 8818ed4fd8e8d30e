// The experiment planner (Tools > Experiment planner...): what the pair of
// the main window will show on an instrument. Four spectrum slots (the
// donor's emission and the acceptor's absorption follow the main window
// until replaced), the lasers, the two detection channels, then the
// figures: the spectra normalised with the channels shaded and the lasers
// drawn, the correction factors, each dye's brightness per channel, and the
// apparent efficiency against the true one. It follows the engine as one of
// its views, as the analysis window does, and computes everything through
// the plan of plan/plan_request.h.
#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "core/fret_engine.h"
#include "plan/plan_request.h"
#include "report/report.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korin {

class DialogService;
class ShareBar;
struct OpenDialogState;

namespace chart {
class ChartWidget;
}  // namespace chart

// The planner's colours: one per spectrum slot, in Slot order, the two
// channels' shading and the laser lines.
namespace planner {
inline const std::array<QColor, 4> kSlotColours = {QColor(30, 100, 220), QColor(120, 160, 240),
                                                   QColor(220, 60, 60), QColor(240, 150, 150)};
inline const QColor kDonorChannel{205, 222, 250};
inline const QColor kAcceptorChannel{250, 214, 214};
inline const QColor kLaser{40, 150, 40};
}  // namespace planner

class PlannerWindow final : public QWidget, private FretView {
 public:
  enum class Slot { kDonorEmission, kDonorAbsorption, kAcceptorAbsorption, kAcceptorEmission };

  // Created hidden; closing only hides it. It reads `engine`, never changes it.
  PlannerWindow(FretEngine& engine, DialogService& dialogs, QWidget* parent = nullptr);
  ~PlannerWindow() override;
  PlannerWindow(const PlannerWindow&) = delete;
  PlannerWindow& operator=(const PlannerWindow&) = delete;

  // Computes the plan again from the main window and the fields.
  void Refresh();
  // Replaces a slot's spectrum with the file at `path`; an empty path lets
  // the donor's emission and the acceptor's absorption follow the main
  // window again.
  void SetSpectrum(Slot slot, const QString& path);

  // The plan as it stands: its refusal, or its figures.
  [[nodiscard]] const PlanOutcome& Outcome() const { return outcome_; }
  [[nodiscard]] PlanRequest Request() const;
  // The figures as a report's lines; empty without a plan.
  [[nodiscard]] std::vector<ReportLine> ReportLines() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildInputs();
  QWidget* BuildFigures();
  QLineEdit* AddField(QGridLayout& grid, int row, const QString& label, const QString& name,
                      const QString& text, const QString& unit);
  void OpenSlot(Slot slot);
  void AddFilterFile(QLineEdit* channel);
  void ScheduleRefresh();
  void ShowPlan();
  void PlotSpectra();
  void PlotApparentCurve();

  // FretView: the engine's gate has run.
  void SetResultsVisible(bool visible) override;

  FretEngine& engine_;
  DialogService& dialogs_;
  std::unique_ptr<OpenDialogState> open_state_;
  bool refresh_pending_ = false;
  PlanOutcome outcome_;
  std::array<QString, 4> replaced_;  // a slot's own file; empty: none (or the main window's)

  std::array<QLabel*, 4> slot_labels_{};
  QLineEdit* donor_extinction_ = nullptr;
  QLineEdit* acceptor_quantum_yield_ = nullptr;
  QLineEdit* donor_laser_ = nullptr;
  QLineEdit* acceptor_laser_ = nullptr;
  QLineEdit* donor_channel_ = nullptr;
  QLineEdit* acceptor_channel_ = nullptr;
  QLineEdit* distance_ = nullptr;
  QLineEdit* apparent_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* from_apparent_ = nullptr;
  QLabel* at_distance_ = nullptr;
  std::vector<QLabel*> factor_values_;      // alpha, d, gamma, delta, beta
  std::vector<QLabel*> detection_values_;   // eta DD, DA, AA, AD
  std::vector<QLabel*> brightness_values_;  // D in D, D in A, A in A, A in D, A in A (2nd laser)
  std::vector<ShareBar*> brightness_bars_;
  chart::ChartWidget* spectra_chart_ = nullptr;
  chart::ChartWidget* apparent_chart_ = nullptr;
};

}  // namespace korin
