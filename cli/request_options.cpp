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
  const ParameterSpec& spec = SpecOf(parameter);
  return command == Command::kPairs && !spec.list_option.empty() ? spec.list_option : spec.option;
}

void AddParameterOptions(OptionParser& parser, std::span<const Parameter> parameters,
                         Command command, TypedOptions& typed) {
  for (const Parameter parameter : parameters) {
    const ParameterSpec& spec = SpecOf(parameter);
    const std::string& help =
        command == Command::kPairs && !spec.list_help.empty() ? spec.list_help : spec.help;
    const std::string& name = OptionName(parameter, command);
    const OptionParser::Option option =
        spec.values == 1
            ? parser.Add(name, typed.single[Index(parameter)], help)
            : parser.AddList(name, typed.pairs[Index(parameter)], help, spec.values, spec.values);
    if (!spec.choices.empty()) parser.Choices(option, spec.choices, true);
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
    const ParameterSpec& spec = SpecOf(parameter);
    std::vector<std::string> values = typed.pairs[Index(spec.id)];
    if (const auto& single = typed.single[Index(spec.id)]) values = {*single};
    // The option parser asks for exactly as many values as the option takes.
    if (static_cast<int>(values.size()) != spec.values) continue;
    for (const ValueRefusal& refusal : Refusals(spec.id, values)) {
      ok = RefuseOption(err, OptionName(spec.id, command), refusal.text, refusal.why);
    }
    request.Set(spec.id, std::move(values));
  }
  return ok;
}

}  // namespace korin
