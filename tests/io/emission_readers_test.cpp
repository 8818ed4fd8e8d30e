#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "io/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

using testing::ReadText;

// A smooth donor band, 120 at 300 nm.
double Intensity(int w) {
  return 120.0 + 0.01 * (w - 300) * (700 - w);
}

// Lines from `from` to `to` (inclusive, `step` may be negative), each made
// by `line(w)`.
template <typename LineOf>
std::string Lines(int from, int to, int step, LineOf line) {
  std::string text;
  for (int w = from; step > 0 ? w <= to : w >= to; w += step) text += line(w);
  return text;
}

std::string Pair(int w, const char* separator) {
  return std::to_string(w) + separator + std::to_string(Intensity(w)) + "\n";
}

TEST(ReadEmissionColumnsTest, CsvWithHeader) {
  const auto r =
      ReadText(ReadEmissionColumns, "d.csv",
               "Wavelength,Intensity\n" + Lines(300, 700, 1, [](int w) { return Pair(w, ","); }));
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 300);
  EXPECT_EQ(r.last(), 700);
  EXPECT_EQ(r.at(300), 120.0);
  EXPECT_DOUBLE_EQ(r.at(500), Intensity(500));
  EXPECT_EQ(r.at(299), 0.0);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionColumnsTest, TabsBlanksAndCommasGiveTheSameGrid) {
  const auto csv = ReadText(ReadEmissionColumns, "d.csv",
                            "nm,I\n" + Lines(300, 700, 1, [](int w) { return Pair(w, ","); }));
  const auto iss = ReadText(ReadEmissionColumns, "d.iss",
                            "nm\tI\n" + Lines(300, 700, 1, [](int w) { return Pair(w, "\t"); }));
  const auto rls = ReadText(ReadEmissionColumns, "d.rls",
                            Lines(300, 700, 1, [](int w) { return Pair(w, "   "); }));
  ASSERT_TRUE(csv.accepted());
  ASSERT_TRUE(iss.accepted());
  ASSERT_TRUE(rls.accepted());
  EXPECT_TRUE(
      std::ranges::equal(csv.read.spectrum.values.values(), iss.read.spectrum.values.values()));
  EXPECT_TRUE(
      std::ranges::equal(csv.read.spectrum.values.values(), rls.read.spectrum.values.values()));
}

TEST(ReadEmissionColumnsTest, DecreasingFileIsRefusedSilently) {
  const auto r =
      ReadText(ReadEmissionColumns, "r.csv",
               "Wavelength,Intensity\n" + Lines(700, 300, -1, [](int w) { return Pair(w, ","); }));
  EXPECT_FALSE(r.accepted());
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionColumnsTest, TwoNanometreStepsAreInterpolated) {
  const auto r = ReadText(ReadEmissionColumns, "s.csv",
                          Lines(300, 700, 2, [](int w) { return Pair(w, ","); }));
  ASSERT_TRUE(r.accepted());
  for (int w = 301; w < 700; w += 2) {
    EXPECT_NEAR(r.at(w), (Intensity(w - 1) + Intensity(w + 1)) / 2, 1e-6);
  }
}

TEST(ReadEmissionColumnsTest, HowTheDataEnd) {
  const struct {
    const char* name;
    std::string text;
    bool valid;
    int last;
  } cases[] = {
      {"text after the data", "nm I\n300 1\n320 2\nEnd of data\n330 9\n", true, 320},
      {"first line starts with a number", "1 word\n300 1\n320 2\n", false, 0},
      {"intensity missing", "300 1\n320 2\n330\n", false, 0},
      {"span of ten", "300 1\n310 2\n", false, 310},
      {"span of eleven", "300 1\n311 2\n", true, 311},
      {"only header", "Wavelength,Intensity\n", false, 0},
  };
  for (const auto& c : cases) {
    const auto r = ReadText(ReadEmissionColumns, "e.csv", c.text);
    EXPECT_EQ(r.accepted(), c.valid) << c.name;
    EXPECT_EQ(r.last(), c.last) << c.name;
    EXPECT_TRUE(r.messages.empty()) << c.name;
  }
}

// Two scans in one file: the data end where the second starts counting
// down, and nothing of the first scan beyond that end stays in the grid.
TEST(ReadEmissionColumnsTest, NothingStaysBeyondTheAcceptedRange) {
  const auto pair = [](int w) { return Pair(w, ","); };
  const auto r =
      ReadText(ReadEmissionColumns, "two.csv", Lines(450, 700, 1, pair) + Lines(450, 650, 1, pair));
  ASSERT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 450);
  EXPECT_EQ(r.last(), 650);
  for (int w = 651; w <= 700; ++w) EXPECT_EQ(r.at(w), 0.0) << w;
  EXPECT_DOUBLE_EQ(r.at(650), Intensity(650));
}

std::string FourFields(int index, int w) {
  return std::to_string(index) + " 0 " + std::to_string(w) + " " + std::to_string(Intensity(w)) +
         "\n";
}

TEST(ReadEmissionTxtTest, WavelengthAndIntensityFromFieldsThreeAndFour) {
  const auto r = ReadText(ReadEmissionTxt, "d.txt",
                          "Point Time Wavelength Intensity\n" +
                              Lines(300, 700, 1, [](int w) { return FourFields(w - 299, w); }));
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 300);
  EXPECT_EQ(r.last(), 700);
  EXPECT_DOUBLE_EQ(r.at(450), Intensity(450));
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionTxtTest, ListedDownwardIsAcceptedButNotFilled) {
  const auto one = ReadText(ReadEmissionTxt, "d1.txt",
                            Lines(700, 300, -1, [](int w) { return FourFields(701 - w, w); }));
  EXPECT_TRUE(one.accepted());
  EXPECT_EQ(one.first(), 300);
  EXPECT_EQ(one.last(), 700);
  const auto two = ReadText(ReadEmissionTxt, "d2.txt",
                            Lines(700, 300, -2, [](int w) { return FourFields(701 - w, w); }));
  ASSERT_TRUE(two.accepted());
  for (int w = 301; w < 700; w += 2) EXPECT_EQ(two.at(w), 0.0) << w;
  EXPECT_DOUBLE_EQ(two.at(500), Intensity(500));
}

TEST(ReadEmissionTxtTest, HowTheDataEnd) {
  const struct {
    const char* name;
    const char* tail;
    bool valid;
  } cases[] = {
      {"a line of text refuses the file", "End of data\n", false},
      {"two numbers end the data", "99 100\n1 0 900 5\n", true},
      {"two numbers and text end the data", "99 100 end\n", true},
      {"intensity missing", "99 0 320\n", false},
      {"second field not a number", "99 x 320 5\n", false},
  };
  for (const auto& c : cases) {
    const auto r = ReadText(
        ReadEmissionTxt, "e.txt",
        Lines(300, 310, 1, [](int w) { return FourFields(w, w); }) + FourFields(1, 311) + c.tail);
    EXPECT_EQ(r.accepted(), c.valid) << c.name;
    if (c.valid) {
      EXPECT_EQ(r.last(), 311) << c.name;
    }
    EXPECT_TRUE(r.messages.empty()) << c.name;
  }
}

TEST(ReadEmissionTxtTest, FirstDataLineNeedsFourNumbers) {
  const auto r = ReadText(ReadEmissionTxt, "f.txt", "1 0 300\n2 0 301 5\n3 0 320 6\n");
  EXPECT_FALSE(r.accepted());
}

}  // namespace
}  // namespace korin
