// The two results: the spectral overlap integral J and the Foerster
// distance R0.
#pragma once

#include <optional>

#include "core/fret_session.h"
#include "core/spectrum_grid.h"

namespace korin {

// J = sum over all 1401 grid points of emission * extinction * (w in cm)^4,
// in M^-1 cm^3, for an area-normalised emission (nm^-1) and an extinction
// spectrum (M^-1 cm^-1). Each term is rounded to a double and the terms are
// summed with compensation, so the result is their sum to within about one
// rounding, in whatever order. Near the ends of the double range (terms
// near overflow, sums near underflow) each term is multiplied out in
// extended precision instead and the terms are summed one by one in
// wavelength order. Answers nothing when the sum is not a finite double (a
// product of extreme values overflows). Pure: suits batch work over pairs.
[[nodiscard]] std::optional<double> OverlapIntegralOf(const SpectrumGrid& emission,
                                                      const SpectrumGrid& extinction);

// The term of J at `wavelength` (inside the grid): emission * extinction *
// (wavelength in cm)^4, the double that OverlapIntegralOf sums there.
[[nodiscard]] double OverlapTerm(const SpectrumGrid& emission, const SpectrumGrid& extinction,
                                 int wavelength);

// OverlapIntegralOf(donor_emission, acceptor_extinction), stored in
// overlap_integral. Points outside the loaded ranges add nothing because the
// grids hold 0.0 there.
// Answers false, with overlap_integral set to 0.0, when the sum is not a
// finite double (a product of extreme values overflows); the gate then
// hides the results instead of computing R0.
[[nodiscard]] bool ComputeOverlapIntegral(FretSession& session);

// R0 = 9790 * (kappa^2 * n^-4 * Q * J)^(1/6) in angstroms, or 0.0 when J
// lies below 1e-20 (zero and negative J included). Preconditions: J
// finite; kappa^2, n and Q positive and finite. The result is then finite.
[[nodiscard]] double ForsterDistanceOf(double orientation_factor, double refractive_index,
                                       double quantum_yield, double overlap_integral);

// ForsterDistanceOf the session's parameters and stored overlap_integral.
// The engine writes it, formatted, into the result field; it is not kept.
// Preconditions: overlap_integral finite; the gate's conditions hold, so
// that refractive_index, orientation_factor and quantum_yield are positive
// and in range.
[[nodiscard]] double ForsterDistance(const FretSession& session);

}  // namespace korin
