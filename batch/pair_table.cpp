#include "batch/pair_table.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "batch/parallel.h"
#include "core/forster.h"
#include "core/fret_analysis.h"
#include "numeric/number_text.h"

namespace korin {
namespace {

// Names need no quotes unless they hold the separator, a quote or a line
// break, begin or end with a blank (which readers trim), or begin with "#"
// (which sheet readers take for a comment).
void AppendCsvField(std::string& csv, std::string_view field) {
  const bool quote =
      field.find_first_of(",\"\r\n") != std::string_view::npos ||
      (!field.empty() && (field.front() == ' ' || field.front() == '\t' || field.back() == ' ' ||
                          field.back() == '\t' || field.front() == '#'));
  if (!quote) {
    csv += field;
    return;
  }
  csv += '"';
  for (const char c : field) {
    if (c == '"') csv += '"';
    csv += c;
  }
  csv += '"';
}

// A to Z whatever the case, then by the bytes, so that the order is total.
int CompareNames(std::string_view a, std::string_view b) {
  const auto folded = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a')
                                  : static_cast<unsigned char>(c);
  };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const unsigned char x = folded(a[i]);
    const unsigned char y = folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

}  // namespace

// --- Pairs -----------------------------------------------------------------------

void AddPrepared(const DyePreparation& preparation, PairInputs& inputs,
                 std::vector<TableError>& refused) {
  if (!preparation.dye) {
    refused.push_back(preparation.error);
    return;
  }
  const PreparedDye& dye = *preparation.dye;
  (dye.record.side == SpectrumSide::kEmission ? inputs.donors : inputs.acceptors).push_back(&dye);
}

PairInputs PairInputsOf(std::span<const PreparedDye> donors, std::span<const PreparedDye> acceptors,
                        SharedValues shared) {
  PairInputs inputs;
  inputs.shared = shared;
  for (const PreparedDye& d : donors) inputs.donors.push_back(&d);
  for (const PreparedDye& a : acceptors) inputs.acceptors.push_back(&a);
  return inputs;
}

std::size_t PairCount(const PairInputs& inputs) {
  return inputs.donors.size() * inputs.acceptors.size();
}

PairRow ComputePair(const PairInputs& inputs, std::uint32_t donor, std::uint32_t acceptor) {
  PairRow row;
  row.donor = donor;
  row.acceptor = acceptor;
  const PreparedDye& d = inputs.Donor(donor);
  const std::optional<double> j = OverlapIntegralOf(d.grid, inputs.Acceptor(acceptor).grid);
  if (!j) return row;
  row.computed = true;
  row.overlap_integral = *j;
  row.forster_distance = ForsterDistanceOf(inputs.shared.orientation,
                                           inputs.shared.refractive_index, d.quantum_yield, *j);
  row.overlap_integral_text = FormatExponent(*j, ".");
  row.forster_distance_text = FormatFixed(row.forster_distance, ".");
  return row;
}

void ComputePairs(const PairInputs& inputs, std::size_t first, std::span<PairRow> rows, int jobs) {
  const std::size_t acceptors = inputs.acceptors.size();
  // Blocks of a few hundred pairs: a thread keeps one donor's grid in its
  // cache for a while, and the threads rarely meet at the counter.
  constexpr std::size_t kBlock = 256;
  RunInParallel(rows.size(), jobs, kBlock, [&](std::size_t i) {
    const std::size_t pair = first + i;
    rows[i] = ComputePair(inputs, static_cast<std::uint32_t>(pair / acceptors),
                          static_cast<std::uint32_t>(pair % acceptors));
  });
}

std::vector<PairRow> ComputeAllPairs(const PairInputs& inputs, int jobs) {
  std::vector<PairRow> rows(PairCount(inputs));
  ComputePairs(inputs, 0, rows, jobs);
  return rows;
}

std::vector<TableError> TakeUncomputed(std::vector<PairRow>& rows, const PairInputs& inputs) {
  std::vector<TableError> errors;
  std::erase_if(rows, [&](const PairRow& row) {
    if (row.computed) return false;
    const DyeRecord& donor = inputs.Donor(row.donor).record;
    const DyeRecord& acceptor = inputs.Acceptor(row.acceptor).record;
    errors.push_back({TableError::Kind::kPair,
                      donor.path + " + " + acceptor.path,
                      donor.name + " + " + acceptor.name,
                      0,
                      "the overlap integral is beyond the range of a double",
                      {}});
    return true;
  });
  return errors;
}

// --- Target, order, CSV ----------------------------------------------------------

void ApplyTargetDistance(std::span<PairRow> rows, double target) {
  for (PairRow& row : rows) {
    if (!row.computed) continue;
    row.efficiency_at_target =
        row.forster_distance > 0.0 ? TransferEfficiency(target, row.forster_distance) : 0.0;
    row.distance_error = std::fabs(row.forster_distance - target);
    row.efficiency_slope_at_target =
        row.forster_distance > 0.0
            ? std::fabs(TransferEfficiencySlope(target, row.forster_distance))
            : 0.0;
  }
}

void SortPairs(std::vector<PairRow>& rows, PairOrder order, const PairInputs& inputs) {
  const auto listed = [](const PairRow& a, const PairRow& b) {
    return a.donor != b.donor ? a.donor < b.donor : a.acceptor < b.acceptor;
  };
  // Each order falls back on the listed one, so the result does not depend
  // on the order the rows came in.
  const auto by = [&](auto key, bool largest_first) {
    std::ranges::sort(rows, [&](const PairRow& a, const PairRow& b) {
      const double x = key(a);
      const double y = key(b);
      if (x != y) return largest_first ? x > y : x < y;
      return listed(a, b);
    });
  };
  switch (order) {
    case PairOrder::kListed:
      std::ranges::sort(rows, listed);
      break;
    case PairOrder::kForsterDistance:
      by([](const PairRow& r) { return r.forster_distance; }, true);
      break;
    case PairOrder::kOverlapIntegral:
      by([](const PairRow& r) { return r.overlap_integral; }, true);
      break;
    case PairOrder::kDistanceError:
      by([](const PairRow& r) { return r.distance_error; }, false);
      break;
    case PairOrder::kName:
      std::ranges::sort(rows, [&](const PairRow& a, const PairRow& b) {
        if (const int c = CompareNames(inputs.Donor(a.donor).record.name,
                                       inputs.Donor(b.donor).record.name)) {
          return c < 0;
        }
        if (const int c = CompareNames(inputs.Acceptor(a.acceptor).record.name,
                                       inputs.Acceptor(b.acceptor).record.name)) {
          return c < 0;
        }
        return listed(a, b);
      });
      break;
  }
}

std::string PairTableCsv(std::span<const PairRow> rows, const PairInputs& inputs, bool with_target,
                         const ExtraColumns* extra) {
  std::string csv =
      "donor,acceptor,overlap_integral,overlap_integral_text,forster_distance,"
      "forster_distance_text";
  if (with_target) csv += ",efficiency_at_target,distance_error,efficiency_slope_at_target";
  if (extra) {
    for (const std::string& name : extra->names) csv += ',' + name;
  }
  csv += '\n';
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PairRow& row = rows[i];
    if (!row.computed) continue;
    AppendCsvField(csv, inputs.Donor(row.donor).record.name);
    csv += ',';
    AppendCsvField(csv, inputs.Acceptor(row.acceptor).record.name);
    csv += ',' + RoundTripText(row.overlap_integral) + ',' + row.overlap_integral_text + ',' +
           RoundTripText(row.forster_distance) + ',' + row.forster_distance_text;
    if (with_target) {
      csv += ',' + RoundTripText(row.efficiency_at_target) + ',' +
             RoundTripText(row.distance_error) + ',' +
             RoundTripText(row.efficiency_slope_at_target);
    }
    if (extra) {
      for (const std::string& cell : extra->cells(i)) csv += ',' + cell;
    }
    csv += '\n';
  }
  return csv;
}

}  // namespace korin
