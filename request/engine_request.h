// The panel's state as a request, and the command line that computes it
// again: what a report records so that a colleague gets the same numbers.
#pragma once

#include <string>

#include "core/fret_engine.h"
#include "request/fret_request.h"

namespace korin {

// The panel's parameters as a request: the fields' texts and the lists'
// choices, with the coefficient only in extinction entry. No spectrum.
[[nodiscard]] FretRequest PanelParameters(const FretEngine& engine);

// The request that ApplyRequest turns into what `engine` holds now: the
// panel's parameters and the files as their origins name them, with the
// filter entry or the columns they were read through. The analysis is not
// part of the panel: a caller adds what it asked. Precondition: both
// spectra were loaded through the open path.
[[nodiscard]] FretRequest RequestOf(const FretEngine& engine);

// A korin-fret-cli command line that computes `request` again: both files,
// then every parameter the request gives, in the table's order, each word
// quoted for a POSIX shell where it must be. Settings of the pair table
// alone are left out.
[[nodiscard]] std::string ReproducingCommand(const FretRequest& request);

}  // namespace korin
