#include "request/engine_request.h"

#include "numeric/number_text.h"

namespace korin {
namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

// A relative path starting with "-" would read as an option: "./" keeps
// it a file name.
std::string PathWord(const std::string& path) {
  return path.starts_with('-') ? "./" + path : path;
}

// A word for a POSIX shell: as it is when it holds nothing the shell would
// read, otherwise in single quotes.
std::string ShellWord(std::string_view word) {
  constexpr std::string_view kPlain =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_./+-:=@%,";
  if (!word.empty() && word.find_first_not_of(kPlain) == std::string_view::npos) {
    return std::string(word);
  }
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

FretRequest RequestOf(const FretEngine& engine) {
  FretRequest request = PanelParameters(engine);
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    const SpectrumOrigin& origin = engine.Origin(side);
    request.Spectrum(side).path = origin.path;
    // A file read through the column import names its columns instead of
    // a filter entry.
    if (!origin.columns.empty()) {
      request.Set(ColumnsParameter(side), origin.columns);
      request.Set(UnitsParameter(side), origin.unit);
    } else if (origin.filter_entry != kFilterByExtension) {
      request.Set(FilterParameter(side), std::to_string(origin.filter_entry));
    }
  }
  return request;
}

FretRequest PanelParameters(const FretEngine& engine) {
  FretRequest request;
  const auto field = [&engine](PanelField f) { return Trimmed(engine.FieldText(f)); };
  request.Set(Parameter::kQuantumYield, field(PanelField::kQuantumYield));
  request.Set(Parameter::kOrientation, field(PanelField::kOrientation));
  request.Set(Parameter::kConcentration, field(PanelField::kConcentration));
  request.Set(Parameter::kOpticalPath, RoundTripText(engine.session().optical_path));
  const int solvent = engine.SolventIndex();
  if (solvent > 0) {
    request.Set(Parameter::kSolvent, SolventName(solvent));
  } else {
    request.Set(Parameter::kRefractiveIndex, field(PanelField::kRefractiveIndex));
  }
  if (engine.session().extinction_mode) {
    request.Set(Parameter::kExtinction, field(PanelField::kExtinction));
  }
  return request;
}

std::string ReproducingCommand(const FretRequest& request) {
  std::string command = "korin-fret-cli " + ShellWord(PathWord(request.emission.path)) + ' ' +
                        ShellWord(PathWord(request.absorption.path));
  for (const ParameterDeclaration& declared : ParameterTable()) {
    if (declared.scope == ParameterScope::kPairTable) continue;
    for (std::size_t i = 0; i < request.Values(declared.id).size(); ++i) {
      command += ' ';
      if (i == 0) command += declared.option + ' ';
      command += ShellWord(request.Values(declared.id)[i]);
    }
  }
  return command;
}

}  // namespace korin
