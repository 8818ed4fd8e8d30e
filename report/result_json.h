// A result as the command-line tool's --json writes it, for scripts: the
// numbers with their texts, the files with their ranges and the reader and
// columns of the column import, the parameters in use, and the analysis.
#pragma once

#include <string>

#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "request/apply_request.h"
#include "request/fret_request.h"

namespace korin {

// One line of JSON. Precondition: `engine` shows the result of `request`,
// applied with `outcome`; `analysis` computed from it.
[[nodiscard]] std::string ResultJson(const FretEngine& engine, const FretRequest& request,
                                     const RequestOutcome& outcome, const AnalysisResult& analysis);

}  // namespace korin
