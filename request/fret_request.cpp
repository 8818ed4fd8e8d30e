#include "request/fret_request.h"

#include "core/parameter_tables.h"
#include "numeric/ascii_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

std::size_t Index(Parameter parameter) {
  return static_cast<std::size_t>(parameter);
}

double Number(const FretRequest& request, Parameter parameter, std::size_t i = 0) {
  double value = 0.0;
  (void)ParseReal(request.Values(parameter)[i], value);
  return value;
}

}  // namespace

std::string FretRequest::Text(Parameter parameter) const {
  const auto given = Values(parameter);
  return given.empty() ? DeclarationOf(parameter).default_text : given.front();
}

void FretRequest::Set(Parameter parameter, std::string text) {
  values[Index(parameter)] = {std::move(text)};
}

void FretRequest::Set(Parameter parameter, std::vector<std::string> texts) {
  values[Index(parameter)] = std::move(texts);
}

void FretRequest::Clear(Parameter parameter) {
  values[Index(parameter)].clear();
}

std::vector<RequestRefusal> CheckRequest(const FretRequest& request) {
  std::vector<RequestRefusal> refusals;
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (!request.Given(declared.id)) continue;
    for (ValueRefusal& refusal : Refusals(declared.id, request.Values(declared.id))) {
      refusals.push_back({declared.id, std::move(refusal)});
    }
  }
  if (request.Given(Parameter::kSolvent) && request.Given(Parameter::kRefractiveIndex)) {
    refusals.push_back({Parameter::kRefractiveIndex,
                        {request.Text(Parameter::kRefractiveIndex),
                         "a refractive index of one's own stands instead of a solvent"}});
  }
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    const Parameter filter = FilterParameter(side);
    if (request.Given(filter) && ReadsColumns(request, side)) {
      refusals.push_back(
          {filter,
           {request.Text(filter), "a file read through its columns takes no filter entry"}});
    }
  }
  return refusals;
}

int SolventOf(const FretRequest& request) {
  if (request.Given(Parameter::kRefractiveIndex)) return 0;
  const int named = SolventIndexNamed(request.Text(Parameter::kSolvent));
  return named > 0 ? named : kStartSolvent;
}

int OpticalPathOf(const FretRequest& request) {
  const int index = OpticalPathIndexTyped(request.Text(Parameter::kOpticalPath));
  return index >= 0 ? index : kStartOpticalPath;
}

int FilterEntryOf(const FretRequest& request, SpectrumSide side) {
  const Parameter filter = FilterParameter(side);
  return request.Given(filter) ? static_cast<int>(Number(request, filter)) : kFilterByExtension;
}

bool ReadsColumns(const FretRequest& request, SpectrumSide side) {
  return request.Given(ColumnsParameter(side)) || request.Given(UnitsParameter(side));
}

ColumnRequest ColumnRequestOf(const FretRequest& request, SpectrumSide side) {
  ColumnRequest columns;
  const std::string text = request.Text(ColumnsParameter(side));
  if (AsciiLowered(TrimmedBlanks(text)) != "auto") {
    // "WL,VALUE"; a lone VALUE takes its own wavelength column.
    const std::string_view typed = text;
    const auto comma = typed.find(',');
    if (comma != std::string_view::npos) {
      columns.wavelength_column = TrimmedBlanks(typed.substr(0, comma));
    }
    columns.value_column =
        TrimmedBlanks(comma == std::string_view::npos ? typed : typed.substr(comma + 1));
  }
  if (request.Given(UnitsParameter(side))) {
    columns.unit = ParseWavelengthUnit(TrimmedBlanks(request.Text(UnitsParameter(side))));
  }
  return columns;
}

AnalysisInputs AnalysisInputsOf(const FretRequest& request) {
  AnalysisInputs inputs;
  if (request.Given(Parameter::kEfficiency)) {
    inputs.efficiency = Number(request, Parameter::kEfficiency);
  }
  if (request.Given(Parameter::kDistance)) inputs.distance = Number(request, Parameter::kDistance);
  const auto error = [&](Parameter parameter, double& relative) {
    if (!request.Given(parameter)) return;
    relative = ErrorFromPercent(Number(request, parameter)).value.value_or(0.0);
    inputs.uncertainty = true;
  };
  error(Parameter::kQuantumYieldError, inputs.errors.quantum_yield);
  error(Parameter::kRefractiveIndexError, inputs.errors.refractive_index);
  error(Parameter::kExtinctionError, inputs.errors.extinction);
  if (request.Given(Parameter::kKappa2Range)) {
    inputs.uncertainty = true;
    inputs.kappa2 = Kappa2Range{Number(request, Parameter::kKappa2Range, 0),
                                Number(request, Parameter::kKappa2Range, 1)};
  }
  if (request.Given(Parameter::kAnisotropy)) {
    inputs.uncertainty = true;
    std::string message;
    inputs.kappa2 = Kappa2FromAnisotropies(Number(request, Parameter::kAnisotropy, 0),
                                           Number(request, Parameter::kAnisotropy, 1), message);
  }
  return inputs;
}

void CopyScope(const FretRequest& from, ParameterScope scope, FretRequest& to) {
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (declared.scope == scope) to.values[Index(declared.id)] = from.values[Index(declared.id)];
  }
}

}  // namespace korin
