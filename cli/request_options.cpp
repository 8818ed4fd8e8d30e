#include "cli/request_options.h"

#include <CLI/CLI.hpp>

#include "cli/tool_messages.h"

namespace korin {
namespace {

std::size_t Index(Parameter parameter) {
  return static_cast<std::size_t>(parameter);
}

CLI::Option* Find(CLI::App& app, Parameter parameter, Command command) {
  return app.get_option_no_throw(OptionName(parameter, command));
}

}  // namespace

const std::string& OptionName(Parameter parameter, Command command) {
  const ParameterSpec& spec = SpecOf(parameter);
  return command == Command::kPairs && !spec.list_option.empty() ? spec.list_option : spec.option;
}

void AddParameterOptions(CLI::App& app, std::span<const Parameter> parameters, Command command,
                         TypedOptions& typed) {
  for (const Parameter parameter : parameters) {
    const ParameterSpec& spec = SpecOf(parameter);
    const std::string& help =
        command == Command::kPairs && !spec.list_help.empty() ? spec.list_help : spec.help;
    CLI::Option* option =
        spec.values == 1
            ? app.add_option(OptionName(parameter, command), typed.single[Index(parameter)], help)
            : app.add_option(OptionName(parameter, command), typed.pairs[Index(parameter)], help)
                  ->expected(spec.values);
    if (!spec.choices.empty()) option->check(CLI::IsMember(spec.choices, CLI::ignore_case));
    typed.added.push_back(parameter);
  }
}

void AddExclusions(CLI::App& app, Command command) {
  const auto exclude = [&](Parameter parameter, Parameter other) {
    CLI::Option* option = Find(app, parameter, command);
    CLI::Option* excluded = Find(app, other, command);
    if (option != nullptr && excluded != nullptr) option->excludes(excluded);
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
