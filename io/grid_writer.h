// Lays the points of a spectrum on the 1-nm grid: rounds each wavelength to
// a whole nanometre, stores the value there and fills the gap to the
// previous point by straight-line interpolation. Also the two rules that
// decide whether a spectrum that was read counts as loaded.
#pragma once

#include <string_view>

#include "core/spectrum_grid.h"
#include "io/file_error.h"

namespace korin {

// A wavelength in nm rounded to the nearest whole number, halves to even
// (450.5 -> 450, 451.5 -> 452). Values far outside the grid are clamped to
// +-1e9, which keeps them outside and keeps differences within an int.
// Precondition: std::isfinite(wavelength).
[[nodiscard]] int RoundWavelength(double wavelength);

// Each reader fills gaps in one direction only; a step the other way stores
// its point and leaves the entries in between as they were.
enum class FillDirection { kUpward, kDownward };

class GridWriter {
 public:
  GridWriter(SpectrumGrid& grid, FillDirection direction) : grid_(grid), direction_(direction) {}

  // Stores a point at its rounded wavelength, replacing what the entry held,
  // fills the gap from the previous point when the step goes the writer's
  // way by 2 nm or more, and makes the point the previous one. Answers the
  // rounded wavelength.
  //
  // A point outside 100..1500 nm is neither stored nor filled to, but it
  // still counts as the first or the previous point: a spectrum that starts
  // or ends outside the grid must fail its acceptance rule, and no gap is
  // filled across such a point.
  int Store(double wavelength, double value);

  [[nodiscard]] bool empty() const { return count_ == 0; }
  // Wavelengths of the first and of the last point stored so far.
  // Precondition: !empty().
  [[nodiscard]] int first() const { return first_; }
  [[nodiscard]] int last() const { return previous_; }

 private:
  void FillGap(int from, int to);

  SpectrumGrid& grid_;
  FillDirection direction_;
  int first_ = 0;
  int previous_ = 0;
  long count_ = 0;
};

// The range rule: a spectrum spans more than 10 nm and lies within
// 100..1500 nm.
[[nodiscard]] bool RangeRuleHolds(int first, int last);

// The order check: the spectrum's first wavelength must lie below its last,
// otherwise "File Error: " + path + " Incorrect wavelength order" goes to the
// sink. A spectrum that starts or ends outside the grid is refused first,
// without a message, as the range rule would refuse it: such ends come from
// empty files and text lines read as data, whose order says nothing.
[[nodiscard]] bool OrderCheckPasses(int first, int last, std::string_view path,
                                    const MessageSink& sink);

}  // namespace korin
