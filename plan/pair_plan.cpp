#include "plan/pair_plan.h"

#include "batch/dye_preparation.h"
#include "core/fret_analysis.h"
#include "io/column_choice.h"
#include "io/column_table.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

double Number(std::string_view text) {
  double value = 0.0;
  (void)ParseReal(text, value);
  return value;
}

std::optional<std::string> Given(const PlanRequest& request, PlanParameter parameter) {
  if (!request.Given(parameter)) return std::nullopt;
  return request.Values(parameter).front();
}

// A dye's other spectrum with its value (an acceptor's quantum yield), or
// the reason there is none.
struct Second {
  std::optional<PlanSpectrum> spectrum;
  double quantum_yield = 0.0;
  std::string refusal;
};

Second PrepareSecond(const PreparedDye& dye, const PlanRequest& instrument,
                     const PlanFileReader& read) {
  const DyeRecord& record = dye.record;
  const bool donor = record.side == SpectrumSide::kEmission;
  const SpectrumSide other = donor ? SpectrumSide::kAbsorption : SpectrumSide::kEmission;
  const std::string what = donor ? "donor absorption" : "acceptor emission";
  Second second;
  const std::optional<std::string> value =
      !record.second.value.empty()
          ? std::optional<std::string>(record.second.value)
          : Given(instrument,
                  donor ? PlanParameter::kDonorExtinction : PlanParameter::kAcceptorQuantumYield);
  if (!value) {
    second.refusal = donor ? "the donor absorption needs a peak coefficient: --donor-extinction, "
                             "or the row's extinction"
                           : "the acceptor emission needs a quantum yield: "
                             "--acceptor-quantum-yield, or the row's quantum_yield";
    return second;
  }
  DyeRecord other_record = ListedDye(other, record.second.path, FretRequest{});
  other_record.values = FretRequest{};
  if (donor) other_record.values.Set(Parameter::kExtinction, *value);
  std::optional<std::string> content;
  if (record.second.path.empty()) {
    // Its own file, when its header names its other spectrum too.
    content = read(record.path);
    if (!content || !NamesSeveralSpectra(ScanColumnTable(*content))) {
      second.refusal = "no " + what + " is named for it (second_file)";
      return second;
    }
    other_record.path = record.path;
    ReadThroughColumns(other_record, "", "");
  } else if (!record.second.column.empty() || !record.second.units.empty()) {
    ReadThroughColumns(other_record, record.second.column, record.second.units);
  }
  const DyeReader reader = [&](const std::string& path) -> std::optional<std::string> {
    return content ? content : read(path);
  };
  const DyePreparation prepared = PrepareDye(other_record, FretRequest{}, reader);
  if (!prepared.dye) {
    second.refusal = "its " + what + " is not accepted: " + prepared.error.reason;
    return second;
  }
  second.spectrum = PlanSpectrum{prepared.dye->grid, prepared.dye->first, prepared.dye->last};
  if (!donor) second.quantum_yield = Number(*value);
  return second;
}

// The dye stays in the table; only its pairs go without a plan.
TableError DyeRefusal(const PreparedDye& dye, std::string reason) {
  return {TableError::Kind::kPair,
          dye.record.path,
          dye.record.name,
          dye.record.line,
          "no plan: " + std::move(reason),
          {}};
}

}  // namespace

bool AsksForPlan(const PlanRequest& request) {
  return request.Given(PlanParameter::kDonorLaser);
}

PairPlan PlanPairs(const PairRun& run, std::span<const PairRow> rows, const PlanRequest& instrument,
                   std::optional<double> target, const PlanFileReader& read) {
  PairPlan plan;
  plan.rows.resize(rows.size());
  PlanInstrument base;
  for (const auto& [parameter, name, grid] :
       {std::tuple{PlanParameter::kDonorChannel, "donor channel", &base.donor_channel},
        std::tuple{PlanParameter::kAcceptorChannel, "acceptor channel", &base.acceptor_channel}}) {
    const Channel channel = BuildChannel(instrument.Values(parameter), name, read);
    if (!channel.refusal.empty()) {
      plan.refused.push_back({TableError::Kind::kPair, {}, "the plan", 0, channel.refusal, {}});
      return plan;
    }
    *grid = channel.transmission;
  }
  base.donor_laser = Number(instrument.Values(PlanParameter::kDonorLaser).front());
  if (const auto laser = Given(instrument, PlanParameter::kAcceptorLaser)) {
    base.acceptor_laser = Number(*laser);
  }

  const PairInputs& inputs = run.inputs;
  const auto prepare = [&](std::span<const PreparedDye* const> dyes) {
    std::vector<Second> seconds;
    for (const PreparedDye* dye : dyes) {
      seconds.push_back(PrepareSecond(*dye, instrument, read));
      if (!seconds.back().spectrum)
        plan.refused.push_back(DyeRefusal(*dye, seconds.back().refusal));
    }
    return seconds;
  };
  const std::vector<Second> donors = prepare(inputs.donors);
  const std::vector<Second> acceptors = prepare(inputs.acceptors);

  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PairRow& row = rows[i];
    const Second& donor = donors[row.donor];
    const Second& acceptor = acceptors[row.acceptor];
    if (!row.computed || !donor.spectrum || !acceptor.spectrum) continue;
    const PreparedDye& d = inputs.Donor(row.donor);
    const PreparedDye& a = inputs.Acceptor(row.acceptor);
    const PlanSpectra spectra{
        {d.grid, d.first, d.last}, *donor.spectrum, *acceptor.spectrum, {a.grid, a.first, a.last}};
    PlanInstrument pair = base;
    pair.donor_quantum_yield = d.quantum_yield;
    pair.acceptor_quantum_yield = acceptor.quantum_yield;
    const PlanFiguresOrRefusal figures = ComputePlan(spectra, pair);
    if (!figures.figures) {
      plan.refused.push_back({TableError::Kind::kPair,
                              {},
                              d.record.name + " + " + a.record.name,
                              0,
                              figures.refusal,
                              {}});
      continue;
    }
    PairPlanColumns& columns = plan.rows[i];
    columns.planned = true;
    columns.leakage = figures.figures->factors.leakage;
    columns.direct_excitation = figures.figures->factors.direct_excitation;
    columns.gamma = figures.figures->factors.gamma;
    if (target) {
      const double e =
          row.forster_distance > 0.0 ? TransferEfficiency(*target, row.forster_distance) : 0.0;
      columns.apparent_at_target = ApparentEfficiency(figures.figures->lines, e);
    }
  }
  return plan;
}

}  // namespace korin
