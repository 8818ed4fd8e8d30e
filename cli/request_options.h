// The parameters as command-line options, derived from the parameter table:
// each option's name, help and the values it accepts come from the
// parameter's row, so the tool offers exactly what a request takes.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/option_parser.h"
#include "request/fret_request.h"

namespace korin {

// The commands, which name a few options and explain several differently:
// the pair table's values apply to every listed file, and the plan names
// the pair's spectra and values by dye.
enum class Command { kSinglePair, kPairs, kPlan };

// The texts as typed, by parameter, where the option parser leaves them.
struct TypedOptions {
  std::array<std::optional<std::string>, kParameterCount> single;
  std::array<std::vector<std::string>, kParameterCount> pairs;  // MIN MAX options
  std::vector<Parameter> added;  // in the order the options were added
};

// Adds the options of `parameters` to `parser`, in that order.
void AddParameterOptions(OptionParser& parser, std::span<const Parameter> parameters,
                         Command command, TypedOptions& typed);

// The options that cannot be given together: a solvent and a refractive
// index of one's own; for the single pair also a file's filter entry and
// its columns, and a kappa^2 range and anisotropies. Call once every option
// has been added.
void AddExclusions(OptionParser& parser, Command command);

// The option of `parameter` as `command` names it.
[[nodiscard]] const std::string& OptionName(Parameter parameter, Command command);

// Sets every typed value in `request`. Each refused value is reported on
// `err` ("korin-fret-cli: --quantum-yield: '2' is not accepted; expected
// ..."), in the order the options were added, and the answer is then false.
[[nodiscard]] bool TakeTypedOptions(const TypedOptions& typed, Command command,
                                    FretRequest& request, std::ostream& err);

}  // namespace korin
