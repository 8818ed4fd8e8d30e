// Why a reader refused a spectrum, and how a status line says it.
#include "io/spectrum_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "io/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

TEST(RefusalTest, EachRefusalAndItsText) {
  const std::string rule = ", and a spectrum must span more than 10 nm within 100 to 1500 nm";
  const struct {
    const char* name;
    SpectrumReader reader;
    std::string content;
    Refusal refusal;
    std::string text;
    std::size_t messages;
  } cases[] = {
      {"accepted", ReadEmissionColumns, "300 1\n311 2\n", Refusal::kNone, "", 0},
      {"only a header", ReadEmissionColumns, "Wavelength,Intensity\n", Refusal::kNoData,
       "no data points found", 0},
      {"first data line is text", ReadAbsorptionSp, "#DATA\nnm A\n400 1\n", Refusal::kNoData,
       "no data points found", 0},
      {"empty .abs", ReadAbsorptionAbs, " \n", Refusal::kNoData, "no data points found", 0},
      {"intensity missing", ReadEmissionColumns, "300 1\n320 2\n330\n", Refusal::kValueMissing,
       "a data line holds a wavelength but no value", 0},
      {"absorbance not a number", ReadAbsorptionSp, "#DATA\n400 1\n401 n/a\n",
       Refusal::kValueMissing, "a data line holds a wavelength but no value", 0},
      {"text after four-column data", ReadEmissionTxt, "1 0 300 1\n2 0 320 2\nEnd of data\n",
       Refusal::kLeadingFields,
       "a line does not begin with the two numbers this format puts before the wavelength", 0},
      {"span of five", ReadAbsorptionSp, "#DATA\n400 1\n405 2\n", Refusal::kRange,
       "its wavelengths run from 400 to 405 nm" + rule, 0},
      {"one wavelength", ReadEmissionColumns, "400 1\n400.2 2\n", Refusal::kRange,
       "its only wavelength is 400 nm" + rule, 0},
      {"decreasing two-column file", ReadEmissionColumns, "700 1\n300 2\n", Refusal::kRange,
       "its wavelengths run from 700 down to 300 nm, and this format needs them increasing", 0},
      {"below the grid", ReadEmissionColumns, "50 1\n600 2\n", Refusal::kRange,
       "its wavelengths lie outside 100 to 1500 nm", 0},
      {"above the grid, decreasing", ReadEmissionColumns, "1600 1\n300 2\n", Refusal::kRange,
       "its wavelengths lie outside 100 to 1500 nm", 0},
      {"increasing .abs", ReadAbsorptionAbs, "696 0.5\n700 0.1\n", Refusal::kOrder,
       "its wavelengths do not run in the order this format needs", 1},
      {"text after .abt data", ReadAbsorptionAbt, "t\nt\n400.0 0.100\n420.0 0.500\nend\n",
       Refusal::kOffGrid, "its wavelengths lie outside 100 to 1500 nm", 2},
  };
  for (const auto& c : cases) {
    const auto r = testing::ReadText(c.reader, "/data/s.dat", c.content);
    EXPECT_EQ(r.accepted(), c.refusal == Refusal::kNone) << c.name;
    EXPECT_EQ(r.read.refusal, c.refusal) << c.name;
    const std::string text = RefusalText(r.read);
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_TRUE(std::ranges::all_of(text, [](char ch) { return ch > 0 && ch < 127; })) << c.name;
    EXPECT_EQ(r.messages.size(), c.messages) << c.name;
  }
}

}  // namespace
}  // namespace korin
