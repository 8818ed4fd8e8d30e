// A detection channel's transmission on the 1-nm grid: the product of what
// is given for it, each an ideal band-pass "CENTER/WIDTH" (1 from
// CENTER - WIDTH/2 to CENTER + WIDTH/2 inclusive, 0 elsewhere) or a file of
// two columns, a filter's or a detector's curve, read through the column
// import. A file's values are fractions, or percent when any exceeds 1; it
// transmits nothing outside the range it covers.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/spectrum_grid.h"

namespace korin {

struct BandPass {
  double center = 0.0;  // nm
  double width = 0.0;
};

// "585/65": both positive numbers in the typed-field syntax; nothing for
// any other text.
[[nodiscard]] std::optional<BandPass> ParseBandPass(std::string_view text);

struct Channel {
  SpectrumGrid transmission;
  // What the user should know of its files: "filter.csv: read as percent".
  std::vector<std::string> notes;
  std::string refusal;  // why there is no channel, naming the part
};

// A file's bytes by its path, or nothing when it cannot be read.
using ChannelFileReader = std::function<std::optional<std::string>(const std::string& path)>;

// The channel named `name` ("donor channel") from its parts, each a
// band-pass or a file's path.
[[nodiscard]] Channel BuildChannel(std::span<const std::string> parts, std::string_view name,
                                   const ChannelFileReader& read);

}  // namespace korin
