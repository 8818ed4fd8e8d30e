#include "batch/pair_table.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <utility>

#include "core/calculation_gate.h"
#include "core/forster.h"
#include "core/fret_analysis.h"
#include "core/parameter_ranges.h"
#include "numeric/decimal_bound.h"
#include "numeric/number_text.h"
#include "report/data_export.h"

namespace korin {
namespace {

// The digits the panel writes the peak coefficient with.
constexpr int kCoefficientDigits = 15;

std::string Refused(std::string_view what, std::string_view text, const ParameterRange& range) {
  return "the " + std::string(what) + " '" + std::string(text) + "' is not accepted; expected " +
         std::string(range.accepted);
}

// Runs `work(i)` for every i below `count` on up to `jobs` threads, each
// taking the next block of `block` indexes as it becomes free.
template <typename Work>
void RunInParallel(std::size_t count, int jobs, std::size_t block, const Work& work) {
  const std::size_t blocks = (count + block - 1) / block;
  const std::size_t threads =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), blocks);
  std::atomic<std::size_t> next{0};
  const auto run = [&] {
    for (std::size_t b; (b = next.fetch_add(1, std::memory_order_relaxed)) < blocks;) {
      const std::size_t end = std::min(count, (b + 1) * block);
      for (std::size_t i = b * block; i < end; ++i) work(i);
    }
  };
  if (threads <= 1) {
    run();
    return;
  }
  std::vector<std::jthread> helpers;
  helpers.reserve(threads - 1);
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  run();
}

// The panel's start, then what every spectrum of the table shares and what
// it has of its own, typed and chosen in the command-line tool's order.
void TypeParameters(FretEngine& engine, const SharedParameters& shared, const DyeRecord& record) {
  engine.Start();
  engine.ChooseSolvent(shared.solvent);
  if (shared.solvent == 0) engine.EditField(PanelField::kRefractiveIndex, shared.refractive_index);
  engine.ChooseOpticalPath(record.optical_path);
  engine.EditField(PanelField::kOrientation, shared.orientation);
  engine.EditField(PanelField::kQuantumYield, record.quantum_yield);
  engine.EditField(PanelField::kConcentration, record.concentration);
}

// Extinction entry: the coefficient typed. Once both spectra stand, the
// gate writes the coefficient back in the general format and, when that
// text differs ("8e4" becomes "80000"), runs again on it, so the pair's J
// comes from the rewritten value; with the acceptor alone the gate stops
// earlier, and the rewrite is typed here instead.
void TypeCoefficient(FretEngine& engine, const std::string& text) {
  engine.SetExtinctionEntry(true);
  engine.EditField(PanelField::kExtinction, text);
  // The general format of a value read from it is that text again, so a
  // second rewrite never differs; the bound only guards the loop.
  for (int rewrites = 0; rewrites < 3 && engine.session().extinction_valid; ++rewrites) {
    const std::string written = FormatGeneral(engine.session().extinction_max, kCoefficientDigits);
    if (written == engine.FieldText(PanelField::kExtinction)) break;
    engine.EditField(PanelField::kExtinction, written);
  }
}

std::string DonorRefusal(const FretSession& s, const DyeRecord& record) {
  if (!s.quantum_yield_valid)
    return Refused("quantum yield", record.quantum_yield, ranges::kQuantumYield);
  if (!s.emission_valid) return "the emission is not in use";
  return "the quantum yield must exceed 1E-7 for the calculation";
}

std::string AcceptorRefusal(const FretSession& s, const DyeRecord& record) {
  if (!s.concentration_valid) {
    return Refused("concentration", record.concentration, ranges::kConcentration);
  }
  if (!Exceeds(s.concentration, bounds::kGateMinConcentration)) {
    return "the concentration must exceed 1E-10 mol/L for the calculation";
  }
  if (!s.absorption_valid) return "the absorption is not in use";
  if (record.extinction) {
    double value = 0.0;
    if (!ReadInRange(*record.extinction, ranges::kExtinction, value)) {
      return Refused("extinction coefficient", *record.extinction, ranges::kExtinction);
    }
    return "the absorbance cannot be scaled to the extinction coefficient: it has no positive "
           "value, or the scaled values lie beyond the range of a double";
  }
  return "no extinction spectrum can be derived from this absorbance";
}

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

void ReadThroughColumns(DyeRecord& record, std::string_view column, std::string_view units) {
  record.value_column = AsciiLowered(column) == "auto" ? "" : std::string(column);
  record.units = AsciiLowered(units);
  record.filter_entry = 0;
}

DyeRecord ListedDye(SpectrumSide side, std::string path, const DyeDefaults& defaults) {
  DyeRecord record;
  record.side = side;
  record.name = std::string(FileNameOf(path));
  record.path = std::move(path);
  record.filter_entry =
      side == SpectrumSide::kEmission ? defaults.emission_filter : defaults.absorption_filter;
  record.quantum_yield = defaults.quantum_yield;
  record.concentration = defaults.concentration;
  record.optical_path = defaults.optical_path;
  record.extinction = defaults.extinction;
  return record;
}

// --- Preparation ---------------------------------------------------------------

std::optional<SharedValues> ReadSharedParameters(const SharedParameters& shared, std::string& why) {
  if (shared.solvent < 0 || shared.solvent >= static_cast<int>(kSolventTable.size())) {
    why = "the solvent list has no entry " + std::to_string(shared.solvent);
    return std::nullopt;
  }
  FretEngine engine;
  TypeParameters(engine, shared, DyeRecord{});
  const FretSession& s = engine.session();
  if (SharedConditionsHold(s)) return SharedValues{s.orientation_factor, s.refractive_index};
  if (!s.orientation_valid) {
    why = Refused("orientation factor", shared.orientation, ranges::kOrientation);
  } else if (!s.refractive_index_valid) {
    why = Refused("refractive index", shared.refractive_index, ranges::kRefractiveIndex);
  } else {
    why = "the refractive index must exceed 1E-4 for the calculation";
  }
  return std::nullopt;
}

DyePreparation PrepareDye(const DyeRecord& record, const SharedParameters& shared,
                          const SpectrumOpener& open) {
  DyePreparation result;
  result.error = {TableError::Kind::kSpectrum, record.path, record.name, record.line, {}, {}};
  if (record.optical_path < 0 ||
      record.optical_path >= static_cast<int>(kOpticalPathTable.size())) {
    result.error.reason =
        "the optical-path list has no entry " + std::to_string(record.optical_path);
    return result;
  }
  FretEngine engine;
  TypeParameters(engine, shared, record);
  OpenReport report = open(engine, record);
  if (!report.in_use) {
    result.error.reason = std::move(report.reason);
    result.error.messages = std::move(report.messages);
    return result;
  }
  const FretSession& s = engine.session();
  if (record.side == SpectrumSide::kEmission) {
    if (!DonorConditionsHold(s)) {
      result.error.reason = DonorRefusal(s, record);
      result.error.messages = std::move(report.messages);
      return result;
    }
    result.dye = PreparedDye{record, s.donor_emission, s.quantum_yield, std::move(report.messages)};
    return result;
  }
  if (record.extinction) TypeCoefficient(engine, *record.extinction);
  if (!AcceptorConditionsHold(s)) {
    result.error.reason = AcceptorRefusal(s, record);
    result.error.messages = std::move(report.messages);
    return result;
  }
  result.dye = PreparedDye{record, s.acceptor_extinction, 0.0, std::move(report.messages)};
  return result;
}

std::vector<DyePreparation> PrepareDyes(std::span<const DyeRecord> records,
                                        const SharedParameters& shared, const SpectrumOpener& open,
                                        int jobs) {
  std::vector<DyePreparation> prepared(records.size());
  RunInParallel(records.size(), jobs, 1,
                [&](std::size_t i) { prepared[i] = PrepareDye(records[i], shared, open); });
  return prepared;
}

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

std::string PairTableCsv(std::span<const PairRow> rows, const PairInputs& inputs,
                         bool with_target) {
  std::string csv =
      "donor,acceptor,overlap_integral,overlap_integral_text,forster_distance,"
      "forster_distance_text";
  csv += with_target ? ",efficiency_at_target,distance_error\n" : "\n";
  for (const PairRow& row : rows) {
    if (!row.computed) continue;
    AppendCsvField(csv, inputs.Donor(row.donor).record.name);
    csv += ',';
    AppendCsvField(csv, inputs.Acceptor(row.acceptor).record.name);
    csv += ',' + RoundTripText(row.overlap_integral) + ',' + row.overlap_integral_text + ',' +
           RoundTripText(row.forster_distance) + ',' + row.forster_distance_text;
    if (with_target) {
      csv +=
          ',' + RoundTripText(row.efficiency_at_target) + ',' + RoundTripText(row.distance_error);
    }
    csv += '\n';
  }
  return csv;
}

}  // namespace korin
