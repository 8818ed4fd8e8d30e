// The spectrum readers, one per file format. Each reads the bytes of one
// file, lays the points on a fresh grid, assigns the range and decides
// whether its format's acceptance rule takes the spectrum; problems go to
// the message sink as "File Error: " + name lines.
#pragma once

#include "io/spectrum_read.h"

namespace korin {

// Acceptor absorbance.

// Header up to the first line containing DATA (any case), then
// "wavelength absorbance" lines in either order.
[[nodiscard]] SpectrumRead ReadAbsorptionSp(const SpectrumSource& source, const MessageSink& sink);
// Header up to and including the first line that starts with a number,
// then "wavelength absorbance" lines in either order.
[[nodiscard]] SpectrumRead ReadAbsorptionTxt(const SpectrumSource& source, const MessageSink& sink);
// Point count, five header lines, then fixed columns 1-7 / 9-15 with
// decreasing wavelengths.
[[nodiscard]] SpectrumRead ReadAbsorptionAsp(const SpectrumSource& source, const MessageSink& sink);
// Two header lines, then fixed columns 1-6 / 8-12 with increasing
// wavelengths.
[[nodiscard]] SpectrumRead ReadAbsorptionAbt(const SpectrumSource& source, const MessageSink& sink);
// Whitespace-separated wavelength/absorbance pairs, decreasing wavelengths.
[[nodiscard]] SpectrumRead ReadAbsorptionAbs(const SpectrumSource& source, const MessageSink& sink);

// Donor emission.

// Header lines up to the first line that starts with a number, then
// "wavelength intensity" lines in increasing order (.ifx, .iss, .rls, .csv).
[[nodiscard]] SpectrumRead ReadEmissionColumns(const SpectrumSource& source,
                                               const MessageSink& sink);
// Four-field lines: two leading numbers, the wavelength and the intensity,
// in either order (.txt).
[[nodiscard]] SpectrumRead ReadEmissionTxt(const SpectrumSource& source, const MessageSink& sink);

}  // namespace korin
