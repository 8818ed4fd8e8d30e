// The 1-nm wavelength grid that every spectrum in the program lives on.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <span>

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
  double& operator[](int wavelength) {
    assert(Contains(wavelength));
    return values_[static_cast<std::size_t>(wavelength - kFirstWavelength)];
  }
  const double& operator[](int wavelength) const {
    assert(Contains(wavelength));
    return values_[static_cast<std::size_t>(wavelength - kFirstWavelength)];
  }

  // Sets all 1401 entries to 0.0.
  void Clear() { values_.fill(0.0); }

  // Sets every entry outside first..last to 0.0.
  // Precondition: Contains(first), Contains(last), first <= last.
  void ClearOutside(int first, int last) {
    assert(Contains(first) && Contains(last) && first <= last);
    std::fill(values_.begin(), values_.begin() + (first - kFirstWavelength), 0.0);
    std::fill(values_.begin() + (last - kFirstWavelength + 1), values_.end(), 0.0);
  }

  // All entries in wavelength order, element 0 being 100 nm.
  [[nodiscard]] std::span<const double, kSize> values() const { return values_; }
  // The same, writable, for loops that fill a whole range at once.
  [[nodiscard]] std::span<double, kSize> values() { return values_; }

 private:
  std::array<double, kSize> values_{};
};

}  // namespace korin
