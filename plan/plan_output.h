// A plan as the command-line tool writes it: text lines, or one line of
// JSON for scripts.
#pragma once

#include <string>

#include "plan/plan_request.h"

namespace korin {

// Precondition: outcome.refusal is empty.
[[nodiscard]] std::string PlanLines(const PlanOutcome& outcome);
[[nodiscard]] std::string PlanJson(const PlanOutcome& outcome);

}  // namespace korin
