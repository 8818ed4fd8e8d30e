#include "batch/dye_preparation.h"

#include "batch/parallel.h"
#include "core/calculation_gate.h"
#include "core/fret_engine.h"
#include "io/column_choice.h"
#include "io/column_table.h"
#include "io/spectrum_file.h"
#include "numeric/ascii_text.h"
#include "request/apply_request.h"

namespace korin {

ParameterScope ScopeOf(SpectrumSide side) {
  return side == SpectrumSide::kEmission ? ParameterScope::kDonor : ParameterScope::kAcceptor;
}

void ReadThroughColumns(DyeRecord& record, std::string_view column, std::string_view units) {
  const SpectrumSide side = record.side;
  record.values.Clear(FilterParameter(side));
  record.values.Set(ColumnsParameter(side), column.empty() ? "auto" : std::string(column));
  if (units.empty()) {
    record.values.Clear(UnitsParameter(side));
  } else {
    record.values.Set(UnitsParameter(side), AsciiLowered(units));
  }
}

DyeRecord ListedDye(SpectrumSide side, std::string path, const FretRequest& defaults) {
  DyeRecord record;
  record.side = side;
  record.name = std::string(FileNameOf(path));
  record.path = std::move(path);
  CopyScope(defaults, ScopeOf(side), record.values);
  // Columns given for the listed files stand instead of a filter entry.
  if (ReadsColumns(record.values, side)) record.values.Clear(FilterParameter(side));
  return record;
}

FretRequest DyeRequest(const DyeRecord& record, const FretRequest& shared,
                       std::optional<std::string> content) {
  FretRequest request = record.values;
  CopyScope(shared, ParameterScope::kShared, request);
  request.Spectrum(record.side) = {record.path, std::move(content)};
  return request;
}

FretRequest PairRequest(const DyeRecord& donor, const DyeRecord& acceptor,
                        const FretRequest& shared) {
  FretRequest request = DyeRequest(donor, shared);
  CopyScope(acceptor.values, ParameterScope::kAcceptor, request);
  request.absorption.path = acceptor.path;
  return request;
}

std::optional<std::string> ReadDyeFile(const std::string& path) {
  const SpectrumFile file = ReadSpectrumFile(path);
  if (!file.opened) return std::nullopt;
  return std::string(file.content());
}

std::optional<SharedValues> ReadSharedParameters(const FretRequest& shared, std::string& why) {
  FretRequest request;
  CopyScope(shared, ParameterScope::kShared, request);
  if (const std::vector<RequestRefusal> refused = CheckRequest(request); !refused.empty()) {
    why = RefusalText(refused.front().parameter, refused.front().refusal, Naming::kWords);
    return std::nullopt;
  }
  FretEngine engine;
  EnterParameters(engine, request);
  const FretSession& s = engine.session();
  if (SharedConditionsHold(s)) return SharedValues{s.orientation_factor, s.refractive_index};
  why = GateRefusal(engine, request, Naming::kWords);
  return std::nullopt;
}

DyePreparation PrepareDye(const DyeRecord& record, const FretRequest& shared,
                          const DyeReader& read) {
  DyePreparation result;
  result.error = {TableError::Kind::kSpectrum, record.path, record.name, record.line, {}, {}};
  if (const std::vector<RequestRefusal> refused = CheckRequest(DyeRequest(record, shared));
      !refused.empty()) {
    result.error.reason =
        RefusalText(refused.front().parameter, refused.front().refusal, Naming::kWords);
    return result;
  }
  // Read once: the header check and the reader both take these bytes. A
  // file that cannot be read is left to the reader, which says so.
  std::optional<std::string> content = read(record.path);
  DyeRecord taken = record;
  const SpectrumSide side = record.side;
  if (content && record.line == 0 && !ReadsColumns(record.values, side) &&
      FilterEntryOf(record.values, side) == kFilterByExtension &&
      NamesSeveralSpectra(ScanColumnTable(*content))) {
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
  result.dye = PreparedDye{std::move(taken),
                           donor ? s.donor_emission : s.acceptor_extinction,
                           donor ? s.quantum_yield : 0.0,
                           std::move(messages),
                           donor ? s.emission_first : s.absorption_first,
                           donor ? s.emission_last : s.absorption_last};
  return result;
}

std::vector<DyePreparation> PrepareDyes(std::span<const DyeRecord> records,
                                        const FretRequest& shared, int jobs,
                                        const DyeReader& read) {
  std::vector<DyePreparation> prepared(records.size());
  RunInParallel(records.size(), jobs, 1,
                [&](std::size_t i) { prepared[i] = PrepareDye(records[i], shared, read); });
  return prepared;
}

}  // namespace korin
