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
  // concentration_valid is false: extinction_valid was set, the grid and
  // extinction_max kept their values. Leave the field and the series empty.
  kNoConcentration,
  // acceptor_extinction and extinction_max are new: write extinction_max into
  // the field and plot the grid over the absorption range.
  kDerived,
  // Some value would not be a finite double (a huge absorbance over a tiny
  // concentration): nothing was derived and extinction_valid is false. Leave
  // the field and the series empty; inside the gate, hide the results.
  kNotFinite,
};

// Concentration mode: acceptor_extinction[w] = acceptor_absorbance[w] /
// concentration / optical_path over first..last, and extinction_max = the
// largest positive value, or 0.0 when none is positive. Sets
// extinction_valid (also when the concentration is not valid).
// Preconditions: 100 <= first <= last <= 1500 (callers pass the absorption
// range while absorption_valid); optical_path > 0.
[[nodiscard]] ConcentrationDerivation ExtinctionFromConcentration(FretSession& session, int first,
                                                                  int last);

// Extinction mode, once a typed coefficient has been stored in
// extinction_max and accepted: scales the absorbance over the absorption
// range so that its largest positive value becomes exactly extinction_max.
// Answers true and sets extinction_valid when it did; then run the gate and
// plot the grid. Answers false, with extinction_valid false and the grid
// untouched, when no absorption spectrum is loaded, when no absorbance is
// positive (there is nothing to scale to), or when a scaled value would not
// be a finite double; then hide the results.
[[nodiscard]] bool RescaleExtinction(FretSession& session);

}  // namespace korin
