// Controls are named for tests and for tracing, as elsewhere:
//
//   object name        what it is
//   PairTableWindow    the window
//   AddDonors          "Add donors..." (several emission files)
//   AddAcceptors       "Add acceptors..." (several absorption files)
//   OpenSheet          "Open sheet..." (a dye sheet)
//   ExportCsv          "Export CSV..." (the rows in the order shown)
//   Recalculate        the table again with the main window's current values
//   ClearTable         every spectrum removed
//   TargetDistance     the target distance field, TargetMessage beside it
//   SharedValues       the shared values the table was computed with
//   PairTable          the table view
//   TableErrors        what was left out, and why
//   TableStatus        the status line; Progress and CancelComputation
//                      beside it while a computation runs
#include "ui/pair_table_window.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "batch/dye_sheet.h"
#include "core/fret_analysis.h"
#include "core/parameter_tables.h"
#include "io/file_output.h"
#include "io/spectrum_formats.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"
#include "plots/qt_text.h"
#include "request/engine_request.h"

namespace korin {

// --- The window ----------------------------------------------------------------------

struct PairTableWindow::Job {
  int generation = 0;
  std::shared_ptr<std::atomic<bool>> cancel;
  FretRequest shared;  // the main window's values when the run began
  std::vector<DyeRecord> records;
  std::vector<std::shared_ptr<const DyePreparation>> prepared;  // null: not yet
  int jobs = 1;
};

PairTableWindow::PairTableWindow(const FretEngine& main_engine, DialogService& dialogs,
                                 LoadPair load_pair, PlanSource plan_source, QWidget* parent)
    : QWidget(parent, Qt::Window),
      main_engine_(main_engine),
      dialogs_(dialogs),
      load_pair_(std::move(load_pair)),
      plan_source_(std::move(plan_source)),
      donor_dialog_{QStringLiteral("Add donors: emission spectra"),
                    OpenDialogFilter(SpectrumSide::kEmission), kFilterByExtension, QString()},
      acceptor_dialog_{QStringLiteral("Add acceptors: absorption spectra"),
                       OpenDialogFilter(SpectrumSide::kAbsorption), kFilterByExtension, QString()},
      sheet_dialog_{QStringLiteral("Open dye sheet"), "Dye sheet (*.csv)|*.csv|All files|*", 1,
                    QString()} {
  setObjectName(QStringLiteral("PairTableWindow"));
  setWindowTitle(QStringLiteral("Pair table"));

  auto* add_donors = Named(new QPushButton(QStringLiteral("Add donors..."), this), "AddDonors");
  auto* add_acceptors =
      Named(new QPushButton(QStringLiteral("Add acceptors..."), this), "AddAcceptors");
  auto* open_sheet = Named(new QPushButton(QStringLiteral("Open sheet..."), this), "OpenSheet");
  export_button_ = Named(new QPushButton(QStringLiteral("Export CSV..."), this), "ExportCsv");
  auto* recalculate = Named(new QPushButton(QStringLiteral("Recalculate"), this), "Recalculate");
  recalculate->setToolTip(
      QStringLiteral("Compute the table again with the main window's current κ² and solvent"));
  auto* clear = Named(new QPushButton(QStringLiteral("Clear"), this), "ClearTable");
  target_field_ = Named(new QLineEdit(this), "TargetDistance");
  target_field_->setPlaceholderText(QStringLiteral("none"));
  target_field_->setMaximumWidth(80);
  target_message_ = Named(new QLabel(this), "TargetMessage");
  shared_label_ = Named(new QLabel(this), "SharedValues");

  model_ = new PairTableModel(this);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(PairTableModel::kSortRole);
  proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
  view_ = Named(new QTableView(this), "PairTable");
  view_->setModel(proxy_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setAlternatingRowColors(true);
  view_->verticalHeader()->setVisible(false);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  // As listed until a header is clicked.
  view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  view_->setSortingEnabled(true);
  // Every column as wide as its texts, names in full.
  view_->horizontalHeader()->setStretchLastSection(false);
  view_->setToolTip(QStringLiteral("Double-click a pair to load it into the main window"));

  errors_ = Named(new QPlainTextEdit(this), "TableErrors");
  errors_->setReadOnly(true);
  errors_->setMaximumHeight(errors_->fontMetrics().lineSpacing() * 5 + 12);
  errors_->setLineWrapMode(QPlainTextEdit::NoWrap);
  errors_->hide();
  status_ =
      Named(new QLabel(QStringLiteral("Add donors and acceptors, or open a dye sheet."), this),
            "TableStatus");
  progress_ = Named(new QProgressBar(this), "Progress");
  progress_->hide();
  cancel_button_ = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelComputation");
  cancel_button_->hide();

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {add_donors, add_acceptors, open_sheet, export_button_})
    buttons->addWidget(b);
  buttons->addSpacing(12);
  buttons->addWidget(recalculate);
  buttons->addWidget(clear);
  buttons->addStretch(1);
  auto* target_row = new QHBoxLayout;
  auto* target_label = new QLabel(QStringLiteral("Target distance (Å):"), this);
  target_label->setBuddy(target_field_);
  target_row->addWidget(target_label);
  target_row->addWidget(target_field_);
  target_row->addWidget(target_message_);
  target_row->addStretch(1);
  target_row->addWidget(shared_label_);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(status_, 1);
  bottom->addWidget(progress_);
  bottom->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addLayout(target_row);
  layout->addWidget(view_, 1);
  layout->addWidget(errors_);
  layout->addLayout(bottom);

  connect(add_donors, &QPushButton::clicked, this, [this] { AddFiles(SpectrumSide::kEmission); });
  connect(add_acceptors, &QPushButton::clicked, this,
          [this] { AddFiles(SpectrumSide::kAbsorption); });
  connect(open_sheet, &QPushButton::clicked, this, &PairTableWindow::OpenSheet);
  connect(export_button_, &QPushButton::clicked, this, &PairTableWindow::ExportCsv);
  connect(recalculate, &QPushButton::clicked, this, &PairTableWindow::Recompute);
  connect(clear, &QPushButton::clicked, this, &PairTableWindow::Clear);
  connect(cancel_button_, &QPushButton::clicked, this, &PairTableWindow::CancelComputation);
  connect(target_field_, &QLineEdit::textChanged, this, &PairTableWindow::OnTargetEdited);
  connect(view_, &QTableView::doubleClicked, this, &PairTableWindow::OnActivated);
  export_button_->setEnabled(false);
  resize(820, 560);
}

PairTableWindow::~PairTableWindow() {
  // The worker hands its results to this window: it must end first.
  if (cancel_) cancel_->store(true);
  if (worker_.joinable()) worker_.join();
}

// --- What the user does -------------------------------------------------------------

FretRequest PairTableWindow::DefaultsFromMainWindow(SpectrumSide side, int filter_entry) const {
  FretRequest defaults = PanelParameters(main_engine_);
  if (filter_entry != kFilterByExtension) {
    defaults.Set(FilterParameter(side), std::to_string(filter_entry));
  }
  return defaults;
}

void PairTableWindow::AddFiles(SpectrumSide side) {
  OpenDialogState& dialog = side == SpectrumSide::kEmission ? donor_dialog_ : acceptor_dialog_;
  const std::optional<QStringList> chosen = dialogs_.OpenFiles(this, dialog);
  if (!chosen) return;
  const FretRequest defaults = DefaultsFromMainWindow(side, dialog.filter_entry);
  for (const QString& path : *chosen) {
    records_.push_back(ListedDye(side, QFile::encodeName(path).toStdString(), defaults));
  }
  Recompute();
}

void PairTableWindow::OpenSheet() {
  const std::optional<QString> chosen = dialogs_.OpenFile(this, sheet_dialog_);
  if (!chosen) return;
  // Values a row leaves out are the main window's, as for added files.
  const FretRequest defaults = DefaultsFromMainWindow(SpectrumSide::kEmission, kFilterByExtension);
  DyeSheet sheet = ReadDyeSheet(QFile::encodeName(*chosen).toStdString(), defaults);
  if (!sheet.readable) {
    dialogs_.ShowMessage(this, windowTitle(), PathText(sheet.problem));
    return;
  }
  for (DyeRecord& record : sheet.dyes) records_.push_back(std::move(record));
  for (TableError& e : sheet.skipped) sheet_errors_.push_back(std::move(e));
  for (const std::string& note : sheet.notes) notes_.push_back(PathText(note));
  Recompute();
}

void PairTableWindow::ExportCsv() {
  const PairRun* run = model_->Run();
  if (run == nullptr || model_->rowCount() == 0) return;
  const std::optional<QString> path = dialogs_.SaveFile(this, QStringLiteral("Export pair table"),
                                                        {QStringLiteral("CSV file (*.csv)")});
  if (!path) return;
  // The rows in the order shown.
  std::vector<PairRow> rows;
  rows.reserve(static_cast<std::size_t>(proxy_->rowCount()));
  for (int i = 0; i < proxy_->rowCount(); ++i) {
    rows.push_back(model_->Row(proxy_->mapToSource(proxy_->index(i, 0)).row()));
  }
  const std::string csv = PairTableCsv(rows, run->inputs, model_->Target().has_value());
  // The dialog has asked before replacing a file.
  const WriteOutcome written =
      WriteFileAtomically(QFile::encodeName(*path).toStdString(), csv, true);
  if (!written.written) dialogs_.ShowMessage(this, windowTitle(), PathText(written.message));
}

void PairTableWindow::Clear() {
  CancelComputation();
  ++generation_;
  if (worker_.joinable()) worker_.join();
  job_.reset();
  computing_ = false;
  records_.clear();
  prepared_.clear();
  sheet_errors_.clear();
  notes_.clear();
  model_->Begin(nullptr);
  ShowErrors({});
  Finish(QStringLiteral("Add donors and acceptors, or open a dye sheet."));
  shared_label_->clear();
}

void PairTableWindow::OnTargetEdited() {
  const std::string text = target_field_->text().trimmed().toStdString();
  double value = 0.0;
  if (text.empty()) {
    target_message_->clear();
    model_->SetTarget(std::nullopt);
    return;
  }
  if (!ParseReal(text, value) || !DistanceOf(value).value) {
    target_message_->setText(QStringLiteral("a positive number, with \".\""));
    model_->SetTarget(std::nullopt);
    return;
  }
  target_message_->clear();
  const bool first = !model_->Target().has_value();
  model_->SetTarget(value);
  // The apparent efficiency at the target is the plan's.
  if (model_->Plan()) ApplyPlan();
  view_->resizeColumnsToContents();
  // As the command line ranks by it: nearest first.
  if (first) view_->sortByColumn(PairTableModel::kDistanceError, Qt::AscendingOrder);
}

void PairTableWindow::OnActivated(const QModelIndex& index) {
  const PairRun* run = model_->Run();
  if (!index.isValid() || run == nullptr || !load_pair_) return;
  const PairRow& row = model_->Row(proxy_->mapToSource(index).row());
  load_pair_(PairRequest(run->inputs.Donor(row.donor).record,
                         run->inputs.Acceptor(row.acceptor).record, run->shared));
}

// --- The computation --------------------------------------------------------------------

void PairTableWindow::CancelComputation() {
  if (cancel_) cancel_->store(true);
}

void PairTableWindow::Post(int generation, std::function<void()> apply) {
  QMetaObject::invokeMethod(
      this,
      [this, generation, apply = std::move(apply)] {
        if (generation == generation_) apply();
      },
      Qt::QueuedConnection);
}

void PairTableWindow::Recompute() {
  // A running computation is replaced: what it still hands over is dropped.
  CancelComputation();
  ++generation_;
  if (worker_.joinable()) worker_.join();
  // What the last worker prepared, even if it was cancelled or replaced
  // part-way, is kept: the join has ended its writes.
  prepared_.resize(records_.size());
  if (job_) {
    for (std::size_t i = 0; i < job_->prepared.size() && i < prepared_.size(); ++i) {
      if (job_->prepared[i]) prepared_[i] = job_->prepared[i];
    }
  }

  auto job = std::make_shared<Job>();
  job->generation = generation_;
  job->cancel = cancel_ = std::make_shared<std::atomic<bool>>(false);
  job->shared = PanelParameters(main_engine_);
  job->records = records_;
  job->prepared = prepared_;
  job->jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));

  computing_ = true;
  status_->setText(QStringLiteral("Reading spectra..."));
  progress_->setRange(0, 0);
  progress_->show();
  cancel_button_->show();
  export_button_->setEnabled(false);
  job_ = job;
  worker_ = std::thread([job, this] { Work(*job, this); });
}

void PairTableWindow::Work(Job& job, PairTableWindow* window) {
  const int g = job.generation;
  // What the rows leave out, gathered on this thread and shown at the end.
  auto errors = std::make_shared<std::vector<TableError>>();
  PairRunHooks hooks;
  hooks.cancelled = [&job] { return job.cancel->load(); };
  hooks.preparing = [window, g](std::size_t done, std::size_t total) {
    window->Post(g, [window, done, total] {
      window->progress_->setRange(0, static_cast<int>(std::max<std::size_t>(total, 1)));
      window->progress_->setFormat(QStringLiteral("spectra %v of %m"));
      window->progress_->setValue(static_cast<int>(done));
    });
  };
  hooks.prepared = [window, g, errors](const std::shared_ptr<const PairRun>& run) {
    *errors = run->refused;
    const std::size_t pairs = PairCount(run->inputs);
    window->Post(g, [window, run, pairs] {
      window->model_->Begin(run);
      window->progress_->setRange(0, static_cast<int>(std::max<std::size_t>(pairs, 1)));
      window->progress_->setValue(0);
      window->progress_->setFormat(QStringLiteral("pairs %v of %m"));
      window->ShowShared(*run);
    });
  };
  hooks.computed = [window, g, errors](std::vector<PairRow> rows,
                                       std::vector<TableError> uncomputed, std::size_t done) {
    for (TableError& e : uncomputed) errors->push_back(std::move(e));
    auto shared_rows = std::make_shared<std::vector<PairRow>>(std::move(rows));
    window->Post(g, [window, shared_rows, done] {
      window->model_->Append(std::move(*shared_rows));
      window->progress_->setValue(static_cast<int>(done));
    });
  };
  const PairRunResult result = RunPairs(job.records, job.shared, job.prepared, job.jobs, hooks);

  switch (result.end) {
    case PairRunResult::End::kSharedRefused:
      window->Post(g, [window, why = result.why] {
        window->model_->Begin(nullptr);
        window->ShowErrors({}, QStringLiteral("No pairs: ") + PathText(why) +
                                   QStringLiteral(" (in the main window)."));
        window->Finish(QStringLiteral("Nothing computed."));
      });
      return;
    case PairRunResult::End::kCancelledPreparing:
      window->Post(
          g, [window] { window->Finish(QStringLiteral("Cancelled while reading spectra.")); });
      return;
    case PairRunResult::End::kCancelledComputing:
      window->Post(g, [window, errors, done = result.pairs_done, pairs = result.pairs] {
        window->ShowErrors(*errors);
        window->Finish(QStringLiteral("Cancelled after %1 of %2 pairs.").arg(done).arg(pairs));
      });
      return;
    case PairRunResult::End::kFinished:
      break;
  }
  const std::size_t donors = result.run->inputs.donors.size();
  const std::size_t acceptors = result.run->inputs.acceptors.size();
  window->Post(g, [window, errors, pairs = result.pairs, donors, acceptors] {
    window->ShowErrors(*errors);
    window->Finish(QStringLiteral("%1 pairs: %2 donors × %3 acceptors. Double-click a pair to "
                                  "load it into the main window.")
                       .arg(pairs)
                       .arg(donors)
                       .arg(acceptors));
  });
}

void PairTableWindow::ShowShared(const PairRun& run) {
  const SharedValues& v = run.inputs.shared;
  const int solvent = SolventOf(run.shared);
  shared_label_->setText(
      QStringLiteral("κ² %1 · n %2%3 (from the main window)")
          .arg(LocalisedNumber(FormatGeneral(v.orientation, 15)),
               LocalisedNumber(FormatGeneral(v.refractive_index, 15)),
               solvent > 0 ? QStringLiteral(" ") +
                                 FromUtf8(kSolventTable[static_cast<std::size_t>(solvent)].name)
                           : QString()));
}

void PairTableWindow::Finish(const QString& status) {
  computing_ = false;
  progress_->hide();
  cancel_button_->hide();
  status_->setText(status);
  export_button_->setEnabled(model_->rowCount() > 0);
  ApplyPlan();
  if (model_->rowCount() > 0) view_->resizeColumnsToContents();
}

void PairTableWindow::ApplyPlan() {
  const std::optional<PlanRequest> request = plan_source_ ? plan_source_() : std::nullopt;
  if (model_->Run() == nullptr || !request || !AsksForPlan(*request) ||
      !request->Given(PlanParameter::kDonorChannel) ||
      !request->Given(PlanParameter::kAcceptorChannel)) {
    if (model_->Plan()) model_->SetPlan(std::nullopt);
    return;
  }
  std::vector<PairRow> rows;
  for (int i = 0; i < model_->rowCount(); ++i) rows.push_back(model_->Row(i));
  model_->SetPlan(PlanPairs(*model_->Run(), rows, *request, model_->Target()));
}

void PairTableWindow::ShowErrors(const std::vector<TableError>& run_errors,
                                 const QString& failure) {
  QStringList lines;
  if (!failure.isEmpty()) lines << failure;
  for (const TableError& e : sheet_errors_) {
    lines << QStringLiteral("%1, line %2: %3")
                 .arg(QFileInfo(PathText(e.file)).fileName())
                 .arg(e.line)
                 .arg(FromUtf8(e.reason));
  }
  for (const QString& note : notes_) lines << note;
  for (const TableError& e : run_errors) {
    QString line = e.kind == TableError::Kind::kPair
                       ? FromUtf8(e.name) + QStringLiteral(": ") + FromUtf8(e.reason)
                       : PathText(e.file) + QStringLiteral(": not used: ") + FromUtf8(e.reason);
    for (const std::string& message : e.messages) line += QStringLiteral(" — ") + PathText(message);
    lines << line;
  }
  // Spectra in use whose reader had something to say: an excitation column
  // standing in for the absorption, rows passed over.
  if (const PairRun* run = model_->Run()) {
    for (const auto& p : run->dyes) {
      if (!p || !p->dye) continue;
      for (const std::string& message : p->dye->messages) {
        lines << FromUtf8(p->dye->record.name) + QStringLiteral(": ") + PathText(message);
      }
    }
  }
  errors_->setPlainText(lines.join(QLatin1Char('\n')));
  errors_->setVisible(!lines.isEmpty());
}

}  // namespace korin
