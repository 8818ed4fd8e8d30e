// The pair table window (Tools > Pair table...): donors and acceptors added
// from files or a dye sheet, every pair's J and R0 in a sortable table,
// computed on a worker thread by the batch run (batch/pair_run.h) and
// handed to the view in batches. A double-click loads the pair into the
// main window. The model is in pair_table_model.cpp; the window only shows
// what the batch run computes.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "batch/pair_run.h"
#include "core/fret_engine.h"
#include "plan/pair_plan.h"
#include "ui/dialog_service.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace korin {

// The rows of one computation. Display texts use the locale's decimal
// separator, as the result panel does; the sort role holds the numbers.
class PairTableModel final : public QAbstractTableModel {
 public:
  enum Column {
    kDonor,
    kAcceptor,
    kOverlapIntegral,
    kForsterDistance,
    kEfficiency,
    kDistanceError,
    kEfficiencySlope,
    // With a plan (the planner's instrument); the last only with a target.
    kLeakage,
    kDirectExcitation,
    kGamma,
    kApparentAtTarget
  };
  static constexpr int kSortRole = Qt::UserRole;

  explicit PairTableModel(QObject* parent = nullptr);

  // Empties the table for the rows of `run`.
  void Begin(std::shared_ptr<const PairRun> run);
  void Append(std::vector<PairRow> rows);
  // Adds the efficiency at the target, |R0 - target| and |dE/dr| there, or
  // takes them away.
  void SetTarget(std::optional<double> target);
  // The planner's figures of each row, in the model's row order, or none.
  void SetPlan(std::optional<PairPlan> plan);
  [[nodiscard]] const std::optional<PairPlan>& Plan() const { return plan_; }
  // What a section shows: the columns above in their order, the target's
  // and then the plan's where they are shown.
  [[nodiscard]] Column ColumnAt(int section) const;

  [[nodiscard]] const PairRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  [[nodiscard]] const PairRun* Run() const { return run_.get(); }
  [[nodiscard]] const std::optional<double>& Target() const { return target_; }

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

 private:
  std::shared_ptr<const PairRun> run_;
  std::vector<PairRow> rows_;
  std::optional<double> target_;
  std::optional<PairPlan> plan_;
};

class PairTableWindow final : public QWidget {
 public:
  // What a double-click asks of the main window: the request of the pair,
  // its two spectra with their values and the shared values the table used.
  using LoadPair = std::function<void(const FretRequest& pair)>;
  // The plan set in the planner window, if any: its instrument gives every
  // pair the planner's figures.
  using PlanSource = std::function<std::optional<PlanRequest>()>;

  // Created hidden. The shared values and the values of added files are
  // read from `main_engine`, the main window's, when needed.
  PairTableWindow(const FretEngine& main_engine, DialogService& dialogs, LoadPair load_pair,
                  PlanSource plan_source = {}, QWidget* parent = nullptr);
  ~PairTableWindow() override;
  PairTableWindow(const PairTableWindow&) = delete;
  PairTableWindow& operator=(const PairTableWindow&) = delete;

  // Whether a computation is running.
  [[nodiscard]] bool Computing() const { return computing_; }

 private:
  struct Job;

  void AddFiles(SpectrumSide side);
  void OpenSheet();
  void ExportCsv();
  void Clear();
  void OnTargetEdited();
  void OnActivated(const QModelIndex& index);

  // Starts the table again with the main window's current shared values,
  // preparing only the spectra not prepared yet.
  void Recompute();
  void CancelComputation();
  // The worker's side: runs on its own thread and hands what it makes to
  // the window's thread.
  static void Work(Job& job, PairTableWindow* window);
  void Post(int generation, std::function<void()> apply);
  // The shared values a run used, beside the table.
  void ShowShared(const PairRun& run);

  // The main window's values, for added files and a sheet's rows to take
  // where they have none of their own; added files are read through the
  // add dialog's `filter_entry`.
  [[nodiscard]] FretRequest DefaultsFromMainWindow(SpectrumSide side, int filter_entry) const;
  // What the last computation left out, with the sheets' skipped rows.
  void ShowErrors(const std::vector<TableError>& run_errors, const QString& failure = {});
  void Finish(const QString& status);
  // The planner's figures for the rows shown, when a plan is set.
  void ApplyPlan();

  const FretEngine& main_engine_;
  DialogService& dialogs_;
  LoadPair load_pair_;
  PlanSource plan_source_;

  std::vector<DyeRecord> records_;
  // The preparation of each record, once made; it does not depend on the
  // shared values, so a new computation reuses it.
  std::vector<std::shared_ptr<const DyePreparation>> prepared_;
  std::vector<TableError> sheet_errors_;  // rows of sheets that were skipped
  std::vector<QString> notes_;            // columns of sheets that were ignored

  OpenDialogState donor_dialog_;
  OpenDialogState acceptor_dialog_;
  OpenDialogState sheet_dialog_;

  PairTableModel* model_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
  QTableView* view_ = nullptr;
  QLineEdit* target_field_ = nullptr;
  QLabel* target_message_ = nullptr;
  QLabel* shared_label_ = nullptr;
  QPlainTextEdit* errors_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* export_button_ = nullptr;

  // The computation: one worker at a time; what a replaced or cancelled
  // one still hands over is dropped by its generation.
  std::thread worker_;
  std::shared_ptr<Job> job_;  // the worker's; read only once it has been joined
  std::shared_ptr<std::atomic<bool>> cancel_;
  int generation_ = 0;
  bool computing_ = false;
};

}  // namespace korin
