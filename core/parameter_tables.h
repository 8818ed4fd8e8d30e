// The fixed choices of the parameter panel: solvents with their refractive
// index, and the cuvette optical paths. The windows and the command-line
// tool offer exactly these.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace korin {

struct Solvent {
  std::string_view name;
  double refractive_index;
};

// Entry 0 lets the user type a refractive index; Water is chosen at start.
inline constexpr std::array<Solvent, 4> kSolventTable{{
    {"<Other>", 1.0},
    {"Water", 1.333},
    {"Toluene", 1.496},
    {"Methanol", 1.326},
}};
inline constexpr int kStartSolvent = 1;

struct OpticalPath {
  std::string_view label;  // as the list shows it, leading blank included
  double centimetres;
};

inline constexpr std::array<OpticalPath, 6> kOpticalPathTable{{
    {" 0.1", 0.1},
    {" 0.2", 0.2},
    {" 0.5", 0.5},
    {" 1", 1.0},
    {" 5", 5.0},
    {"10", 10.0},
}};
inline constexpr int kStartOpticalPath = 3;

// The entry of kOpticalPathTable for a path in cm, or -1 when the list
// offers no such path.
[[nodiscard]] constexpr int OpticalPathIndexOf(double centimetres) {
  for (std::size_t i = 0; i < kOpticalPathTable.size(); ++i) {
    if (kOpticalPathTable[i].centimetres == centimetres) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace korin
