// What a spectrum reader hands back: the spectrum as it laid it on the grid,
// whether its format's acceptance rule took it, and if not, why.
#pragma once

#include <string>

#include "core/grid_spectrum.h"
#include "io/file_error.h"
#include "io/spectrum_source.h"

namespace korin {

// Why a reader refused a spectrum.
enum class Refusal {
  kNone,           // accepted
  kNoData,         // no data point found
  kValueMissing,   // a data line breaks off after its wavelength
  kLeadingFields,  // four-column text: a line whose leading fields are not
                   // numbers, such as text after the data
  kRange,          // the range rule failed: a span of 10 nm or less, ends
                   // outside 100..1500 nm, or a decreasing two-column file
  kOrder,          // the order check refused; it has shown its message
  kOffGrid,        // an order-checked spectrum whose ends lie off the grid
  kColumnChoice,   // column import: the columns to read could not be chosen
};

struct SpectrumRead {
  // Values, first and last as the reader assigned them, also when refused.
  GridSpectrum spectrum;
  bool accepted = false;
  Refusal refusal = Refusal::kNone;  // why not accepted
};

using SpectrumReader = SpectrumRead (*)(const SpectrumSource& source, const MessageSink& sink);

// A short lower-case phrase saying why `read` was refused, for a status line
// such as "Emission spectrum not loaded: <phrase> in donor.txt"; plain ASCII.
// Empty for an accepted spectrum.
[[nodiscard]] std::string RefusalText(const SpectrumRead& read);

}  // namespace korin
