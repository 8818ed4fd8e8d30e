// Normalisation of the donor emission to unit area on the 1-nm grid.
#pragma once

#include "core/fret_session.h"

namespace korin {

// Right after a read that set emission_valid: computes emission_area by the
// program's area rule over emission_first..emission_last and divides the
// spectrum by it, so that donor_emission holds the normalised values.
//
// Answers false and clears emission_valid when the area is not a positive
// finite number (all zeros, a single point, a spectrum negative overall, an
// area too large for a double) or when a divided value would not be finite.
// donor_emission then keeps its raw, finite values and counts as not loaded:
// the emission series stays empty and the gate hides the results, so the
// calculation needs no branch of its own. Also answers false if
// emission_valid is false on entry.
[[nodiscard]] bool NormalizeEmission(FretSession& session);

}  // namespace korin
