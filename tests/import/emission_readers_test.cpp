#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "import/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

using testing::ReadText;
using testing::TempDir;

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
  TempDir dir;
  const auto r =
      ReadText(dir, ReadEmissionColumns, "d.csv",
               "Wavelength,Intensity\n" + Lines(300, 700, 1, [](int w) { return Pair(w, ","); }));
  EXPECT_TRUE(r.session->EmissionValid);
  EXPECT_EQ(r.session->EmissionFirst, 300);
  EXPECT_EQ(r.session->EmissionLast, 700);
  EXPECT_EQ(r.session->DonorEmission[300], 120.0);
  EXPECT_DOUBLE_EQ(r.session->DonorEmission[500], Intensity(500));
  EXPECT_EQ(r.session->DonorEmission[299], 0.0);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionColumnsTest, TabsBlanksAndCommasGiveTheSameGrid) {
  TempDir dir;
  const auto csv = ReadText(dir, ReadEmissionColumns, "d.csv",
                            "nm,I\n" + Lines(300, 700, 1, [](int w) { return Pair(w, ","); }));
  const auto iss = ReadText(dir, ReadEmissionColumns, "d.iss",
                            "nm\tI\n" + Lines(300, 700, 1, [](int w) { return Pair(w, "\t"); }));
  const auto rls = ReadText(dir, ReadEmissionColumns, "d.rls",
                            Lines(300, 700, 1, [](int w) { return Pair(w, "   "); }));
  ASSERT_TRUE(csv.session->EmissionValid);
  ASSERT_TRUE(iss.session->EmissionValid);
  ASSERT_TRUE(rls.session->EmissionValid);
  EXPECT_TRUE(
      std::ranges::equal(csv.session->DonorEmission.values(), iss.session->DonorEmission.values()));
  EXPECT_TRUE(
      std::ranges::equal(csv.session->DonorEmission.values(), rls.session->DonorEmission.values()));
}

TEST(ReadEmissionColumnsTest, DecreasingFileIsRefusedSilently) {
  TempDir dir;
  const auto r =
      ReadText(dir, ReadEmissionColumns, "r.csv",
               "Wavelength,Intensity\n" + Lines(700, 300, -1, [](int w) { return Pair(w, ","); }));
  EXPECT_FALSE(r.session->EmissionValid);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionColumnsTest, TwoNanometreStepsAreInterpolated) {
  TempDir dir;
  const auto r = ReadText(dir, ReadEmissionColumns, "s.csv",
                          Lines(300, 700, 2, [](int w) { return Pair(w, ","); }));
  ASSERT_TRUE(r.session->EmissionValid);
  for (int w = 301; w < 700; w += 2) {
    EXPECT_NEAR(r.session->DonorEmission[w], (Intensity(w - 1) + Intensity(w + 1)) / 2, 1e-6);
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
  TempDir dir;
  for (const auto& c : cases) {
    const auto r = ReadText(dir, ReadEmissionColumns, "e.csv", c.text);
    EXPECT_EQ(r.session->EmissionValid, c.valid) << c.name;
    EXPECT_EQ(r.session->EmissionLast, c.last) << c.name;
    EXPECT_TRUE(r.messages.empty()) << c.name;
  }
}

// Two scans in one file: the data end where the second starts counting
// down, and nothing of the first scan beyond that end stays in the grid.
TEST(ReadEmissionColumnsTest, NothingStaysBeyondTheAcceptedRange) {
  TempDir dir;
  const auto pair = [](int w) { return Pair(w, ","); };
  const auto r = ReadText(dir, ReadEmissionColumns, "two.csv",
                          Lines(450, 700, 1, pair) + Lines(450, 650, 1, pair));
  ASSERT_TRUE(r.session->EmissionValid);
  EXPECT_EQ(r.session->EmissionFirst, 450);
  EXPECT_EQ(r.session->EmissionLast, 650);
  for (int w = 651; w <= 700; ++w) EXPECT_EQ(r.session->DonorEmission[w], 0.0) << w;
  EXPECT_DOUBLE_EQ(r.session->DonorEmission[650], Intensity(650));
}

std::string FourFields(int index, int w) {
  return std::to_string(index) + " 0 " + std::to_string(w) + " " + std::to_string(Intensity(w)) +
         "\n";
}

TEST(ReadEmissionTxtTest, WavelengthAndIntensityFromFieldsThreeAndFour) {
  TempDir dir;
  const auto r = ReadText(dir, ReadEmissionTxt, "d.txt",
                          "Point Time Wavelength Intensity\n" +
                              Lines(300, 700, 1, [](int w) { return FourFields(w - 299, w); }));
  EXPECT_TRUE(r.session->EmissionValid);
  EXPECT_EQ(r.session->EmissionFirst, 300);
  EXPECT_EQ(r.session->EmissionLast, 700);
  EXPECT_DOUBLE_EQ(r.session->DonorEmission[450], Intensity(450));
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadEmissionTxtTest, ListedDownwardIsAcceptedButNotFilled) {
  TempDir dir;
  const auto one = ReadText(dir, ReadEmissionTxt, "d1.txt",
                            Lines(700, 300, -1, [](int w) { return FourFields(701 - w, w); }));
  EXPECT_TRUE(one.session->EmissionValid);
  EXPECT_EQ(one.session->EmissionFirst, 300);
  EXPECT_EQ(one.session->EmissionLast, 700);
  const auto two = ReadText(dir, ReadEmissionTxt, "d2.txt",
                            Lines(700, 300, -2, [](int w) { return FourFields(701 - w, w); }));
  ASSERT_TRUE(two.session->EmissionValid);
  for (int w = 301; w < 700; w += 2) EXPECT_EQ(two.session->DonorEmission[w], 0.0) << w;
  EXPECT_DOUBLE_EQ(two.session->DonorEmission[500], Intensity(500));
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
  TempDir dir;
  for (const auto& c : cases) {
    const auto r = ReadText(
        dir, ReadEmissionTxt, "e.txt",
        Lines(300, 310, 1, [](int w) { return FourFields(w, w); }) + FourFields(1, 311) + c.tail);
    EXPECT_EQ(r.session->EmissionValid, c.valid) << c.name;
    if (c.valid) {
      EXPECT_EQ(r.session->EmissionLast, 311) << c.name;
    }
    EXPECT_TRUE(r.messages.empty()) << c.name;
  }
}

TEST(ReadEmissionTxtTest, FirstDataLineNeedsFourNumbers) {
  TempDir dir;
  const auto r = ReadText(dir, ReadEmissionTxt, "f.txt", "1 0 300\n2 0 301 5\n3 0 320 6\n");
  EXPECT_FALSE(r.session->EmissionValid);
}

}  // namespace
}  // namespace korin
