#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "io/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

using testing::FileErrors;
using testing::Messages;
using testing::ReadText;

double Absorbance(int w) {
  return 0.95 - (w - 200) * (0.94 / 600.0);
}

// "w a" lines from `from` to `to` in steps of `step` (negative: downward),
// with an absorbance that is linear in the wavelength: 0.95 at 200 nm,
// 0.01 at 800 nm.
std::string Lines(int from, int to, int step, const char* separator = " ") {
  std::string text;
  for (int w = from; step > 0 ? w <= to : w >= to; w += step) {
    char line[64];
    std::snprintf(line, sizeof line, "%d%s%.6g\n", w, separator, Absorbance(w));
    text += line;
  }
  return text;
}

TEST(ReadAbsorptionSpTest, DataMarkerThenOneNanometreStepsDownward) {
  const auto r = ReadText(ReadAbsorptionSp, "a.sp",
                          "Sample: acceptor\nOperator: lab\n#DATA\n" + Lines(800, 200, -1));
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 200);
  EXPECT_EQ(r.last(), 800);
  EXPECT_DOUBLE_EQ(r.at(200), 0.95);
  EXPECT_DOUBLE_EQ(r.at(800), 0.01);
  EXPECT_EQ(r.at(199), 0.0);
  EXPECT_EQ(r.at(801), 0.0);
  EXPECT_TRUE(r.messages.empty());
}

// The .sp reader fills only upward steps.
TEST(ReadAbsorptionSpTest, TwoNanometreStepsFillOnlyUpward) {
  const auto down = ReadText(ReadAbsorptionSp, "d.sp", "#DATA\n" + Lines(800, 200, -2));
  ASSERT_TRUE(down.accepted());
  const auto up = ReadText(ReadAbsorptionSp, "u.sp", "#DATA\n" + Lines(200, 800, 2));
  ASSERT_TRUE(up.accepted());
  for (int w = 201; w < 800; w += 2) {
    EXPECT_EQ(down.at(w), 0.0) << w;
    EXPECT_NEAR(up.at(w), Absorbance(w), 1e-6) << w;
  }
  EXPECT_EQ(down.first(), 200);
  EXPECT_EQ(up.last(), 800);
}

TEST(ReadAbsorptionSpTest, MarkerLines) {
  const struct {
    const char* header;
    bool valid;
  } cases[] = {
      {"Data file\n", true},  // the first line is the marker; the second is data
      {"METADATA block\n", true},  {"header\n  data points follow\n", true},
      {"no marker here\n", false}, {"", false},
  };
  for (const auto& c : cases) {
    const auto r = ReadText(ReadAbsorptionSp, "m.sp", c.header + Lines(400, 500, 1));
    EXPECT_EQ(r.accepted(), c.valid) << c.header;
    if (c.valid) {
      EXPECT_EQ(r.first(), 400) << c.header;
    }
    EXPECT_TRUE(r.messages.empty());
  }
}

TEST(ReadAbsorptionSpTest, HowTheDataEnd) {
  const struct {
    const char* name;
    std::string tail;
    bool valid;
  } cases[] = {
      {"text line ends the data", "End of spectrum\n450 7\n", true},
      {"blank lines then nothing", "\n\n   \n", true},
      {"wavelength without absorbance", "451 n/a\n", false},
      {"wavelength alone", "451\n", false},
  };
  for (const auto& c : cases) {
    const auto r = ReadText(ReadAbsorptionSp, "e.sp", "#DATA\n" + Lines(400, 450, 1) + c.tail);
    EXPECT_EQ(r.accepted(), c.valid) << c.name;
    EXPECT_TRUE(r.messages.empty()) << c.name;
  }
  const auto r =
      ReadText(ReadAbsorptionSp, "e.sp", "#DATA\n" + Lines(400, 450, 1) + "End\n450 7\n");
  EXPECT_NEAR(r.at(450), Absorbance(450), 1e-6);  // not 7
}

TEST(ReadAbsorptionSpTest, RangeRule) {
  const struct {
    int first, last;
    bool valid;
  } cases[] = {{400, 410, false}, {400, 411, true}, {99, 600, false}, {1200, 1501, false}};
  for (const auto& c : cases) {
    const auto r = ReadText(ReadAbsorptionSp, "r.sp", "#DATA\n" + Lines(c.first, c.last, 1));
    EXPECT_EQ(r.accepted(), c.valid) << c.first << ".." << c.last;
    EXPECT_TRUE(r.messages.empty());
  }
}

TEST(ReadAbsorptionSpTest, MarkerFollowedByNothing) {
  const auto r = ReadText(ReadAbsorptionSp, "n.sp", "x\n#DATA\n\n  \n");
  EXPECT_FALSE(r.accepted());
  EXPECT_TRUE(r.messages.empty());
  const auto first_bad = ReadText(ReadAbsorptionSp, "f.sp", "#DATA\nwave abs\n400 1\n");
  EXPECT_FALSE(first_bad.accepted());
}

TEST(ReadAbsorptionTxtTest, TheFirstNumericLineIsSkipped) {
  std::string text = "Acceptor absorbance\n";
  for (int w = 300; w <= 700; ++w)
    text += std::to_string(w) + "," + std::to_string(w / 1000.0) + "\n";
  const auto r = ReadText(ReadAbsorptionTxt, "a.txt", text);
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 301);
  EXPECT_EQ(r.last(), 700);
  EXPECT_EQ(r.at(300), 0.0);
  EXPECT_EQ(r.at(301), 0.301);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadAbsorptionTxtTest, NoNumbersOrNothingAfterThem) {
  for (const char* text : {"just\ntext\n", "title\n12\n\n", "500,1\n"}) {
    const auto r = ReadText(ReadAbsorptionTxt, "n.txt", text);
    EXPECT_FALSE(r.accepted()) << text;
    EXPECT_TRUE(r.messages.empty()) << text;
  }
}

// Three right-aligned points in columns 1-7 and 9-15 after the count and
// five header lines.
std::string AspFile(const char* count, bool increasing) {
  std::string text = std::string(count) + "\nh1\nh2\nh3\nh4\nh5\n";
  const char* lines[] = {"  800.0  0.0100\n", "  799.0  0.0200\n", "  798.0  0.0300\n"};
  for (int i = 0; i < 3; ++i) text += lines[increasing ? 2 - i : i];
  return text;
}

TEST(ReadAbsorptionAspTest, DecreasingPointsAreAccepted) {
  const auto r = ReadText(ReadAbsorptionAsp, "a.asp", AspFile("3", false));
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 798);
  EXPECT_EQ(r.last(), 800);
  EXPECT_EQ(r.at(800), 0.01);
  EXPECT_EQ(r.at(799), 0.02);
  EXPECT_EQ(r.at(798), 0.03);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadAbsorptionAspTest, IncreasingPointsShowTheOrderMessage) {
  const auto r = ReadText(ReadAbsorptionAsp, "i.asp", AspFile("3", true));
  EXPECT_FALSE(r.accepted());
  EXPECT_EQ(r.messages, Messages{"File Error: " + r.path + " Incorrect wavelength order"});
}

TEST(ReadAbsorptionAspTest, CountDecidesHowManyLinesAreRead) {
  // A smaller count leaves lines unread.
  const auto two = ReadText(ReadAbsorptionAsp, "2.asp", AspFile("2", false));
  EXPECT_TRUE(two.accepted());
  EXPECT_EQ(two.first(), 799);
  EXPECT_EQ(two.at(798), 0.0);
  // A count of 1 or less reads one line: first and last are equal.
  const auto one = ReadText(ReadAbsorptionAsp, "1.asp", AspFile("-4", false));
  EXPECT_FALSE(one.accepted());
  EXPECT_EQ(one.messages, Messages{"File Error: " + one.path + " Incorrect wavelength order"});
  // The count may be hexadecimal, and blank lines may come before it.
  const auto hex = ReadText(ReadAbsorptionAsp, "h.asp", "\n\n" + AspFile("$3", false));
  EXPECT_TRUE(hex.accepted());
}

// A count beyond the data stops at the end of the file with one message for
// all the missing lines, and the spectrum is refused.
TEST(ReadAbsorptionAspTest, CountLargerThanTheDataIsBounded) {
  for (const char* count : {"5", "2147483647"}) {
    const auto r = ReadText(ReadAbsorptionAsp, "big.asp", AspFile(count, false));
    EXPECT_FALSE(r.accepted()) << count;
    EXPECT_EQ(r.messages, FileErrors(r.path, 1)) << count;
    EXPECT_EQ(r.at(799), 0.02);
  }
}

// Old instrument files end with Ctrl-Z. Data lines are read whole, so a
// Ctrl-Z after the data is one more line whose two fields fail; only the
// real end of the content stops the count, with its one message.
TEST(ReadAbsorptionAspTest, CtrlZAfterTheDataIsALineForTheCount) {
  const struct {
    const char* count;
    std::size_t messages;
  } cases[] = {{"4", 2}, {"5", 3}};
  for (const auto& c : cases) {
    const auto r = ReadText(ReadAbsorptionAsp, "z.asp", AspFile(c.count, false) + "\x1a");
    EXPECT_FALSE(r.accepted()) << c.count;
    EXPECT_EQ(r.read.refusal, Refusal::kOffGrid) << c.count;
    EXPECT_EQ(r.messages, FileErrors(r.path, c.messages)) << c.count;
    EXPECT_EQ(r.at(798), 0.03) << c.count;
  }
}

// A Ctrl-Z opening a data line used to end the file for the count guard, so
// the spectrum ended on a made-up point off the grid and was refused.
TEST(ReadAbsorptionAspTest, CtrlZAtTheStartOfADataLineDoesNotEndTheFile) {
  const auto r = ReadText(ReadAbsorptionAsp, "z.asp",
                          "3\nh1\nh2\nh3\nh4\nh5\n  800.0  0.0100\n\x1a"
                          "799.0  0.0200\n  798.0  0.0300\n");
  EXPECT_TRUE(r.accepted());
  // The line's wavelength field fails; the point it makes lies off the grid.
  EXPECT_EQ(r.messages, FileErrors(r.path, 1));
  EXPECT_EQ(r.first(), 798);
  EXPECT_EQ(r.last(), 800);
  EXPECT_EQ(r.at(800), 0.01);
  EXPECT_EQ(r.at(799), 0.0);
  EXPECT_EQ(r.at(798), 0.03);
}

// A stray point after the data, on the grid but beyond the accepted range,
// does not stay in the grid.
TEST(ReadAbsorptionSpTest, NothingStaysBeyondTheAcceptedRange) {
  const auto r = ReadText(ReadAbsorptionSp, "s.sp", "#DATA\n" + Lines(400, 500, 1) + "300 0.5\n");
  ASSERT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 300);  // the stray point is the last one read
  EXPECT_EQ(r.last(), 400);
  EXPECT_EQ(r.at(450), 0.0);
  EXPECT_EQ(r.at(300), 0.5);
}

TEST(ReadAbsorptionAspTest, FieldsThatFailReportAndGoOn) {
  const std::string text = "3\nh\nh\nh\nh\nh\n  800.0  0.0100\n  799.0  0.02x0\n  798.0  0.0300\n";
  const auto r = ReadText(ReadAbsorptionAsp, "f.asp", text);
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.messages, FileErrors(r.path, 1));
  EXPECT_EQ(r.at(799), 2.0);  // the digits before the x
}

TEST(ReadAbsorptionAbtTest, LeadingBlankCountsOnLinesThreeAndFourOnly) {
  // Columns 1-6 and 8-12 fit the lines with their blank; from line 5 on the
  // blank is gone, so the absorbance column starts one character later.
  const auto r = ReadText(ReadAbsorptionAbt, "b.abt",
                          "title\nnm A\n 400.0 1.100\n 401.0 1.200\n 402.0 1.300\n 403.0 1.400\n");
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 400);
  EXPECT_EQ(r.last(), 403);
  EXPECT_EQ(r.at(400), 1.1);
  EXPECT_EQ(r.at(401), 1.2);
  EXPECT_EQ(r.at(402), 0.3);
  EXPECT_EQ(r.at(403), 0.4);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadAbsorptionAbtTest, IncreasingAndDecreasing) {
  const auto up = ReadText(ReadAbsorptionAbt, "u.abt", "t\nt\n400.0 0.100\n404.0 0.500\n");
  EXPECT_TRUE(up.accepted());
  EXPECT_DOUBLE_EQ(up.at(402), 0.3);  // filled upward
  const auto down = ReadText(ReadAbsorptionAbt, "d.abt", "t\nt\n404.0 0.500\n400.0 0.100\n");
  EXPECT_FALSE(down.accepted());
  EXPECT_EQ(down.messages, Messages{"File Error: " + down.path + " Incorrect wavelength order"});
}

// A closing remark is read as a data line: both fields fail, and its
// wavelength 0 lies off the grid, so the spectrum is refused without an
// order message.
TEST(ReadAbsorptionAbtTest, TextAfterTheData) {
  const auto r =
      ReadText(ReadAbsorptionAbt, "t.abt", "t\nt\n400.0 0.100\n420.0 0.500\nend of scan\n");
  EXPECT_FALSE(r.accepted());
  EXPECT_EQ(r.messages, FileErrors(r.path, 2));
}

TEST(ReadAbsorptionAbsTest, DecreasingPairsFillDownward) {
  const auto r = ReadText(ReadAbsorptionAbs, "a.abs", "700 0.1\n698 0.3\n696 0.5\n");
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.first(), 696);
  EXPECT_EQ(r.last(), 700);
  EXPECT_DOUBLE_EQ(r.at(697), 0.4);
  EXPECT_DOUBLE_EQ(r.at(699), 0.2);
  EXPECT_TRUE(r.messages.empty());
}

TEST(ReadAbsorptionAbsTest, IncreasingPairsShowTheOrderMessage) {
  const auto r = ReadText(ReadAbsorptionAbs, "i.abs", "696 0.5\n698 0.3\n700 0.1\n");
  EXPECT_FALSE(r.accepted());
  EXPECT_EQ(r.messages, Messages{"File Error: " + r.path + " Incorrect wavelength order"});
}

TEST(ReadAbsorptionAbsTest, PairsAcrossLinesAndRestOfLineSkipped) {
  // The absorbance of 700 stands on the next line; the rest of that line
  // (a stray 5) is skipped.
  const auto r = ReadText(ReadAbsorptionAbs, "s.abs", "700\n0.1 5\n\t698   0.3 note\n");
  EXPECT_TRUE(r.accepted());
  EXPECT_EQ(r.at(700), 0.1);
  EXPECT_EQ(r.at(698), 0.3);
  EXPECT_TRUE(r.messages.empty());
}

// With commas each line is one token that fails: a point takes its two
// tokens from two lines, and every point reports.
TEST(ReadAbsorptionAbsTest, CommaSeparatedPairsAreNotPairs) {
  const auto r = ReadText(ReadAbsorptionAbs, "c.abs", "700,0.1\n698,0.3\n696,0.5\n694,0.7\n");
  EXPECT_EQ(r.messages, FileErrors(r.path, 2));
  EXPECT_EQ(r.at(700), 698.0);
  EXPECT_EQ(r.at(696), 694.0);
}

}  // namespace
}  // namespace korin
