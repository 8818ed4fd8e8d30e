// The numbers behind a calculation as one CSV text, and the pieces of a
// reproducible report, from the engine's state. Qt-free: the window and the
// command-line tool write the same texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/fret_engine.h"
#include "report/report.h"

namespace korin {

// The shortest text that reads back to exactly `value`. Precondition:
// std::isfinite(value).
[[nodiscard]] std::string RoundTripText(double value);

// Comment lines ("# ...") with the program, the files, every parameter and
// the results; a header line naming the columns and their units; then one
// row per nm where both spectra lie: the wavelength, the donor emission as
// read and normalised, the acceptor's absorbance and extinction
// coefficient, the term of J at that nm and the cumulative fraction of J.
// Precondition: the engine shows results (LastGateOutcome() == kShown).
[[nodiscard]] std::string ExportDataCsv(const FretEngine& engine);

// A korin-fret-cli command line that computes the engine's results again
// from the same files, paths quoted for a POSIX shell. Precondition: both
// spectra were loaded through the open path (their origins are known).
[[nodiscard]] std::string ReproducingCommand(const FretEngine& engine);

// Everything a report holds, at `date`; `extra_results` (the analysis
// window's figures, when it is open) follow the results. Precondition: as
// for ExportDataCsv.
[[nodiscard]] ReportContent BuildReport(const FretEngine& engine, std::string date,
                                        std::vector<ReportLine> extra_results = {});

}  // namespace korin
