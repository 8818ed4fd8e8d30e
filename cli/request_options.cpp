#include "cli/request_options.h"

#include <array>
#include <utility>

#include "cli/tool_messages.h"

namespace korin {
namespace {

std::size_t Index(Parameter parameter) {
  return static_cast<std::size_t>(parameter);
}

// The plan has four spectra and two of each value: the pair's are named by
// their dye.
const std::string* PlanOptionName(Parameter parameter) {
  static const std::array<std::pair<Parameter, std::string>, 6> names{{
      {Parameter::kQuantumYield, "--donor-quantum-yield"},
      {Parameter::kExtinction, "--acceptor-extinction"},
      {Parameter::kEmissionColumns, "--donor-emission-columns"},
      {Parameter::kEmissionUnits, "--donor-emission-units"},
      {Parameter::kAbsorptionColumns, "--acceptor-absorption-columns"},
      {Parameter::kAbsorptionUnits, "--acceptor-absorption-units"},
  }};
  for (const auto& [named, name] : names) {
    if (named == parameter) return &name;
  }
  return nullptr;
}

}  // namespace

const std::string& OptionName(Parameter parameter, Command command) {
  if (command == Command::kPlan) {
    if (const std::string* name = PlanOptionName(parameter)) return *name;
  }
  const ParameterDeclaration& declared = DeclarationOf(parameter);
  return command == Command::kPairs && !declared.list_option.empty() ? declared.list_option
                                                                     : declared.option;
}

void AddParameterOptions(OptionParser& parser, std::span<const Parameter> parameters,
                         Command command, TypedOptions& typed) {
  for (const Parameter parameter : parameters) {
    const ParameterDeclaration& declared = DeclarationOf(parameter);
    const std::string& help = command == Command::kPairs && !declared.list_help.empty()
                                  ? declared.list_help
                                  : declared.help;
    const std::string& name = OptionName(parameter, command);
    const OptionParser::Option option =
        declared.values == 1 ? parser.Add(name, typed.single[Index(parameter)], help)
                             : parser.AddList(name, typed.pairs[Index(parameter)], help,
                                              declared.values, declared.values);
    if (!declared.choices.empty()) parser.Choices(option, declared.choices, true);
    typed.added.push_back(parameter);
  }
}

void AddExclusions(OptionParser& parser, Command command) {
  const auto exclude = [&](Parameter parameter, Parameter other) {
    const auto option = parser.Find(OptionName(parameter, command));
    const auto excluded = parser.Find(OptionName(other, command));
    if (option && excluded) parser.Excludes(*option, *excluded);
  };
  exclude(Parameter::kRefractiveIndex, Parameter::kSolvent);
  if (command != Command::kSinglePair) return;
  for (const SpectrumSide side : {SpectrumSide::kEmission, SpectrumSide::kAbsorption}) {
    exclude(ColumnsParameter(side), FilterParameter(side));
    exclude(UnitsParameter(side), FilterParameter(side));
  }
  exclude(Parameter::kAnisotropy, Parameter::kKappa2Range);
}

bool TakeTypedOptions(const TypedOptions& typed, Command command, FretRequest& request,
                      std::ostream& err) {
  bool ok = true;
  for (const Parameter parameter : typed.added) {
    const ParameterDeclaration& declared = DeclarationOf(parameter);
    std::vector<std::string> values = typed.pairs[Index(declared.id)];
    if (const auto& single = typed.single[Index(declared.id)]) values = {*single};
    // The option parser asks for exactly as many values as the option takes.
    if (static_cast<int>(values.size()) != declared.values) continue;
    for (const ValueRefusal& refusal : Refusals(declared.id, values)) {
      ok = RefuseOption(err, OptionName(declared.id, command), refusal.text, refusal.why);
    }
    request.Set(declared.id, std::move(values));
  }
  return ok;
}

}  // namespace korin
