// The results and the analysis figures as text: the command-line tool's
// lines and a report's result lines, formatted from the one analysis value.
#pragma once

#include <string>
#include <vector>

#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "report/report.h"

namespace korin {

// The command-line tool's output for a result the engine shows: the two
// result lines in the result fields' formats, then one line per figure
// asked for:
//   Overlap Integral: 3.1962E-13 M^-1 cm^3
//   Ro [Angstroms]: 55.6500
//   Distance at E = 0.5 [Angstroms]: 55.652 (5.5652 nm)
//   Efficiency at 40 Angstroms: 0.87884
//   Ro range [Angstroms]: 44.329 to 73.430
//   Ro spread: orientation factor 89.7 %, quantum yield 3.2 %, ...
[[nodiscard]] std::string ResultLines(const FretEngine& engine, const AnalysisResult& analysis);

// The figures asked for, as a report's result lines.
[[nodiscard]] std::vector<ReportLine> AnalysisReportLines(const AnalysisResult& analysis);

}  // namespace korin
