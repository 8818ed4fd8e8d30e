// One calculation asked for: both spectra's sources and every parameter as
// typed. The command-line tool, the pair table, the window's loading of a
// pair, the drawing companion and the tests all build one and apply it to
// an engine (apply_request.h); it travels as JSON (request_json.h).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis_result.h"
#include "core/grid_spectrum.h"
#include "io/column_reader.h"
#include "request/parameters.h"

namespace korin {

// Where a spectrum's bytes come from.
struct SpectrumRequest {
  std::string path;                    // the file; with `content`, the name its bytes go by
  std::optional<std::string> content;  // the bytes, when given rather than read from `path`

  [[nodiscard]] bool Given() const { return !path.empty() || content.has_value(); }
  bool operator==(const SpectrumRequest&) const = default;
};

struct FretRequest {
  SpectrumRequest emission;    // the donor's
  SpectrumRequest absorption;  // the acceptor's
  // Each parameter's values as typed, by Parameter; empty where it is not
  // given, so that its default stands.
  std::array<std::vector<std::string>, kParameterCount> values;

  [[nodiscard]] SpectrumRequest& Spectrum(SpectrumSide side) {
    return side == SpectrumSide::kEmission ? emission : absorption;
  }
  [[nodiscard]] const SpectrumRequest& Spectrum(SpectrumSide side) const {
    return side == SpectrumSide::kEmission ? emission : absorption;
  }
  [[nodiscard]] bool Given(Parameter parameter) const { return !Values(parameter).empty(); }
  [[nodiscard]] std::span<const std::string> Values(Parameter parameter) const {
    return values[static_cast<std::size_t>(parameter)];
  }
  // The (first) value as typed, or else the parameter's default ("" for
  // none).
  [[nodiscard]] std::string Text(Parameter parameter) const;
  void Set(Parameter parameter, std::string text);
  void Set(Parameter parameter, std::vector<std::string> texts);
  void Clear(Parameter parameter);

  bool operator==(const FretRequest&) const = default;
};

// A value the request gives that its parameter does not accept, or a
// combination it cannot take (a solvent and a refractive index of one's
// own, a filter entry and the column import for one file).
struct RequestRefusal {
  Parameter parameter;
  ValueRefusal refusal;
};

// Every refusal, in Parameter order; empty for a request that may be
// applied.
[[nodiscard]] std::vector<RequestRefusal> CheckRequest(const FretRequest& request);

// The values of a request CheckRequest accepts, as the panel takes them.
// The index into kSolventTable: 0, "<Other>", with a refractive index of
// one's own.
[[nodiscard]] int SolventOf(const FretRequest& request);
// The index into kOpticalPathTable.
[[nodiscard]] int OpticalPathOf(const FretRequest& request);
// The side's open-dialog filter entry (kFilterByExtension unless given).
[[nodiscard]] int FilterEntryOf(const FretRequest& request, SpectrumSide side);
// Whether the side's file is read through the column import: its columns
// or its unit are given.
[[nodiscard]] bool ReadsColumns(const FretRequest& request, SpectrumSide side);
// The column import's request for the side: the columns as typed ("WL,VALUE"
// or "VALUE"; "auto", any case, leaves the choice to the header) and the
// unit, the header's where none is given.
[[nodiscard]] ColumnRequest ColumnRequestOf(const FretRequest& request, SpectrumSide side);
// What the analysis is asked.
[[nodiscard]] AnalysisInputs AnalysisInputsOf(const FretRequest& request);
// The parameters of `scope` copied from `from` into `to` (what `to` gives of
// that scope is replaced).
void CopyScope(const FretRequest& from, ParameterScope scope, FretRequest& to);

}  // namespace korin
