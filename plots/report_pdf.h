// The reproducible report as one A4 page of PDF: what was read, with which
// parameters, what came out, the energy-transfer plot and the command line
// that computes the same numbers again.
#pragma once

#include <QString>

#include "report/report.h"

namespace korin {

class FormWindow;

// One A4 portrait page: the title and date, the input files (each with its
// path, reader, range and SHA-256, the hash always in full), the parameters
// and the results as label/value columns, the warnings, `plot`'s client
// area as vectors at its on-screen proportions, and the command line in a
// fixed-pitch font wrapped to the page. Text stays text. Written through a
// temporary file that replaces `path` only once complete; answers an empty
// string on success, otherwise the reason with the path, as ExportForm does.
[[nodiscard]] QString WriteReportPdf(const ReportContent& report, FormWindow& plot,
                                     const QString& path);

}  // namespace korin
