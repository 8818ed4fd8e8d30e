#include "core/fret_session.h"

#include <gtest/gtest.h>

namespace korin {
namespace {

bool AllZero(const SpectrumGrid& grid) {
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    if (grid[w] != 0.0) return false;
  }
  return true;
}

void FillGrid(SpectrumGrid& grid, double base) {
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    grid[w] = base + w;
  }
}

// A session with every field moved away from its start value.
FretSession LoadedSession() {
  FretSession s;
  FillGrid(s.donor_emission, 1.0);
  FillGrid(s.acceptor_extinction, 2.0);
  FillGrid(s.acceptor_absorbance, 3.0);
  s.emission_first = 300;
  s.emission_last = 700;
  s.absorption_first = 400;
  s.absorption_last = 800;
  s.overlap_integral = 1.2e-13;
  s.emission_area = 42.0;
  s.extinction_max = 85000.0;
  s.concentration = 2e-5;
  s.optical_path = 0.5;
  s.refractive_index = 1.496;
  s.orientation_factor = 1.0;
  s.quantum_yield = 0.9;
  s.absorption_valid = s.emission_valid = s.extinction_mode = s.extinction_valid = true;
  s.quantum_yield_valid = s.concentration_valid = s.orientation_valid = s.refractive_index_valid =
      false;
  return s;
}

TEST(SpectrumGridTest, IndexedByWavelength) {
  SpectrumGrid grid;
  EXPECT_EQ(SpectrumGrid::kSize, 1401);
  EXPECT_TRUE(AllZero(grid));
  grid[100] = 1.0;
  grid[1500] = 2.0;
  EXPECT_EQ(grid.values().front(), 1.0);
  EXPECT_EQ(grid.values().back(), 2.0);
  EXPECT_FALSE(SpectrumGrid::Contains(99));
  EXPECT_TRUE(SpectrumGrid::Contains(100));
  EXPECT_TRUE(SpectrumGrid::Contains(1500));
  EXPECT_FALSE(SpectrumGrid::Contains(1501));
  EXPECT_FALSE(SpectrumGrid::Contains(0));
}

TEST(FretSessionTest, StartValues) {
  const FretSession s;
  EXPECT_TRUE(AllZero(s.donor_emission));
  EXPECT_TRUE(AllZero(s.acceptor_extinction));
  EXPECT_TRUE(AllZero(s.acceptor_absorbance));
  EXPECT_EQ(s.emission_first, 0);
  EXPECT_EQ(s.emission_last, 0);
  EXPECT_EQ(s.absorption_first, 0);
  EXPECT_EQ(s.absorption_last, 0);
  EXPECT_EQ(s.overlap_integral, 0.0);
  EXPECT_EQ(s.emission_area, 0.0);
  EXPECT_EQ(s.extinction_max, 0.0);
  EXPECT_EQ(s.concentration, 0.00001);
  EXPECT_EQ(s.optical_path, 1.0);
  EXPECT_EQ(s.refractive_index, 1.333);
  EXPECT_EQ(s.orientation_factor, 0.6666666666666666);
  EXPECT_EQ(s.quantum_yield, 0.5);
  EXPECT_FALSE(s.absorption_valid);
  EXPECT_FALSE(s.emission_valid);
  EXPECT_FALSE(s.extinction_mode);
  EXPECT_TRUE(s.quantum_yield_valid);
  EXPECT_TRUE(s.concentration_valid);
  EXPECT_TRUE(s.orientation_valid);
  EXPECT_TRUE(s.refractive_index_valid);
  EXPECT_FALSE(s.extinction_valid);
}

TEST(FretSessionTest, ClearAbsorptionEmptiesOnlyTheAcceptorSide) {
  FretSession s = LoadedSession();
  ClearAbsorption(s);
  EXPECT_TRUE(AllZero(s.acceptor_absorbance));
  EXPECT_TRUE(AllZero(s.acceptor_extinction));
  EXPECT_EQ(s.absorption_first, 0);
  EXPECT_EQ(s.absorption_last, 0);
  EXPECT_EQ(s.extinction_max, 0.0);
  EXPECT_EQ(s.overlap_integral, 0.0);

  const FretSession before = LoadedSession();
  EXPECT_EQ(s.donor_emission.values()[0], before.donor_emission.values()[0]);
  EXPECT_EQ(s.donor_emission.values()[1400], before.donor_emission.values()[1400]);
  EXPECT_EQ(s.emission_first, 300);
  EXPECT_EQ(s.emission_last, 700);
  EXPECT_EQ(s.emission_area, 42.0);
  EXPECT_EQ(s.concentration, 2e-5);
  EXPECT_EQ(s.quantum_yield, 0.9);
  // No flag changes: the open command sets them itself.
  EXPECT_TRUE(s.absorption_valid);
  EXPECT_TRUE(s.extinction_valid);
  EXPECT_TRUE(s.extinction_mode);
  EXPECT_FALSE(s.concentration_valid);
}

TEST(FretSessionTest, ClearEmissionEmptiesOnlyTheDonorSide) {
  FretSession s = LoadedSession();
  ClearEmission(s);
  EXPECT_TRUE(AllZero(s.donor_emission));
  EXPECT_EQ(s.emission_first, 0);
  EXPECT_EQ(s.emission_last, 0);
  EXPECT_EQ(s.overlap_integral, 0.0);

  EXPECT_EQ(s.emission_area, 42.0);
  EXPECT_EQ(s.extinction_max, 85000.0);
  EXPECT_EQ(s.absorption_first, 400);
  EXPECT_EQ(s.absorption_last, 800);
  EXPECT_EQ(s.acceptor_absorbance[100], 103.0);
  EXPECT_EQ(s.acceptor_extinction[1500], 1502.0);
  EXPECT_TRUE(s.emission_valid);
  EXPECT_FALSE(s.quantum_yield_valid);
}

}  // namespace
}  // namespace korin
