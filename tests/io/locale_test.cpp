// A user's locale must never change how a number is read or written: the
// program's own number texts always use ".", whatever LC_NUMERIC says.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "io/field_scanner.h"
#include "numeric/number_text.h"
#include "numeric/parse_real.h"

namespace korin {
namespace {

class GermanLocaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: run scripts/setup";
    // Proof that the locale is in force: the C library now reads a comma.
    ASSERT_EQ(std::strtod("0,5", nullptr), 0.5);
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(GermanLocaleTest, ParsingIgnoresTheLocale) {
  double value = 0.0;
  EXPECT_TRUE(ParseReal("0.5", value));
  EXPECT_EQ(value, 0.5);
  EXPECT_FALSE(ParseReal("0,5", value));
  std::string_view line = "0,5";
  ASSERT_TRUE(NextNumericField(line, value));
  EXPECT_EQ(value, 0);
  ASSERT_TRUE(NextNumericField(line, value));
  EXPECT_EQ(value, 5);
}

TEST_F(GermanLocaleTest, FormattingIgnoresTheLocale) {
  EXPECT_EQ(FormatGeneral(0.5, 15), "0.5");
  EXPECT_EQ(FormatGeneral(1.5e-5, 15), "1.5E-5");
  EXPECT_EQ(FormatExponent(1.234567e-13, "."), "1.2346E-13");
  EXPECT_EQ(FormatFixed(47.4928, "."), "47.4900");
}

}  // namespace
}  // namespace korin
