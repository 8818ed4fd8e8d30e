// The 1-nm wavelength grid that every spectrum in the program lives on.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <limits>
#include <span>

// The grid's members below run for every point of every spectrum. A
// coverage-guided fuzzer learns nothing from their comparisons (a loop
// counter, the precondition's bounds), while tracing each of them costs a
// fuzz run more than most of the calculation; the fuzz build leaves them
// uninstrumented for coverage. Other builds are unaffected.
#if defined(__has_feature)
#if __has_feature(coverage_sanitizer)
#define KORIN_GRID_UNTRACED __attribute__((no_sanitize("coverage")))
#endif
#endif
#ifndef KORIN_GRID_UNTRACED
#define KORIN_GRID_UNTRACED
#endif

namespace korin {

// One double per whole nanometre from 100 to 1500 nm inclusive. Elements are
// addressed by the wavelength itself, never by a 0-based position, so that a
// loop over a spectrum reads `for (int w = first; w <= last; ++w) grid[w]`.
class SpectrumGrid {
 public:
  static constexpr int kFirstWavelength = 100;
  static constexpr int kLastWavelength = 1500;
  static constexpr int kSize = kLastWavelength - kFirstWavelength + 1;

  [[nodiscard]] static constexpr bool Contains(int wavelength) {
    return wavelength >= kFirstWavelength && wavelength <= kLastWavelength;
  }

  // Precondition: Contains(wavelength).
  KORIN_GRID_UNTRACED double& operator[](int wavelength) {
    assert(Contains(wavelength));
    return values_[static_cast<std::size_t>(wavelength - kFirstWavelength)];
  }
  KORIN_GRID_UNTRACED const double& operator[](int wavelength) const {
    assert(Contains(wavelength));
    return values_[static_cast<std::size_t>(wavelength - kFirstWavelength)];
  }

  // Sets all 1401 entries to 0.0.
  KORIN_GRID_UNTRACED void Clear() { Zero(0, kSize); }

  // Sets every entry outside first..last to 0.0.
  // Precondition: Contains(first), Contains(last), first <= last.
  KORIN_GRID_UNTRACED void ClearOutside(int first, int last) {
    assert(Contains(first) && Contains(last) && first <= last);
    Zero(0, static_cast<std::size_t>(first - kFirstWavelength));
    Zero(static_cast<std::size_t>(last - kFirstWavelength + 1),
         static_cast<std::size_t>(kLastWavelength - last));
  }

  // All entries in wavelength order, element 0 being 100 nm.
  [[nodiscard]] std::span<const double, kSize> values() const { return values_; }
  // The same, writable, for loops that fill a whole range at once.
  [[nodiscard]] std::span<double, kSize> values() { return values_; }

 private:
  // All bits zero is +0.0 in IEEE 754: one memset, which a sanitizer
  // checks once for the whole range rather than entry by entry.
  static_assert(std::numeric_limits<double>::is_iec559);
  KORIN_GRID_UNTRACED void Zero(std::size_t from, std::size_t count) {
    if (count > 0) std::memset(values_.data() + from, 0, count * sizeof(double));
  }

  std::array<double, kSize> values_{};
};

}  // namespace korin
