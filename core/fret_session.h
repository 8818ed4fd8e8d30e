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
  SpectrumGrid DonorEmission;
  // Molar extinction coefficient in M^-1 cm^-1, derived from the absorbance.
  SpectrumGrid AcceptorExtinction;
  // Absorbance as read; never changed after the read.
  SpectrumGrid AcceptorAbsorbance;

  // Wavelength ranges of the loaded spectra in nm; 0..0 while cleared, which
  // lies outside the grid on purpose.
  std::int32_t EmissionFirst = 0;
  std::int32_t EmissionLast = 0;
  std::int32_t AbsorptionFirst = 0;
  std::int32_t AbsorptionLast = 0;

  double OverlapIntegral = 0.0;  // J of the last calculation, M^-1 cm^3
  double EmissionArea = 0.0;     // area of the raw emission, used only to normalise it
  double ExtinctionMax = 0.0;    // peak extinction coefficient, M^-1 cm^-1

  double Concentration = 1e-5;           // mol/L
  double OpticalPath = 1.0;              // cm
  double RefractiveIndex = 1.333;        // solvent n
  double OrientationFactor = 2.0 / 3.0;  // kappa^2
  double QuantumYield = 0.5;             // donor fluorescence quantum yield

  bool AbsorptionValid = false;
  bool EmissionValid = false;
  bool ExtinctionMode = false;  // peak coefficient typed instead of concentration
  bool QuantumYieldValid = true;
  bool ConcentrationValid = true;
  bool OrientationValid = true;
  bool RefractiveIndexValid = true;
  bool ExtinctionValid = false;
};

// Empties the acceptor side: both acceptor grids, its range, the peak
// coefficient and the last J. Flags, parameters and the emission side stay.
// The engine also blanks the extinction-coefficient field right after this;
// that text belongs to the panel, not to the data.
void ClearAbsorption(FretSession& session);

// Empties the donor side: the emission grid, its range and the last J.
// EmissionArea, flags, parameters and the acceptor side stay.
void ClearEmission(FretSession& session);

}  // namespace korin
