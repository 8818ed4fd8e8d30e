#include "plan/channel.h"

#include <gtest/gtest.h>

#include <map>

namespace korin {
namespace {

Channel Build(std::vector<std::string> parts,
              const std::map<std::string, std::string>& files = {}) {
  return BuildChannel(parts, "donor channel",
                      [&](const std::string& path) -> std::optional<std::string> {
                        const auto found = files.find(path);
                        if (found == files.end()) return std::nullopt;
                        return found->second;
                      });
}

std::string Curve(int first, int last, double value) {
  std::string text = "Wavelength,Transmission\n";
  for (int w = first; w <= last; ++w)
    text += std::to_string(w) + "," + std::to_string(value) + "\n";
  return text;
}

TEST(ChannelTest, BandPassTexts) {
  struct Case {
    const char* text;
    bool accepted;
  };
  for (const Case& c : {Case{"585/65", true}, Case{"525.5/50", true}, Case{"585", false},
                        Case{"585/", false}, Case{"/65", false}, Case{"585/0", false},
                        Case{"-5/10", false}, Case{"585,5/10", false}, Case{"a/b", false}}) {
    EXPECT_EQ(ParseBandPass(c.text).has_value(), c.accepted) << c.text;
  }
}

TEST(ChannelTest, BandPassEndsAreInclusive) {
  struct Case {
    const char* band;
    int low, high;
  };
  for (const Case& c :
       {Case{"585/65", 553, 617}, Case{"550/20", 540, 560}, Case{"700/75", 663, 737}}) {
    const Channel channel = Build({c.band});
    ASSERT_EQ(channel.refusal, "");
    EXPECT_EQ(channel.transmission[c.low - 1], 0.0) << c.band;
    EXPECT_EQ(channel.transmission[c.low], 1.0) << c.band;
    EXPECT_EQ(channel.transmission[c.high], 1.0) << c.band;
    EXPECT_EQ(channel.transmission[c.high + 1], 0.0) << c.band;
  }
}

TEST(ChannelTest, FilesAreFractionsOrPercentAndMultiply) {
  const Channel percent = Build({"f.csv"}, {{"f.csv", Curve(500, 600, 80)}});
  ASSERT_EQ(percent.refusal, "");
  EXPECT_DOUBLE_EQ(percent.transmission[550], 0.8);
  EXPECT_EQ(percent.transmission[499], 0.0) << "outside its range a filter transmits nothing";
  EXPECT_NE(percent.notes.front().find("percent"), std::string::npos);

  const Channel product = Build({"f.csv", "d.csv", "540/20"},
                                {{"f.csv", Curve(500, 600, 0.5)}, {"d.csv", Curve(500, 600, 0.9)}});
  ASSERT_EQ(product.refusal, "");
  EXPECT_DOUBLE_EQ(product.transmission[540], 0.45);
  EXPECT_EQ(product.transmission[560], 0.0);
  EXPECT_NE(product.notes.front().find("a fraction"), std::string::npos);
}

TEST(ChannelTest, RefusalsNameThePart) {
  EXPECT_NE(Build({"f.csv"}, {{"f.csv", Curve(500, 600, 150)}}).refusal.find("above 100 %"),
            std::string::npos);
  EXPECT_NE(Build({"missing.csv"}).refusal.find("'missing.csv' is neither a band-pass"),
            std::string::npos);
  EXPECT_NE(
      Build({"f.csv"}, {{"f.csv", "no numbers here\n"}}).refusal.find("gives no transmission"),
      std::string::npos);
  EXPECT_NE(Build({}).refusal.find("needs a band-pass"), std::string::npos);
}

}  // namespace
}  // namespace korin
