// Normalisation of the donor emission to unit area on the 1-nm grid.
#pragma once

#include "core/fret_session.h"

namespace korin {

// Right after a read that set EmissionValid: computes EmissionArea by the
// program's area rule over EmissionFirst..EmissionLast and divides the
// spectrum by it, so that DonorEmission holds the normalised values.
//
// Answers false and clears EmissionValid when the area is not a positive
// finite number (all zeros, a single point, a spectrum negative overall, an
// area too large for a double) or when a divided value would not be finite.
// DonorEmission then keeps its raw, finite values and counts as not loaded:
// the emission series stays empty and the gate hides the results, so the
// calculation needs no branch of its own. Also answers false if
// EmissionValid is false on entry.
[[nodiscard]] bool NormalizeEmission(FretSession& session);

}  // namespace korin
