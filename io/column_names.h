// What the header of a downloaded table says about a column: whether its
// name heads wavelengths or a kind of spectrum, and the wavelength unit it
// gives, from its words and a few Greek letters.
#pragma once

#include <string_view>

namespace korin {

// What the numbers of a wavelength column measure.
enum class WavelengthUnit { kNanometre, kMicrometre, kWavenumber };

// What a column's name says it holds.
enum class ColumnKind { kWavelength, kEmission, kExcitation, kAbsorption, kOther };

// What a column name says, from its words (runs of ASCII letters, any case)
// and a few Greek letters, in this order: a wavelength ("Wavelength (nm)",
// "wl", "lambda", "Wavenumber"), excitation ("ex", "exc", "Excitation"),
// absorption ("abs", "Absorbance", "ext", "Extinction", "eps", "epsilon",
// an epsilon), emission ("em", "ems", "Emission", "fluor", "Fluorescence"),
// otherwise kOther. Words are whole, so "Temperature", "Item" or "Extra"
// say nothing; digits and punctuation split words, so "Cy3 EM",
// "mTurquoise2_em" and "EtOH-base.ems" are emission.
[[nodiscard]] ColumnKind KindOfColumnName(std::string_view name);

// The unit a wavelength column's name gives: "um", "micron" or a micro sign
// before "m" mean micrometres; "cm-1", "cm^-1", "1/cm" or "Wavenumber"
// mean wavenumbers; nanometres otherwise.
[[nodiscard]] WavelengthUnit UnitOfColumnName(std::string_view name);

// "nm", "um" or "cm-1", as messages and the command line spell units.
[[nodiscard]] std::string_view UnitText(WavelengthUnit unit);

}  // namespace korin
