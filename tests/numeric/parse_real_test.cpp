#include "numeric/parse_real.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// ParseReal takes a shortcut for numbers of few digits; it must give what
// the general conversion gives, bit for bit, success flag included.
void ExpectSameAsGeneral(const std::string& text) {
  double fast = -999.0;
  double general = -999.0;
  const bool fast_ok = ParseReal(text, fast);
  const bool general_ok = ParseRealGeneral(text, general);
  EXPECT_EQ(fast_ok, general_ok) << '"' << text << '"';
  EXPECT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(general))
      << '"' << text << "\" " << fast << " vs " << general;
}

// Where the shortcut must hand over: 15, 16, 19 and 20 significant digits,
// mantissas around 2^53, powers of ten of 22 and 23 either way, zeros.
TEST(ParseRealTest, FastPathBoundaries) {
  const std::vector<std::string> mantissas = {
      "1",
      "123456789012345",       // 15 digits
      "1234567890123456",      // 16
      "9007199254740991",      // 2^53 - 1
      "9007199254740992",      // 2^53
      "9007199254740993",      // 2^53 + 1: a tie
      "9007199254740995",      // another tie
      "18014398509481985",     // beyond 2^53
      "1234567890123456789",   // 19
      "9999999999999999999",   // 19, beyond 2^53
      "12345678901234567890",  // 20
      "00000000000000000000001",
      "10000000000000000000000",
      "0",
      "000",
  };
  for (const std::string& m : mantissas) {
    for (int power = -25; power <= 25; ++power) {
      for (const char* sign : {"", "-", "+"}) {
        ExpectSameAsGeneral(sign + m + "e" + std::to_string(power));
        // The same power reached through digits after the point.
        const std::string point =
            m.size() > 3 ? m.substr(0, m.size() - 3) + "." + m.substr(m.size() - 3) : m + ".";
        ExpectSameAsGeneral(sign + point + "E" + std::to_string(power));
      }
    }
  }
  for (const char* text : {"0.1", "1e22", "1e23", "9007199254740993e-22", "4.9e-324", "1e-22",
                           "1e-23", "-0", "-0.0e5", " 5", "5 ", "1e+", ".e1", "1.5e-0"}) {
    ExpectSameAsGeneral(text);
  }
}

// Random digit strings with the point and the exponent anywhere, now and
// then a sign, leading blanks or zeros, or a character that breaks the
// syntax.
TEST(ParseRealTest, FastPathMatchesTheGeneralOnGeneratedTexts) {
  std::mt19937_64 random(5350);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 200'000; ++round) {
    std::string text(static_cast<std::size_t>(pick(8) == 0 ? pick(3) : 0), ' ');
    if (pick(4) == 0) text += pick(2) == 0 ? '-' : '+';
    text.append(static_cast<std::size_t>(pick(5) == 0 ? pick(4) : 0), '0');
    const int digits = pick(24);
    const int point = pick(3) == 0 ? -1 : pick(digits + 1);
    for (int i = 0; i < digits; ++i) {
      if (i == point) text += '.';
      text += static_cast<char>('0' + pick(10));
    }
    if (point == digits) text += '.';
    if (pick(2) == 0) {
      text += pick(2) == 0 ? 'e' : 'E';
      const int sign = pick(3);
      if (sign != 0) text += sign == 1 ? '-' : '+';
      text += std::to_string(pick(50));
    }
    if (pick(40) == 0)
      text.insert(static_cast<std::size_t>(pick(static_cast<int>(text.size()) + 1)), 1,
                  "x .e-"[pick(5)]);
    ExpectSameAsGeneral(text);
  }
}

}  // namespace
}  // namespace korin
