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
  FillGrid(s.DonorEmission, 1.0);
  FillGrid(s.AcceptorExtinction, 2.0);
  FillGrid(s.AcceptorAbsorbance, 3.0);
  s.EmissionFirst = 300;
  s.EmissionLast = 700;
  s.AbsorptionFirst = 400;
  s.AbsorptionLast = 800;
  s.OverlapIntegral = 1.2e-13;
  s.EmissionArea = 42.0;
  s.ExtinctionMax = 85000.0;
  s.Concentration = 2e-5;
  s.OpticalPath = 0.5;
  s.RefractiveIndex = 1.496;
  s.OrientationFactor = 1.0;
  s.QuantumYield = 0.9;
  s.AbsorptionValid = s.EmissionValid = s.ExtinctionMode = s.ExtinctionValid = true;
  s.QuantumYieldValid = s.ConcentrationValid = s.OrientationValid = s.RefractiveIndexValid = false;
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
  EXPECT_TRUE(AllZero(s.DonorEmission));
  EXPECT_TRUE(AllZero(s.AcceptorExtinction));
  EXPECT_TRUE(AllZero(s.AcceptorAbsorbance));
  EXPECT_EQ(s.EmissionFirst, 0);
  EXPECT_EQ(s.EmissionLast, 0);
  EXPECT_EQ(s.AbsorptionFirst, 0);
  EXPECT_EQ(s.AbsorptionLast, 0);
  EXPECT_EQ(s.OverlapIntegral, 0.0);
  EXPECT_EQ(s.EmissionArea, 0.0);
  EXPECT_EQ(s.ExtinctionMax, 0.0);
  EXPECT_EQ(s.Concentration, 0.00001);
  EXPECT_EQ(s.OpticalPath, 1.0);
  EXPECT_EQ(s.RefractiveIndex, 1.333);
  EXPECT_EQ(s.OrientationFactor, 0.6666666666666666);
  EXPECT_EQ(s.QuantumYield, 0.5);
  EXPECT_FALSE(s.AbsorptionValid);
  EXPECT_FALSE(s.EmissionValid);
  EXPECT_FALSE(s.ExtinctionMode);
  EXPECT_TRUE(s.QuantumYieldValid);
  EXPECT_TRUE(s.ConcentrationValid);
  EXPECT_TRUE(s.OrientationValid);
  EXPECT_TRUE(s.RefractiveIndexValid);
  EXPECT_FALSE(s.ExtinctionValid);
}

TEST(FretSessionTest, ClearAbsorptionEmptiesOnlyTheAcceptorSide) {
  FretSession s = LoadedSession();
  ClearAbsorption(s);
  EXPECT_TRUE(AllZero(s.AcceptorAbsorbance));
  EXPECT_TRUE(AllZero(s.AcceptorExtinction));
  EXPECT_EQ(s.AbsorptionFirst, 0);
  EXPECT_EQ(s.AbsorptionLast, 0);
  EXPECT_EQ(s.ExtinctionMax, 0.0);
  EXPECT_EQ(s.OverlapIntegral, 0.0);

  const FretSession before = LoadedSession();
  EXPECT_EQ(s.DonorEmission.values()[0], before.DonorEmission.values()[0]);
  EXPECT_EQ(s.DonorEmission.values()[1400], before.DonorEmission.values()[1400]);
  EXPECT_EQ(s.EmissionFirst, 300);
  EXPECT_EQ(s.EmissionLast, 700);
  EXPECT_EQ(s.EmissionArea, 42.0);
  EXPECT_EQ(s.Concentration, 2e-5);
  EXPECT_EQ(s.QuantumYield, 0.9);
  // No flag changes: the open command sets them itself.
  EXPECT_TRUE(s.AbsorptionValid);
  EXPECT_TRUE(s.ExtinctionValid);
  EXPECT_TRUE(s.ExtinctionMode);
  EXPECT_FALSE(s.ConcentrationValid);
}

TEST(FretSessionTest, ClearEmissionEmptiesOnlyTheDonorSide) {
  FretSession s = LoadedSession();
  ClearEmission(s);
  EXPECT_TRUE(AllZero(s.DonorEmission));
  EXPECT_EQ(s.EmissionFirst, 0);
  EXPECT_EQ(s.EmissionLast, 0);
  EXPECT_EQ(s.OverlapIntegral, 0.0);

  EXPECT_EQ(s.EmissionArea, 42.0);
  EXPECT_EQ(s.ExtinctionMax, 85000.0);
  EXPECT_EQ(s.AbsorptionFirst, 400);
  EXPECT_EQ(s.AbsorptionLast, 800);
  EXPECT_EQ(s.AcceptorAbsorbance[100], 103.0);
  EXPECT_EQ(s.AcceptorExtinction[1500], 1502.0);
  EXPECT_TRUE(s.EmissionValid);
  EXPECT_FALSE(s.QuantumYieldValid);
}

}  // namespace
}  // namespace korin
