// The one calculation state of the program: the spectra on the 1-nm grid,
// their ranges, the five physical parameters, the validity flags and the
// last overlap integral.
#pragma once

#include <cstdint>

#include "core/spectrum_grid.h"

namespace korin {

// Fields are public and named as the whole program names them: readers,
// the parameter panel and the calculation routines write them directly.
struct FretSession {
  // Raw intensities right after a read; area-normalised (nm^-1) once the
  // emission has been normalised.
  SpectrumGrid donor_emission;
  // Molar extinction coefficient in M^-1 cm^-1, derived from the absorbance.
  SpectrumGrid acceptor_extinction;
  // Absorbance as read; never changed after the read.
  SpectrumGrid acceptor_absorbance;

  // Wavelength ranges of the loaded spectra in nm; 0..0 while cleared, which
  // lies outside the grid on purpose.
  std::int32_t emission_first = 0;
  std::int32_t emission_last = 0;
  std::int32_t absorption_first = 0;
  std::int32_t absorption_last = 0;

  double overlap_integral = 0.0;  // J of the last calculation, M^-1 cm^3
  double emission_area = 0.0;     // area of the raw emission, used only to normalise it
  double extinction_max = 0.0;    // peak extinction coefficient, M^-1 cm^-1

  double concentration = 1e-5;            // mol/L
  double optical_path = 1.0;              // cm
  double refractive_index = 1.333;        // solvent n
  double orientation_factor = 2.0 / 3.0;  // kappa^2
  double quantum_yield = 0.5;             // donor fluorescence quantum yield

  bool absorption_valid = false;
  bool emission_valid = false;
  bool extinction_mode = false;  // peak coefficient typed instead of concentration
  bool quantum_yield_valid = true;
  bool concentration_valid = true;
  bool orientation_valid = true;
  bool refractive_index_valid = true;
  bool extinction_valid = false;
};

// Empties the acceptor side: both acceptor grids, its range, the peak
// coefficient and the last J. Flags, parameters and the emission side stay.
// The engine also blanks the extinction-coefficient field right after this;
// that text belongs to the panel, not to the data.
void ClearAbsorption(FretSession& session);

// Empties the donor side: the emission grid, its range and the last J.
// emission_area, flags, parameters and the acceptor side stay.
void ClearEmission(FretSession& session);

}  // namespace korin
