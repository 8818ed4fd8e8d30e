#include "numeric/decimal_bound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace korin {
namespace {

struct SideCase {
  std::uint64_t mantissa;
  int exponent;
  double nearest;  // the double a user gets by typing the bound's text
  int side;        // sign of nearest - exact decimal
};

// Whether a typed bound passes depends on which side of the exact decimal
// its double lies.
TEST(DecimalBoundTest, NearestDoubleLiesOnTheKnownSide) {
  const SideCase cases[] = {
      {1, -3, 0.001, +1},  {1, -4, 1e-4, +1},   {1, -10, 1e-10, +1}, {1, -6, 1e-6, -1},
      {1, -12, 1e-12, -1}, {1, -20, 1e-20, -1}, {1, -7, 1e-7, -1},   {1, 10, 1e10, 0},
      {1, 1, 10.0, 0},     {1, 0, 1.0, 0},      {1, 3, 1000.0, 0},   {25, -1, 2.5, 0},
  };
  for (const auto& c : cases) {
    const DecimalBound bound(c.mantissa, c.exponent);
    SCOPED_TRACE(std::to_string(c.mantissa) + "e" + std::to_string(c.exponent));
    EXPECT_EQ(bound.CompareWith(c.nearest), c.side);
    // The neighbouring doubles lie strictly on either side.
    EXPECT_EQ(bound.CompareWith(std::nextafter(c.nearest, 0.0)), -1);
    EXPECT_EQ(bound.CompareWith(std::nextafter(c.nearest, 1e300)), +1);
    EXPECT_EQ(bound.CompareWith(-c.nearest), -1);
  }
}

TEST(DecimalBoundTest, ZeroBound) {
  const DecimalBound zero(0, 5);
  EXPECT_EQ(zero.CompareWith(0.0), 0);
  EXPECT_EQ(zero.CompareWith(-0.0), 0);
  EXPECT_EQ(zero.CompareWith(4.9e-324), 1);
  EXPECT_EQ(zero.CompareWith(-4.9e-324), -1);
}

// The program's thresholds, checked with the texts a user would type.
TEST(DecimalBoundTest, ThresholdsDecideTypedBoundaryValues) {
  using namespace bounds;
  // Calculation gate: strict lower bounds.
  EXPECT_TRUE(Exceeds(1e-10, kGateMinConcentration));
  EXPECT_FALSE(Exceeds(9.9e-11, kGateMinConcentration));
  EXPECT_TRUE(Exceeds(1e-4, kGateMinRefractiveIndex));
  EXPECT_FALSE(Exceeds(9.9e-5, kGateMinRefractiveIndex));
  EXPECT_FALSE(Exceeds(1e-7, kGateMinQuantumYield));
  EXPECT_TRUE(Exceeds(1.0000001e-7, kGateMinQuantumYield));
  // Typed peak extinction coefficient: open interval (0.001, 1e10).
  EXPECT_TRUE(InOpenRange(0.001, kMinExtinction, kMaxExtinction));
  EXPECT_TRUE(InOpenRange(0.0011, kMinExtinction, kMaxExtinction));
  EXPECT_TRUE(InOpenRange(9.9e9, kMinExtinction, kMaxExtinction));
  EXPECT_FALSE(InOpenRange(0.0009, kMinExtinction, kMaxExtinction));
  EXPECT_FALSE(InOpenRange(1e10, kMinExtinction, kMaxExtinction));
  // Foerster distance: J below 1e-20 gives 0.
  EXPECT_TRUE(FallsBelow(1e-20, kMinOverlapIntegral));
  EXPECT_FALSE(FallsBelow(1.0000001e-20, kMinOverlapIntegral));
  EXPECT_TRUE(FallsBelow(-3.2e-15, kMinOverlapIntegral));
  // Parameter fields: closed ranges.
  EXPECT_TRUE(InClosedRange(1.1e-12, kMinConcentration, kMaxConcentration));
  EXPECT_TRUE(InClosedRange(10.0, kMinConcentration, kMaxConcentration));
  EXPECT_FALSE(InClosedRange(1e-12, kMinConcentration, kMaxConcentration));
  EXPECT_FALSE(InClosedRange(10.5, kMinConcentration, kMaxConcentration));
  EXPECT_FALSE(InClosedRange(0.0, kMinConcentration, kMaxConcentration));
  EXPECT_TRUE(InClosedRange(0.0001, kMinRefractiveIndex, kMaxRefractiveIndex));
  EXPECT_TRUE(InClosedRange(1000.0, kMinRefractiveIndex, kMaxRefractiveIndex));
  EXPECT_FALSE(InClosedRange(1000.5, kMinRefractiveIndex, kMaxRefractiveIndex));
  EXPECT_FALSE(InClosedRange(0.000001, kMinOrientationFactor, kMaxOrientationFactor));
  EXPECT_TRUE(InClosedRange(1.0, kMinOrientationFactor, kMaxOrientationFactor));
  EXPECT_FALSE(InClosedRange(0.000001, kMinQuantumYield, kMaxQuantumYield));
  EXPECT_TRUE(InClosedRange(0.0000011, kMinQuantumYield, kMaxQuantumYield));
  EXPECT_FALSE(InClosedRange(1.0000000000000002, kMinQuantumYield, kMaxQuantumYield));
}

}  // namespace
}  // namespace korin
