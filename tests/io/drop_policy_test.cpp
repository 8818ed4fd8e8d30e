#include "io/drop_policy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_files.h"

namespace korin {
namespace {

TEST(DropPolicyTest, TheFirstFileAReaderTakesByItsExtension) {
  const std::vector<std::string> files{"notes.doc", "dye.CSV", "acceptor.sp", "both.txt"};
  const struct {
    std::optional<SpectrumSide> side;
    std::optional<std::size_t> chosen;
  } cases[] = {
      {SpectrumSide::kEmission, 1},    // .csv reads as emission
      {SpectrumSide::kAbsorption, 2},  // .sp as absorption
      {std::nullopt, 1},               // the plot takes either
  };
  for (const auto& c : cases) EXPECT_EQ(FirstReadable(files, c.side), c.chosen);
  EXPECT_FALSE(FirstReadable(std::vector<std::string>{"a.doc", "b"}, std::nullopt));
  EXPECT_TRUE(ReadsByExtension(SpectrumSide::kEmission, "both.txt"));
  EXPECT_TRUE(ReadsByExtension(SpectrumSide::kAbsorption, "both.txt"));
  EXPECT_FALSE(ReadsByExtension(SpectrumSide::kAbsorption, "dye.csv"));
}

TEST(DropPolicyTest, TheFirstFileHoldingATable) {
  const testing::TempDir dir;
  const std::vector<std::string> files{
      (dir.path() / "missing.dat").string(),
      dir.Write("prose.dat", "no numbers here\nnor here\n"),
      dir.Write("dye.dat", "Wavelength\tEmission\n500\t1\n501\t2\n502\t3\n"),
      dir.Write("later.tsv", "500\t1\n501\t2\n"),
  };
  const auto found = FirstTable(files);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->first, 2u);
  EXPECT_TRUE(found->second.file.opened);
  EXPECT_EQ(found->second.table.columns.size(), 2u);
  EXPECT_FALSE(FirstTable(std::vector<std::string>(files.begin(), files.begin() + 2)));
}

// A table goes to the column dialog when the reader its extension chooses
// would take one of several spectra without asking, or would refuse it.
TEST(DropPolicyTest, WhenTheColumnDialogIsOffered) {
  std::string two = "Wavelength,Intensity\n";
  std::string three = "Wavelength,Excitation,Emission\n";
  std::string semicolons = "Sample 1\n";
  for (int nm = 450; nm <= 600; ++nm) {
    two += std::to_string(nm) + "," + std::to_string(nm % 17 + 1) + "\n";
    three += std::to_string(nm) + ",1," + std::to_string(nm % 17 + 1) + "\n";
    // Semicolons: the CSV reader cannot cut them into fields and refuses
    // the file, while the table scan reads them.
    semicolons += std::to_string(nm) + ";" + std::to_string(nm % 17 + 1) + "\n";
  }
  const struct {
    const char* name;
    std::string content;
    bool needs_dialog;
  } cases[] = {
      {"plain.csv", two, false},
      {"several.csv", three, true},
      {"semicolons.csv", semicolons, true},
      {"no table.csv", "hello\n", false},
  };
  for (const auto& c : cases) {
    const SpectrumSource source{c.name, c.content};
    EXPECT_EQ(NeedsColumnChoice(source, ScanColumnTable(c.content), SpectrumSide::kEmission),
              c.needs_dialog)
        << c.name;
  }
}

}  // namespace
}  // namespace korin
