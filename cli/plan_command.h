// korin-fret-cli plan: what a pair will show on an instrument, its lasers
// and detection channels: the correction factors, each dye's brightness in
// each channel and the apparent efficiency, as text or JSON.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "plan/plan_request.h"

namespace korin {

class OptionParser;

// The plan's own parameters as options, read into a plan request: the
// plan command takes all of them, the pairs command the instrument's.
struct PlanOptionValues {
  std::array<std::optional<std::string>, kPlanParameterCount> single;
};
void AddPlanOptions(OptionParser& parser, std::span<const PlanParameter> parameters,
                    PlanOptionValues& typed, PlanRequest& request);
// Moves the typed values into `request`; each refused value is reported on
// `err`, and the answer is then false.
[[nodiscard]] bool TakePlanOptions(const PlanOptionValues& typed, PlanRequest& request,
                                   std::ostream& err);

// Runs `korin-fret-cli plan ...` (args[0] the program, args[1] "plan").
// Answers 0 with the plan written, 1 when a spectrum, a channel or a laser
// cannot be used (the reason on `err`), 2 for a bad option.
[[nodiscard]] int RunPlanCommand(std::span<const std::string> args, std::ostream& out,
                                 std::ostream& err);

}  // namespace korin
