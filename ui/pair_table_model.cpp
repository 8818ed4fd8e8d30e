// The pair table's rows as a Qt model: names and result texts for display,
// in the locale's decimal separator as the result panel writes them, and
// the numbers for sorting.
#include <algorithm>
#include <span>

#include "core/fret_analysis.h"
#include "numeric/number_text.h"
#include "plots/qt_text.h"
#include "ui/pair_table_window.h"

namespace korin {

PairTableModel::PairTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void PairTableModel::Begin(std::shared_ptr<const PairRun> run) {
  beginResetModel();
  run_ = std::move(run);
  rows_.clear();
  endResetModel();
}

void PairTableModel::Append(std::vector<PairRow> rows) {
  if (rows.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  if (target_)
    ApplyTargetDistance(std::span(rows_).subspan(static_cast<std::size_t>(first)), *target_);
  endInsertRows();
}

void PairTableModel::SetTarget(std::optional<double> target) {
  // The plan's columns follow the target's, and one of them needs it: the
  // whole model changes shape.
  if (plan_) {
    beginResetModel();
    target_ = target;
    if (target_) ApplyTargetDistance(rows_, *target_);
    endResetModel();
    return;
  }
  const bool had = target_.has_value();
  if (!target && had) {
    beginRemoveColumns({}, kEfficiency, kEfficiencySlope);
    target_.reset();
    endRemoveColumns();
    return;
  }
  if (!target) return;
  if (!had) beginInsertColumns({}, kEfficiency, kEfficiencySlope);
  target_ = target;
  ApplyTargetDistance(rows_, *target_);
  if (!had) {
    endInsertColumns();
  } else {
    emit headerDataChanged(Qt::Horizontal, kEfficiency, kEfficiencySlope);
    if (!rows_.empty()) {
      emit dataChanged(index(0, kEfficiency), index(rowCount() - 1, kEfficiencySlope));
    }
  }
}

void PairTableModel::SetPlan(std::optional<PairPlan> plan) {
  beginResetModel();
  plan_ = std::move(plan);
  endResetModel();
}

PairTableModel::Column PairTableModel::ColumnAt(int section) const {
  if (section <= kForsterDistance) return static_cast<Column>(section);
  int rest = section - (kForsterDistance + 1);
  if (target_) {
    if (rest < 3) return static_cast<Column>(kEfficiency + rest);
    rest -= 3;
  }
  return static_cast<Column>(kLeakage + rest);
}

int PairTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PairTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  const int target = target_ ? 3 : 0;
  const int plan = plan_ ? (target_ ? 4 : 3) : 0;
  return kForsterDistance + 1 + target + plan;
}

QVariant PairTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || run_ == nullptr) return {};
  const PairRow& row = Row(index.row());
  const DyeRecord& donor = run_->inputs.Donor(row.donor).record;
  const DyeRecord& acceptor = run_->inputs.Acceptor(row.acceptor).record;
  const Column column = ColumnAt(index.column());
  if (role == Qt::TextAlignmentRole) {
    return column <= kAcceptor ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role == Qt::ToolTipRole) {
    if (column == kDonor) return PathText(donor.path);
    if (column == kAcceptor) return PathText(acceptor.path);
    return {};
  }
  const bool sort = role == kSortRole;
  if (role != Qt::DisplayRole && !sort) return {};
  switch (column) {
    case kDonor:
      return FromUtf8(donor.name);
    case kAcceptor:
      return FromUtf8(acceptor.name);
    case kOverlapIntegral:
      return sort ? QVariant(row.overlap_integral)
                  : QVariant(LocalisedNumber(row.overlap_integral_text));
    case kForsterDistance:
      return sort ? QVariant(row.forster_distance)
                  : QVariant(LocalisedNumber(row.forster_distance_text));
    case kEfficiency:
      return sort ? QVariant(row.efficiency_at_target)
                  : QVariant(LocalisedNumber(AnalysisText(row.efficiency_at_target)));
    case kDistanceError:
      return sort ? QVariant(row.distance_error)
                  : QVariant(LocalisedNumber(AnalysisText(row.distance_error)));
    case kEfficiencySlope:
      return sort ? QVariant(row.efficiency_slope_at_target)
                  : QVariant(LocalisedNumber(AnalysisText(row.efficiency_slope_at_target)));
    case kLeakage:
    case kDirectExcitation:
    case kGamma:
    case kApparentAtTarget: {
      const PairPlanColumns& p = plan_->rows[static_cast<std::size_t>(index.row())];
      if (!p.planned) return sort ? QVariant() : QVariant(QStringLiteral("\u2014"));
      const double value = column == kLeakage            ? p.leakage
                           : column == kDirectExcitation ? p.direct_excitation
                           : column == kGamma            ? p.gamma
                                                         : p.apparent_at_target;
      return sort ? QVariant(value) : QVariant(LocalisedNumber(AnalysisText(value)));
    }
  }
  return {};
}

QVariant PairTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal)
    return QAbstractTableModel::headerData(section, orientation, role);
  // The first click on a figure shows the largest first; on names and on
  // the distance from the target, the smallest.
  if (role == Qt::InitialSortOrderRole) {
    const Column column = ColumnAt(section);
    const bool largest_first = column == kOverlapIntegral || column == kForsterDistance ||
                               column == kEfficiency || column == kEfficiencySlope;
    return largest_first ? Qt::DescendingOrder : Qt::AscendingOrder;
  }
  if (role != Qt::DisplayRole) return {};
  const QString target =
      target_ ? LocalisedNumber(FormatGeneral(*target_, 15)) + QStringLiteral(" Å") : QString();
  switch (ColumnAt(section)) {
    case kDonor:
      return QStringLiteral("Donor");
    case kAcceptor:
      return QStringLiteral("Acceptor");
    case kOverlapIntegral:
      return QStringLiteral("J (M⁻¹·cm³)");
    case kForsterDistance:
      return QStringLiteral("R0 (Å)");
    case kEfficiency:
      return QStringLiteral("E at ") + target;
    case kDistanceError:
      return QStringLiteral("|R0 − ") + target + QStringLiteral("|");
    case kEfficiencySlope:
      return QStringLiteral("|dE/dr| at ") + target + QStringLiteral(" (1/Å)");
    case kLeakage:
      return QStringLiteral("α");
    case kDirectExcitation:
      return QStringLiteral("d");
    case kGamma:
      return QStringLiteral("γ");
    case kApparentAtTarget:
      return QStringLiteral("E_app at ") + target;
  }
  return {};
}

}  // namespace korin
