#include "core/parse_real.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace korin {
namespace {

struct ParseCase {
  std::string text;
  bool ok;
  double value;
};

void ExpectParse(const ParseCase& c) {
  double value = -999.0;
  EXPECT_EQ(ParseReal(c.text, value), c.ok) << '"' << c.text << '"';
  EXPECT_EQ(value, c.value) << '"' << c.text << '"';
}

TEST(ParseRealTest, NumberSyntax) {
  const ParseCase cases[] = {
      {"450", true, 450},
      {"12.", true, 12},
      {".5", true, 0.5},
      {".", true, 0},
      {"-.", true, 0},
      {"e5", true, 0},
      {"4.5e2", true, 450},
      {"1.2E-3", true, 0.0012},
      {"1e", false, 1},
      {"12.5x", false, 125},
      {"-7a", false, 7},
      {"abc", false, 0},
      {"", false, 0},
      {"\t450", false, 0},
      {"450 ", false, 450},
      // Beyond the table.
      {"   -12.5", true, -12.5},
      {"+3", true, 3},
      {"1e+5", true, 1e5},
      {"1E-0", true, 1},
      {"0.000", true, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"- 5", false, 0},
      {"1e5x", false, 1},
      {"4.5e2.", false, 45},
      {"0,5", false, 0},
      {"1,5", false, 1},
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1e-5\n", false, 1},
  };
  for (const auto& c : cases) ExpectParse(c);
}

TEST(ParseRealTest, NegativeZeroKeepsItsSign) {
  double value = 1.0;
  ASSERT_TRUE(ParseReal("-.", value));
  EXPECT_TRUE(std::signbit(value));
}

TEST(ParseRealTest, CorrectlyRounded) {
  const ParseCase cases[] = {
      {"0.1", true, 0.1},
      {"1.333", true, 1.333},
      {"0.00001", true, 1e-5},
      {"2.2250738585072011e-308", true, 2.2250738585072011e-308},
      {"4.9406564584124654e-324", true, std::numeric_limits<double>::denorm_min()},
      {"3e-324", true, std::numeric_limits<double>::denorm_min()},
      {"1.7976931348623157e308", true, std::numeric_limits<double>::max()},
      // 2^53 + 1 lies halfway between two doubles: ties go to even.
      {"9007199254740993", true, 9007199254740992.0},
      // ... but a non-zero digit far beyond the 800th breaks the tie.
      {"9007199254740993" + std::string(1000, '0') + "1e-1001", true, 9007199254740994.0},
      {std::string(5000, '1') + "e-4999", true, 1.1111111111111112},
      {"0." + std::string(1000, '0') + "1e1001", true, 1.0},
      {"1" + std::string(1000, '0') + "e-1000", true, 1.0},
  };
  for (const auto& c : cases) ExpectParse(c);
}

// A number a double cannot hold is no number: no infinity may enter a grid
// or a parameter.
TEST(ParseRealTest, OverflowFailsAndUnderflowIsZero) {
  const double max = std::numeric_limits<double>::max();
  const ParseCase cases[] = {
      {"1e400", false, 1},
      {"-1e400", false, 1},
      {"1.8e308", false, 18},
      {"1e99999999999999999999999999", false, 1},
      {"1e" + std::string(10000, '9'), false, 1},
      {std::string(400, '9'), false, max},
      {std::string(400, '9') + "x", false, max},
      {"1e-400", true, 0},
      {"2e-324", true, 0},
      {"1e-" + std::string(10000, '9'), true, 0},
      {"0e99999999999999999999", true, 0},
      {std::string(400, '0') + "1", true, 1},
  };
  for (const auto& c : cases) {
    ExpectParse(c);
    double value = 0.0;
    (void)ParseReal(c.text, value);
    EXPECT_TRUE(std::isfinite(value));
  }
}

}  // namespace
}  // namespace korin
