// The planner's layout, its inputs and how it shows a plan. Object names:
//   PlannerWindow                     the window
//   DonorEmissionSpectrum ... AcceptorEmissionSpectrum   the slot_grid' labels,
//   Open<slot name>                   and their Open buttons
//   DonorExtinction, AcceptorQuantumYield, DonorLaser, AcceptorLaser,
//   DonorChannel, AcceptorChannel, Distance, ApparentEfficiency   fields
//   PlanMessage                       why there is no plan
//   FromApparent, AtDistance          E and r from a measured E_app; E,
//                                     E_app and dE/dr at the distance
//   Leakage, DirectExcitation, Gamma, Delta, Beta   the factors
//   SpectraChart, ApparentChart       the two charts
#include "ui/planner_window.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "chart/chart.h"
#include "chart/chart_widget.h"
#include "chart/series.h"
#include "numeric/number_text.h"
#include "plots/analysis_window.h"
#include "request/engine_request.h"
#include "ui/dialog_service.h"
#include "ui/main_window.h"

namespace korin {
namespace {

using planner::kAcceptorChannel;
using planner::kDonorChannel;
using planner::kLaser;
using planner::kSlotColours;

constexpr std::array<const char*, 4> kSlotNames = {
    "DonorEmissionSpectrum", "DonorAbsorptionSpectrum", "AcceptorAbsorptionSpectrum",
    "AcceptorEmissionSpectrum"};
constexpr std::array<const char*, 4> kSlotWords = {"Donor emission", "Donor absorption",
                                                   "Acceptor absorption", "Acceptor emission"};

// The channel's parts as typed: band-passes and files, separated by ";".
std::vector<std::string> Parts(const QLineEdit& edit) {
  std::vector<std::string> parts;
  for (const QString& part : edit.text().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString trimmed = part.trimmed();
    if (!trimmed.isEmpty()) parts.push_back(QFile::encodeName(trimmed).toStdString());
  }
  return parts;
}

void SetValue(PlanRequest& request, PlanParameter parameter, const QLineEdit& edit) {
  const std::string text = edit.text().trimmed().toStdString();
  request.values[static_cast<std::size_t>(parameter)].clear();
  if (!text.empty()) request.values[static_cast<std::size_t>(parameter)] = {text};
}

QLabel* Swatch(const QColor& colour, const QString& text) {
  auto* label = new QLabel(QStringLiteral("<span style=\"color:%1\">\u25A0</span> %2")
                               .arg(colour.name(), text.toHtmlEscaped()));
  return label;
}

}  // namespace

PlannerWindow::PlannerWindow(FretEngine& engine, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      engine_(engine),
      dialogs_(dialogs),
      open_state_(std::make_unique<OpenDialogState>()) {
  setObjectName(QStringLiteral("PlannerWindow"));
  setWindowTitle(QStringLiteral("Experiment planner"));
  open_state_->title = QStringLiteral("Open spectrum");
  open_state_->filter =
      "Spectra (*.csv *.tsv *.txt *.dat *.sp *.abs *.abt *.asp *.iss *.rls *.ifx)"
      "|*.csv;*.tsv;*.txt;*.dat;*.sp;*.abs;*.abt;*.asp;*.iss;*.rls;*.ifx|"
      "All files (*)|*";
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildInputs());
  layout->addWidget(BuildFigures(), 1);
  engine_.AddView(this);
}

PlannerWindow::~PlannerWindow() {
  engine_.RemoveView(this);
}

QLineEdit* PlannerWindow::AddField(QGridLayout& grid, int row, const QString& label,
                                   const QString& name, const QString& text, const QString& unit) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(name);
  grid.addWidget(new QLabel(label), row, 0);
  grid.addWidget(edit, row, 1);
  if (!unit.isEmpty()) grid.addWidget(new QLabel(unit), row, 2);
  connect(edit, &QLineEdit::textChanged, this, &PlannerWindow::ScheduleRefresh);
  return edit;
}

QWidget* PlannerWindow::BuildInputs() {
  auto* column = new QWidget;
  auto* box = new QVBoxLayout(column);
  auto* spectra = new QGroupBox(QStringLiteral("Spectra"));
  auto* slot_grid = new QGridLayout(spectra);
  for (int i = 0; i < 4; ++i) {
    const auto slot = static_cast<Slot>(i);
    slot_grid->addWidget(new QLabel(QString::fromLatin1(kSlotWords[static_cast<std::size_t>(i)])),
                         i, 0);
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(kSlotNames[static_cast<std::size_t>(i)]));
    label->setMinimumWidth(220);
    slot_grid->addWidget(label, i, 1);
    auto* open = new QPushButton(QStringLiteral("Open..."));
    open->setObjectName(QStringLiteral("Open") +
                        QString::fromLatin1(kSlotNames[static_cast<std::size_t>(i)]));
    connect(open, &QPushButton::clicked, this, [this, slot] { OpenSlot(slot); });
    slot_grid->addWidget(open, i, 2);
    slot_labels_[static_cast<std::size_t>(i)] = label;
  }
  box->addWidget(spectra);

  auto* dyes = new QGroupBox(QStringLiteral("Dyes and instrument"));
  auto* grid = new QGridLayout(dyes);
  donor_extinction_ = AddField(*grid, 0, QStringLiteral("Donor peak extinction"),
                               QStringLiteral("DonorExtinction"), {}, QStringLiteral("M-1 cm-1"));
  acceptor_quantum_yield_ = AddField(*grid, 1, QStringLiteral("Acceptor quantum yield"),
                                     QStringLiteral("AcceptorQuantumYield"), {}, {});
  donor_laser_ = AddField(*grid, 2, QStringLiteral("Donor laser"), QStringLiteral("DonorLaser"), {},
                          QStringLiteral("nm"));
  acceptor_laser_ = AddField(*grid, 3, QStringLiteral("Acceptor laser (optional)"),
                             QStringLiteral("AcceptorLaser"), {}, QStringLiteral("nm"));
  donor_channel_ =
      AddField(*grid, 4, QStringLiteral("Donor channel"), QStringLiteral("DonorChannel"), {}, {});
  acceptor_channel_ = AddField(*grid, 5, QStringLiteral("Acceptor channel"),
                               QStringLiteral("AcceptorChannel"), {}, {});
  for (const auto& [edit, name] : {std::pair{donor_channel_, "AddDonorFilter"},
                                   std::pair{acceptor_channel_, "AddAcceptorFilter"}}) {
    edit->setPlaceholderText(QStringLiteral("CENTER/WIDTH; filter files"));
    auto* add = new QPushButton(QStringLiteral("Filter..."));
    add->setObjectName(QString::fromLatin1(name));
    QLineEdit* target = edit;
    connect(add, &QPushButton::clicked, this, [this, target] { AddFilterFile(target); });
    grid->addWidget(add, edit == donor_channel_ ? 4 : 5, 2);
  }
  distance_ = AddField(*grid, 6, QStringLiteral("Distance"), QStringLiteral("Distance"), {},
                       QStringLiteral("\u00C5"));
  apparent_ = AddField(*grid, 7, QStringLiteral("Measured apparent E"),
                       QStringLiteral("ApparentEfficiency"), {}, {});
  box->addWidget(dyes);

  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("PlanMessage"));
  message_->setWordWrap(true);
  message_->setStyleSheet(QStringLiteral("color: #b03020"));
  box->addWidget(message_);
  at_distance_ = new QLabel;
  at_distance_->setObjectName(QStringLiteral("AtDistance"));
  from_apparent_ = new QLabel;
  from_apparent_->setObjectName(QStringLiteral("FromApparent"));
  box->addWidget(at_distance_);
  box->addWidget(from_apparent_);
  box->addStretch(1);
  return column;
}

QWidget* PlannerWindow::BuildFigures() {
  auto* column = new QWidget;
  auto* box = new QVBoxLayout(column);
  spectra_chart_ =
      MakeFigureChart(QStringLiteral("SpectraChart"), QStringLiteral("Wavelength [nm]"),
                      QStringLiteral("Normalised"), Qt::black);
  box->addWidget(spectra_chart_, 2);
  auto* legend = new QHBoxLayout;
  for (std::size_t i = 0; i < 4; ++i) {
    legend->addWidget(Swatch(kSlotColours[i], QString::fromLatin1(kSlotWords[i])));
  }
  legend->addWidget(Swatch(kDonorChannel.darker(130), QStringLiteral("Donor channel")));
  legend->addWidget(Swatch(kAcceptorChannel.darker(130), QStringLiteral("Acceptor channel")));
  legend->addWidget(Swatch(kLaser, QStringLiteral("Lasers")));
  legend->addStretch(1);
  box->addLayout(legend);

  auto* numbers = new QHBoxLayout;
  auto* factors = new QGroupBox(QStringLiteral("Factors"));
  auto* grid = new QGridLayout(factors);
  const std::array<std::pair<const char*, const char*>, 5> rows = {
      {{"Leakage \u03B1", "Leakage"},
       {"Direct excitation d", "DirectExcitation"},
       {"\u03B3", "Gamma"},
       {"\u03B4 (second laser)", "Delta"},
       {"\u03B2 (second laser)", "Beta"}}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    grid->addWidget(new QLabel(QString::fromUtf8(rows[i].first)), static_cast<int>(i), 0);
    auto* value = new QLabel(kNoFigure);
    value->setObjectName(QString::fromLatin1(rows[i].second));
    grid->addWidget(value, static_cast<int>(i), 1);
    factor_values_.push_back(value);
  }
  numbers->addWidget(factors);

  auto* bright = new QGroupBox(QStringLiteral("Detection and brightness [M-1 cm-1]"));
  auto* bars = new QGridLayout(bright);
  const std::array<const char*, 5> cells = {
      "Donor in donor channel", "Donor in acceptor channel", "Acceptor in acceptor channel",
      "Acceptor in donor channel", "Acceptor in acceptor channel, acceptor laser"};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int row = static_cast<int>(i);
    bars->addWidget(new QLabel(QString::fromLatin1(cells[i])), row, 0);
    auto* eta = new QLabel(kNoFigure);
    if (i < 4) detection_values_.push_back(eta);
    bars->addWidget(eta, row, 1);
    auto* bar = new ShareBar(i < 2 ? kSlotColours[0] : kSlotColours[2]);
    bars->addWidget(bar, row, 2);
    brightness_bars_.push_back(bar);
    auto* value = new QLabel(kNoFigure);
    bars->addWidget(value, row, 3);
    brightness_values_.push_back(value);
  }
  numbers->addWidget(bright, 1);
  box->addLayout(numbers);

  apparent_chart_ =
      MakeFigureChart(QStringLiteral("ApparentChart"), QStringLiteral("True efficiency E"),
                      QStringLiteral("Apparent efficiency"), Qt::black);
  box->addWidget(apparent_chart_, 1);
  return column;
}

void PlannerWindow::OpenSlot(Slot slot) {
  const std::optional<QString> path = dialogs_.OpenFile(this, *open_state_);
  if (path) SetSpectrum(slot, *path);
}

void PlannerWindow::AddFilterFile(QLineEdit* channel) {
  const std::optional<QString> path = dialogs_.OpenFile(this, *open_state_);
  if (!path) return;
  const QString text = channel->text().trimmed();
  channel->setText(text.isEmpty() ? *path : text + QStringLiteral("; ") + *path);
}

void PlannerWindow::SetSpectrum(Slot slot, const QString& path) {
  replaced_[static_cast<std::size_t>(slot)] = path;
  Refresh();
}

PlanRequest PlannerWindow::Request() const {
  PlanRequest request;
  const bool both = !engine_.Origin(SpectrumSide::kEmission).path.empty() &&
                    !engine_.Origin(SpectrumSide::kAbsorption).path.empty();
  request.pair = both ? RequestOf(engine_) : PanelParameters(engine_);
  const auto file = [&](Slot slot) {
    return QFile::encodeName(replaced_[static_cast<std::size_t>(slot)]).toStdString();
  };
  for (const auto& [slot, side] :
       {std::pair{Slot::kDonorEmission, SpectrumSide::kEmission},
        std::pair{Slot::kAcceptorAbsorption, SpectrumSide::kAbsorption}}) {
    if (file(slot).empty()) continue;
    request.pair.Spectrum(side) = {file(slot), std::nullopt};
    request.pair.Clear(FilterParameter(side));
    request.pair.Clear(ColumnsParameter(side));
    request.pair.Clear(UnitsParameter(side));
  }
  request.donor_absorption.path = file(Slot::kDonorAbsorption);
  request.acceptor_emission.path = file(Slot::kAcceptorEmission);
  SetValue(request, PlanParameter::kDonorExtinction, *donor_extinction_);
  SetValue(request, PlanParameter::kAcceptorQuantumYield, *acceptor_quantum_yield_);
  SetValue(request, PlanParameter::kDonorLaser, *donor_laser_);
  SetValue(request, PlanParameter::kAcceptorLaser, *acceptor_laser_);
  SetValue(request, PlanParameter::kApparentEfficiency, *apparent_);
  request.values[static_cast<std::size_t>(PlanParameter::kDonorChannel)] = Parts(*donor_channel_);
  request.values[static_cast<std::size_t>(PlanParameter::kAcceptorChannel)] =
      Parts(*acceptor_channel_);
  request.pair.Clear(Parameter::kDistance);
  if (const QString d = distance_->text().trimmed(); !d.isEmpty()) {
    request.pair.Set(Parameter::kDistance, d.toStdString());
  }
  return request;
}

void PlannerWindow::ScheduleRefresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    refresh_pending_ = false;
    Refresh();
  });
}

// A hidden planner reads nothing: showing it computes the plan afresh.
void PlannerWindow::SetResultsVisible(bool) {
  if (isVisible()) ScheduleRefresh();
}

void PlannerWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void PlannerWindow::Refresh() {
  const PlanRequest request = Request();
  // Each slot names its file; the whole path is in its tool tip.
  for (std::size_t i = 0; i < 4; ++i) {
    QString path = replaced_[i];
    QString shown = path.isEmpty() ? QStringLiteral("(none)") : QFileInfo(path).fileName();
    if (path.isEmpty() && (i == 0 || i == 2)) {
      const SpectrumSide side = i == 0 ? SpectrumSide::kEmission : SpectrumSide::kAbsorption;
      path = QFile::decodeName(engine_.Origin(side).path.c_str());
      shown = path.isEmpty() ? QStringLiteral("as the main window: none")
                             : QStringLiteral("as the main window: ") + QFileInfo(path).fileName();
    }
    slot_labels_[i]->setText(shown);
    slot_labels_[i]->setToolTip(path);
  }
  outcome_ = RunPlan(request);
  ShowPlan();
}

std::vector<ReportLine> PlannerWindow::ReportLines() const {
  if (!outcome_.refusal.empty()) return {};
  const PlanFigures& f = outcome_.figures;
  std::vector<ReportLine> lines = {
      {"Plan: leakage alpha", FormatGeneral(f.factors.leakage, 5)},
      {"Plan: direct excitation d", FormatGeneral(f.factors.direct_excitation, 5)},
      {"Plan: gamma", FormatGeneral(f.factors.gamma, 5)},
      {"Plan: apparent efficiency of the donor alone",
       FormatGeneral(ApparentEfficiency(f.lines, 0.0), 5)}};
  if (f.factors.delta) lines.push_back({"Plan: delta", FormatGeneral(*f.factors.delta, 5)});
  if (f.factors.beta) lines.push_back({"Plan: beta", FormatGeneral(*f.factors.beta, 5)});
  if (outcome_.apparent_at_distance) {
    lines.push_back(
        {"Plan: apparent efficiency at " + FormatGeneral(*outcome_.distance, 15) + " Angstroms",
         FormatGeneral(*outcome_.apparent_at_distance, 5)});
  }
  return lines;
}

}  // namespace korin
