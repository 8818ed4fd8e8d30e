// The numbers behind a calculation as one CSV text, and the pieces of a
// reproducible report, from the engine's state. Qt-free: the window and the
// command-line tool write the same texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_result.h"
#include "core/fret_engine.h"
#include "report/report.h"
#include "request/fret_request.h"

namespace korin {

// Comment lines ("# ...") with the program, the files, every parameter and
// the results; a header line naming the columns and their units; then one
// row per nm where both spectra lie: the wavelength, the donor emission as
// read and normalised, the acceptor's absorbance and extinction
// coefficient, the term of J at that nm and the cumulative fraction of J.
// Precondition: the engine shows results (LastGateOutcome() == kShown).
[[nodiscard]] std::string ExportDataCsv(const FretEngine& engine);

// Everything a report holds, at `date`: the analysis figures asked for
// follow J and R0, the overlap diagnostics give the warnings, and the
// command reproduces `reproduced` (RequestOf(engine) with the analysis
// asked for). Precondition: as for ExportDataCsv; `analysis` computed
// from the engine.
[[nodiscard]] ReportContent BuildReport(const FretEngine& engine, const FretRequest& reproduced,
                                        const AnalysisResult& analysis, std::string date);

}  // namespace korin
