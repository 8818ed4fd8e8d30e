// A spectrum laid on the 1-nm grid, as a reader hands it over: the values
// and the wavelength range they cover. Also which side of the pair a
// spectrum belongs to.
#pragma once

#include "core/spectrum_grid.h"

namespace korin {

// The acceptor's absorption or the donor's emission.
enum class SpectrumSide { kAbsorption, kEmission };

struct GridSpectrum {
  // 0.0 outside first..last once a reader has accepted the spectrum.
  SpectrumGrid values;
  // The wavelengths of the spectrum's ends in nm, as its reader assigns
  // them; inside 100..1500 with first < last once accepted.
  int first = 0;
  int last = 0;
};

}  // namespace korin
