#include "batch/dye_preparation.h"

#include "batch/parallel.h"
#include "core/calculation_gate.h"
#include "core/fret_engine.h"
#include "io/column_choice.h"
#include "io/column_table.h"
#include "io/spectrum_file.h"
#include "numeric/ascii_text.h"
#include "numeric/number_text.h"
#include "request/apply_request.h"

namespace korin {
namespace {

void SetShared(const SharedParameters& shared, FretRequest& request) {
  request.Set(Parameter::kOrientation, shared.orientation);
  if (shared.solvent == 0) {
    request.Set(Parameter::kRefractiveIndex, shared.refractive_index);
  } else {
    request.Set(Parameter::kSolvent, SolventName(shared.solvent));
  }
}

// The record's own values: its file's reader or columns, and the values
// of its side.
void SetOwn(const DyeRecord& record, FretRequest& request) {
  const SpectrumSide side = record.side;
  request.Spectrum(side).path = record.path;
  if (record.value_column) {
    request.Set(ColumnsParameter(side),
                record.value_column->empty() ? "auto" : *record.value_column);
    if (!record.units.empty()) request.Set(UnitsParameter(side), record.units);
  } else if (record.filter_entry != kFilterByExtension) {
    request.Set(FilterParameter(side), std::to_string(record.filter_entry));
  }
  if (side == SpectrumSide::kEmission) {
    request.Set(Parameter::kQuantumYield, record.quantum_yield);
    return;
  }
  request.Set(Parameter::kConcentration, record.concentration);
  request.Set(
      Parameter::kOpticalPath,
      RoundTripText(kOpticalPathTable[static_cast<std::size_t>(record.optical_path)].centimetres));
  if (record.extinction) request.Set(Parameter::kExtinction, *record.extinction);
}

bool OnOpticalPathList(int index) {
  return index >= 0 && index < static_cast<int>(kOpticalPathTable.size());
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

FretRequest DyeRequest(const DyeRecord& record, const SharedParameters& shared,
                       std::optional<std::string> content) {
  FretRequest request;
  SetShared(shared, request);
  SetOwn(record, request);
  request.Spectrum(record.side).content = std::move(content);
  return request;
}

FretRequest PairRequest(const DyeRecord& donor, const DyeRecord& acceptor,
                        const SharedParameters& shared) {
  FretRequest request;
  SetShared(shared, request);
  SetOwn(donor, request);
  SetOwn(acceptor, request);
  return request;
}

std::optional<std::string> ReadDyeFile(const std::string& path) {
  const SpectrumFile file = ReadSpectrumFile(path);
  if (!file.opened) return std::nullopt;
  return std::string(file.content());
}

std::optional<SharedValues> ReadSharedParameters(const SharedParameters& shared, std::string& why) {
  if (shared.solvent < 0 || shared.solvent >= static_cast<int>(kSolventTable.size())) {
    why = "the solvent list has no entry " + std::to_string(shared.solvent);
    return std::nullopt;
  }
  FretRequest request;
  SetShared(shared, request);
  FretEngine engine;
  EnterParameters(engine, request);
  const FretSession& s = engine.session();
  if (SharedConditionsHold(s)) return SharedValues{s.orientation_factor, s.refractive_index};
  why = GateRefusal(engine, request, Naming::kWords);
  return std::nullopt;
}

DyePreparation PrepareDye(const DyeRecord& record, const SharedParameters& shared,
                          const DyeReader& read) {
  DyePreparation result;
  result.error = {TableError::Kind::kSpectrum, record.path, record.name, record.line, {}, {}};
  if (record.side == SpectrumSide::kAbsorption && !OnOpticalPathList(record.optical_path)) {
    result.error.reason =
        "the optical-path list has no entry " + std::to_string(record.optical_path);
    return result;
  }
  // Read once: the header check and the reader both take these bytes. A
  // file that cannot be read is left to the reader, which says so.
  std::optional<std::string> content = read(record.path);
  DyeRecord taken = record;
  if (content && record.line == 0 && record.filter_entry == kFilterByExtension &&
      !record.value_column && NamesSeveralSpectra(ScanColumnTable(*content))) {
    ReadThroughColumns(taken, "", "");
  }
  const FretRequest request = DyeRequest(taken, shared, std::move(content));

  std::vector<std::string> messages;
  RequestHooks hooks;
  hooks.messages = [&messages](std::string_view message) { messages.emplace_back(message); };
  std::string refused;
  hooks.opened = [&](SpectrumSide, const LoadOutcome& outcome) {
    if (outcome.kind != LoadOutcome::Kind::kAccepted) {
      refused = outcome.reason;
      return;
    }
    // Read, but the user should know: the wrong column, rows passed over.
    for (const std::string& warning : outcome.warnings) messages.push_back("Warning: " + warning);
  };
  FretEngine engine;
  (void)ApplyRequest(engine, request, hooks);
  const FretSession& s = engine.session();
  const bool donor = record.side == SpectrumSide::kEmission;
  const bool in_use = donor ? DonorConditionsHold(s) : AcceptorConditionsHold(s);
  if (!in_use) {
    result.error.reason = refused.empty() ? GateRefusal(engine, request, Naming::kWords) : refused;
    result.error.messages = std::move(messages);
    return result;
  }
  result.dye = PreparedDye{std::move(taken), donor ? s.donor_emission : s.acceptor_extinction,
                           donor ? s.quantum_yield : 0.0, std::move(messages)};
  return result;
}

std::vector<DyePreparation> PrepareDyes(std::span<const DyeRecord> records,
                                        const SharedParameters& shared, int jobs,
                                        const DyeReader& read) {
  std::vector<DyePreparation> prepared(records.size());
  RunInParallel(records.size(), jobs, 1,
                [&](std::size_t i) { prepared[i] = PrepareDye(records[i], shared, read); });
  return prepared;
}

}  // namespace korin
