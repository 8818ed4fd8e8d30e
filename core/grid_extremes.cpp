#include "core/grid_extremes.h"

#include <array>
#include <cassert>
#include <cstddef>

#include "core/vector_clones.h"

namespace korin {
namespace {

// Running extremes of values[i] in lane i % kLanes, independent so that the
// comparisons vectorise; each lane starts at the first value, as one running
// pair would. The lanes live in the returned arrays and the lane loop is not
// unrolled: GCC vectorises that loop, but not sixteen scalar reductions.
constexpr std::size_t kLanes = 16;
struct LaneExtremes {
  std::array<double, kLanes> lowest;
  std::array<double, kLanes> highest;
};

KORIN_VECTOR_CLONES
LaneExtremes LaneExtremesOf(const double* values, std::size_t count) {
  LaneExtremes lanes;
  lanes.lowest.fill(values[0]);
  lanes.highest.fill(values[0]);
  const auto take = [&lanes](std::size_t k, double v) {
    // Selects between values, not references, so that no branch is left.
    const double lowest = lanes.lowest[k];
    const double highest = lanes.highest[k];
    lanes.lowest[k] = v < lowest ? v : lowest;
    lanes.highest[k] = v > highest ? v : highest;
  };
  std::size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
#pragma GCC unroll 1
    for (std::size_t k = 0; k < kLanes; ++k) take(k, values[i + k]);
  }
  for (std::size_t k = 0; i < count; ++i, ++k) take(k, values[i]);
  return lanes;
}

}  // namespace

GridExtremes ExtremesOver(const SpectrumGrid& grid, int first, int last) {
  assert(SpectrumGrid::Contains(first) && SpectrumGrid::Contains(last) && first <= last);
  const double* values = grid.values().data() + (first - SpectrumGrid::kFirstWavelength);
  const LaneExtremes lanes = LaneExtremesOf(values, static_cast<std::size_t>(last - first + 1));
  GridExtremes extremes{values[0], values[0]};
  for (std::size_t k = 0; k < kLanes; ++k) {
    if (lanes.lowest[k] < extremes.lowest) extremes.lowest = lanes.lowest[k];
    if (lanes.highest[k] > extremes.highest) extremes.highest = lanes.highest[k];
  }
  return extremes;
}

}  // namespace korin
