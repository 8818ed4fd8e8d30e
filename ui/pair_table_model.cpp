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
  const bool had = target_.has_value();
  if (!target && had) {
    beginRemoveColumns({}, kEfficiency, kDistanceError);
    target_.reset();
    endRemoveColumns();
    return;
  }
  if (!target) return;
  if (!had) beginInsertColumns({}, kEfficiency, kDistanceError);
  target_ = target;
  ApplyTargetDistance(rows_, *target_);
  if (!had) {
    endInsertColumns();
  } else {
    emit headerDataChanged(Qt::Horizontal, kEfficiency, kDistanceError);
    if (!rows_.empty()) {
      emit dataChanged(index(0, kEfficiency), index(rowCount() - 1, kDistanceError));
    }
  }
}

int PairTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PairTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return target_ ? kEfficiencySlope + 1 : kForsterDistance + 1;
}

QVariant PairTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || run_ == nullptr) return {};
  const PairRow& row = Row(index.row());
  const DyeRecord& donor = run_->inputs.Donor(row.donor).record;
  const DyeRecord& acceptor = run_->inputs.Acceptor(row.acceptor).record;
  const int column = index.column();
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
    default:
      return {};
  }
}

QVariant PairTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal)
    return QAbstractTableModel::headerData(section, orientation, role);
  // The first click on a figure shows the largest first; on names and on
  // the distance from the target, the smallest.
  if (role == Qt::InitialSortOrderRole) {
    const bool largest_first = section == kOverlapIntegral || section == kForsterDistance ||
                               section == kEfficiency || section == kEfficiencySlope;
    return largest_first ? Qt::DescendingOrder : Qt::AscendingOrder;
  }
  if (role != Qt::DisplayRole) return {};
  const QString target =
      target_ ? LocalisedNumber(FormatGeneral(*target_, 15)) + QStringLiteral(" Å") : QString();
  switch (section) {
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
    default:
      return {};
  }
}

}  // namespace korin
