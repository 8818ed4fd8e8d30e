// The acceptor's molar extinction spectrum, derived from the absorbance in
// one of two ways: from the concentration and optical path (Beer-Lambert),
// or by scaling the absorbance to a typed peak coefficient.
#pragma once

#include "core/fret_session.h"

namespace korin {

// What ExtinctionFromConcentration did, so that the window knows what to
// show afterwards.
enum class ConcentrationDerivation {
  // Extinction mode: nothing changed; the typed coefficient rules.
  kExtinctionMode,
  // ConcentrationValid is false: ExtinctionValid was set, the grid and
  // ExtinctionMax kept their values. Leave the field and the series empty.
  kNoConcentration,
  // AcceptorExtinction and ExtinctionMax are new: write ExtinctionMax into
  // the field and plot the grid over the absorption range.
  kDerived,
  // Some value would not be a finite double (a huge absorbance over a tiny
  // concentration): nothing was derived and ExtinctionValid is false. Leave
  // the field and the series empty; inside the gate, hide the results.
  kNotFinite,
};

// Concentration mode: AcceptorExtinction[w] = AcceptorAbsorbance[w] /
// Concentration / OpticalPath over first..last, and ExtinctionMax = the
// largest positive value, or 0.0 when none is positive. Sets
// ExtinctionValid (also when the concentration is not valid).
// Preconditions: 100 <= first <= last <= 1500 (callers pass the absorption
// range while AbsorptionValid); OpticalPath > 0.
[[nodiscard]] ConcentrationDerivation ExtinctionFromConcentration(FretSession& session, int first,
                                                                  int last);

// Extinction mode, once a typed coefficient has been stored in
// ExtinctionMax and accepted: scales the absorbance over the absorption
// range so that its largest positive value becomes exactly ExtinctionMax.
// Answers true and sets ExtinctionValid when it did; then run the gate and
// plot the grid. Answers false, with ExtinctionValid false and the grid
// untouched, when no absorption spectrum is loaded, when no absorbance is
// positive (there is nothing to scale to), or when a scaled value would not
// be a finite double; then hide the results.
[[nodiscard]] bool RescaleExtinction(FretSession& session);

}  // namespace korin
