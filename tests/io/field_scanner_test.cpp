#include "io/field_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korin {
namespace {

struct ScanCase {
  std::string line;
  std::vector<double> fields;  // the fields taken, in order
  double final_value;          // the value the first failing call leaves
};

constexpr double kUntouched = -1.0;

TEST(NextNumericFieldTest, FieldsTakenFromALine) {
  const ScanCase cases[] = {
      {"  450\t0.0123", {450, 0.0123}, kUntouched},
      {"450,,0.5", {450, 0.5}, kUntouched},
      {"450 , 0.5", {450, 0.5}, kUntouched},
      {"450 0.5 ", {450, 0.5}, kUntouched},
      {"4.5e2 1.2E-3", {450, 0.0012}, kUntouched},
      {"0,5", {0, 5}, kUntouched},
      {"450;0.5", {}, 450},
      {",", {}, kUntouched},
      {" ", {}, 0},
      {"\t", {}, 0},
      {"", {}, kUntouched},
      {"300\t\t120\t", {300, 120}, kUntouched},
      {", 450", {450}, kUntouched},
      {"1 0 300 120", {1, 0, 300, 120}, kUntouched},
      {"450 abc 3", {450}, 0},
      {"1 word", {1}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE('"' + c.line + '"');
    std::string_view line = c.line;
    std::vector<double> taken;
    double value = kUntouched;
    while (NextNumericField(line, value)) {
      taken.push_back(value);
      value = kUntouched;
    }
    EXPECT_EQ(taken, c.fields);
    EXPECT_EQ(value, c.final_value);
  }
}

TEST(NextNumericFieldTest, EmptyLineAndLoneCommaAreLeftAlone) {
  for (const std::string_view text : {std::string_view(""), std::string_view(",")}) {
    std::string_view line = text;
    double value = 7.0;
    EXPECT_FALSE(NextNumericField(line, value));
    EXPECT_EQ(line, text);
    EXPECT_EQ(value, 7.0);
  }
}

TEST(NextNumericFieldTest, TheRestOfTheLineStays) {
  std::string_view line = "450 , 0.5 abc";
  double value = 0;
  ASSERT_TRUE(NextNumericField(line, value));
  EXPECT_EQ(line, ", 0.5 abc");
}

TEST(NextNumericFieldTest, LongRunsOfSeparators) {
  const std::string text = std::string(1'000'000, ' ') + "450" + std::string(1'000'000, ',') + "7";
  std::string_view line = text;
  double value = 0;
  ASSERT_TRUE(NextNumericField(line, value));
  EXPECT_EQ(value, 450);
  ASSERT_TRUE(NextNumericField(line, value));
  EXPECT_EQ(value, 7);
  EXPECT_FALSE(NextNumericField(line, value));
}

TEST(TrimSeparatorsTest, LeadingAndTrailing) {
  struct Case {
    std::string_view text, leading, trailing;
  };
  const Case cases[] = {
      {"", "", ""},          {" ", " ", ""},
      {",", ",", ""},        {"  ", " ", ""},
      {" \t,", ",", ""},     {" 450, ", "450, ", " 450"},
      {"450", "450", "450"}, {";450;", ";450;", ";450;"},
  };
  for (const auto& c : cases) {
    std::string_view leading = c.text;
    TrimLeadingSeparators(leading);
    EXPECT_EQ(leading, c.leading) << '"' << c.text << '"';
    std::string_view trailing = c.text;
    TrimTrailingSeparators(trailing);
    EXPECT_EQ(trailing, c.trailing) << '"' << c.text << '"';
  }
}

TEST(OrderPairTest, PutsTheSmallerFirst) {
  int a = 800, b = 200;
  OrderPair(a, b);
  EXPECT_EQ(a, 200);
  EXPECT_EQ(b, 800);
  OrderPair(a, b);
  EXPECT_EQ(a, 200);
  EXPECT_EQ(b, 800);
  int c = 5, d = 5;
  OrderPair(c, d);
  EXPECT_EQ(c, 5);
  EXPECT_EQ(d, 5);
}

}  // namespace
}  // namespace korin
