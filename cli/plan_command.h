// korin-fret-cli plan: what a pair will show on an instrument, its lasers
// and detection channels: the correction factors, each dye's brightness in
// each channel and the apparent efficiency, as text or JSON.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace korin {

// Runs `korin-fret-cli plan ...` (args[0] the program, args[1] "plan").
// Answers 0 with the plan written, 1 when a spectrum, a channel or a laser
// cannot be used (the reason on `err`), 2 for a bad option.
[[nodiscard]] int RunPlanCommand(std::span<const std::string> args, std::ostream& out,
                                 std::ostream& err);

}  // namespace korin
