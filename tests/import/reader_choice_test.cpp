#include "import/reader_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "import/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

using testing::FileErrors;
using testing::Messages;
using testing::ReadPath;
using testing::TempDir;

TEST(ReaderChoiceTest, FilterEntryAndExtension) {
  const struct {
    SpectrumSide side;
    int entry;
    const char* path;
    SpectrumReader expected;
  } cases[] = {
      {SpectrumSide::kAbsorption, 1, "/data/scan.Abs", ReadAbsorptionAbs},
      {SpectrumSide::kAbsorption, 1, "/data/scan.abt", ReadAbsorptionAbt},
      {SpectrumSide::kAbsorption, 1, "/data/scan.ASP", ReadAbsorptionAsp},
      {SpectrumSide::kAbsorption, 1, "/data/scan.sp", ReadAbsorptionSp},
      {SpectrumSide::kAbsorption, 1, "/data/scan.txt", ReadAbsorptionTxt},
      {SpectrumSide::kAbsorption, 1, "/data/scan.dat", nullptr},
      {SpectrumSide::kAbsorption, 1, "/data/scan", nullptr},
      {SpectrumSide::kAbsorption, 1, "/data.v2/scan", nullptr},  // the dot is in a folder
      {SpectrumSide::kAbsorption, 1, "C:scan", nullptr},
      {SpectrumSide::kAbsorption, 1, "C:\\run.1\\scan", nullptr},
      {SpectrumSide::kAbsorption, 1, "/data/scan.sp.bak", nullptr},
      {SpectrumSide::kAbsorption, 1, "/data/scan.csv", nullptr},
      {SpectrumSide::kAbsorption, 2, "/data/scan.txt", ReadAbsorptionAbs},
      {SpectrumSide::kAbsorption, 3, "/data/scan.txt", ReadAbsorptionAbt},
      {SpectrumSide::kAbsorption, 4, "/data/scan.dat", ReadAbsorptionAsp},
      {SpectrumSide::kAbsorption, 5, "/data/scan", ReadAbsorptionSp},
      {SpectrumSide::kAbsorption, 6, "/data/scan.sp", ReadAbsorptionTxt},
      {SpectrumSide::kAbsorption, 0, "/data/scan.sp", nullptr},
      {SpectrumSide::kAbsorption, 7, "/data/scan.sp", nullptr},
      {SpectrumSide::kEmission, 1, "/data/d.iss", ReadEmissionColumns},
      {SpectrumSide::kEmission, 1, "/data/d.RLS", ReadEmissionColumns},
      {SpectrumSide::kEmission, 1, "/data/d.txt", ReadEmissionTxt},
      {SpectrumSide::kEmission, 1, "/data/d.csv", ReadEmissionColumns},
      {SpectrumSide::kEmission, 1, "/data/d.ifx", ReadEmissionColumns},
      {SpectrumSide::kEmission, 1, "/data/d.sp", nullptr},
      {SpectrumSide::kEmission, 2, "/data/d.txt", ReadEmissionColumns},
      {SpectrumSide::kEmission, 3, "/data/d.txt", ReadEmissionColumns},
      {SpectrumSide::kEmission, 4, "/data/d.txt", ReadEmissionColumns},
      {SpectrumSide::kEmission, 5, "/data/scan.csv", ReadEmissionTxt},
      {SpectrumSide::kEmission, 6, "/data/d.txt", ReadEmissionColumns},
      {SpectrumSide::kEmission, -1, "/data/d.csv", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseReader(c.side, c.entry, c.path), c.expected)
        << c.path << " on entry " << c.entry;
  }
}

TEST(ReaderChoiceTest, FileExtension) {
  EXPECT_EQ(FileExtension("/a/b.Sp"), ".SP");
  EXPECT_EQ(FileExtension("b."), ".");
  EXPECT_EQ(FileExtension("/a.b/c"), "");
  EXPECT_EQ(FileExtension("x.t\xE9t"), ".T\xE9T");  // only a-z change case
}

TEST(ReaderChoiceTest, FilterListsOfferSixEntries) {
  for (const std::string_view filter : {kAbsorptionFilter, kEmissionFilter}) {
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 2 * kFilterEntryCount - 1);
  }
  // The dialogs show these texts as they stand, misspelling included.
  EXPECT_EQ(kAbsorptionFilter,
            "Arsorption File (*.abs; *.abt; *.asp; *.sp; *.txt)|*.abs;*.abt;*.asp;*.sp;*.txt|"
            "A vs. Wavelength in decreased order (*.abs)|*.abs|"
            "A vs. Wavelength in increased order (*.abt)|*.abt|*.asp|*.asp|"
            "PerkinElmer Lambda (*.sp)|*.sp|Invitrogen (*.txt)|*.txt");
  EXPECT_EQ(kEmissionFilter,
            "Emission File (*.iss; *.rls; *.txt; *.csv; *.ifx)|*.iss;*.rls;*.txt;*.csv;*.ifx|"
            "ISS (*.ifx)|*.ifx|ISS (*.iss)|*.iss|*.rls|*.rls|*.txt|*.txt|"
            "Emission CSV File (*.csv)|*.csv");
  EXPECT_EQ(kAbsorptionDialogTitle, "Absorption spectrum");
  EXPECT_EQ(kEmissionDialogTitle, "Emission spectrum");
}

TEST(ShortenFileNameTest, FortyCharactersShowWhole) {
  const std::string forty = "/home/user/spectra/acceptor/absorb1.asp";
  ASSERT_EQ(forty.size(), 39u);
  EXPECT_EQ(ShortenFileName(forty + "x"), forty + "x");
  const std::string long_path = "/home/user/spectra/acceptor/absorbanc.asp";
  ASSERT_EQ(long_path.size(), 41u);
  const std::string shortened = ShortenFileName(long_path);
  EXPECT_EQ(shortened, "/home/user/spectra/...cceptor/absorbanc.asp");
  EXPECT_EQ(shortened.size(), 43u);
  EXPECT_EQ(ShortenFileName(""), "");
}

TEST(ShortenFileNameTest, NeverCutsInsideACharacter) {
  std::string path = "/daten/";
  for (int i = 0; i < 40; ++i) path += "\xC3\xA9";  // e with acute accent, two bytes
  path += ".csv";
  const std::string shortened = ShortenFileName(path);
  std::string expected = "/daten/";
  for (int i = 0; i < 12; ++i) expected += "\xC3\xA9";
  expected += "...";
  for (int i = 0; i < 17; ++i) expected += "\xC3\xA9";
  expected += ".csv";
  EXPECT_EQ(shortened, expected);
}

struct ReaderCase {
  SpectrumSide side;
  int entry;
  // Messages after the open failure's own, for a file that cannot be opened;
  // and all messages for an empty file.
  std::size_t after_open_failure;
  std::size_t for_empty_file;
};

// Every reader, reached through the choice table as the windows reach it.
constexpr ReaderCase kEveryReader[] = {
    {SpectrumSide::kAbsorption, 2, 1, 0},  // .abs: the first point's read error
    {SpectrumSide::kAbsorption, 3, 4, 4},  // .abt: both fields of lines 3 and 4
    {SpectrumSide::kAbsorption, 4, 2, 2},  // .asp: both fields of the first data line
    {SpectrumSide::kAbsorption, 5, 0, 0},  // .sp
    {SpectrumSide::kAbsorption, 6, 0, 0},  // .txt
    {SpectrumSide::kEmission, 2, 0, 0},    // two-field lines
    {SpectrumSide::kEmission, 5, 0, 0},    // four-field lines
};

bool Valid(const FretSession& s, SpectrumSide side) {
  return side == SpectrumSide::kAbsorption ? s.AbsorptionValid : s.EmissionValid;
}

bool AllFinite(const FretSession& s) {
  for (const SpectrumGrid* grid : {&s.DonorEmission, &s.AcceptorAbsorbance}) {
    for (const double v : grid->values()) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

TEST(EveryReaderTest, FilesThatCannotBeOpened) {
  TempDir dir;
  for (const auto& c : kEveryReader) {
    SCOPED_TRACE(c.entry);
    for (const std::string& path : {(dir.path() / "missing.dat").string(), dir.path().string()}) {
      const auto r = ReadPath(ChooseReader(c.side, c.entry, path), path);
      EXPECT_FALSE(Valid(*r.session, c.side));
      EXPECT_EQ(r.messages, FileErrors(path, 1 + c.after_open_failure));
    }
  }
}

TEST(EveryReaderTest, EmptyFile) {
  TempDir dir;
  const std::string path = dir.Write("empty.dat", "");
  for (const auto& c : kEveryReader) {
    const auto r = ReadPath(ChooseReader(c.side, c.entry, path), path);
    EXPECT_FALSE(Valid(*r.session, c.side)) << c.entry;
    EXPECT_EQ(r.messages, FileErrors(path, c.for_empty_file)) << c.entry;
  }
}

// Bytes without a digit, sign, point or line end: every field fails and the
// whole file is one line. The messages are those of the empty file, except
// that the .abs reader now reads two failing tokens.
TEST(EveryReaderTest, BinaryGarbage) {
  TempDir dir;
  std::string garbage;
  for (int i = 0; i < 5000; ++i) {
    garbage.push_back(static_cast<char>(i % 3 == 0 ? i % 10 : 0x80 + (i * 37) % 0x80));
  }
  const std::string path = dir.Write("garbage.dat", garbage);
  for (const auto& c : kEveryReader) {
    const auto r = ReadPath(ChooseReader(c.side, c.entry, path), path);
    EXPECT_FALSE(Valid(*r.session, c.side)) << c.entry;
    const std::size_t expected =
        c.entry == 2 && c.side == SpectrumSide::kAbsorption ? 1 : c.for_empty_file;
    EXPECT_EQ(r.messages, FileErrors(path, expected)) << c.entry;
    EXPECT_TRUE(AllFinite(*r.session));
  }
}

// Random bytes of every kind, lines included: whatever a reader makes of
// them, it ends, reports a bounded number of times, stores nothing
// non-finite, and accepts only a spectrum that lies on the grid.
TEST(EveryReaderTest, RandomBytes) {
  TempDir dir;
  std::mt19937 random(20261207);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4096, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 256);
    const std::string path = dir.Write("random.dat", bytes);
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    for (const auto& c : kEveryReader) {
      const auto r = ReadPath(ChooseReader(c.side, c.entry, path), path);
      EXPECT_LE(r.messages.size(), 2 * lines + 4) << c.entry;
      EXPECT_TRUE(AllFinite(*r.session)) << c.entry;
      if (Valid(*r.session, c.side)) {
        const FretSession& s = *r.session;
        const bool absorption = c.side == SpectrumSide::kAbsorption;
        EXPECT_TRUE(SpectrumGrid::Contains(absorption ? s.AbsorptionFirst : s.EmissionFirst));
        EXPECT_TRUE(SpectrumGrid::Contains(absorption ? s.AbsorptionLast : s.EmissionLast));
      }
    }
  }
}

TEST(EveryReaderTest, VeryLongSingleLine) {
  TempDir dir;
  const std::string digits = dir.Write("digits.dat", std::string(10'000'000, '7'));
  const std::string blanks = dir.Write("blanks.dat", std::string(10'000'000, ' ') + "x");
  for (const auto& c : kEveryReader) {
    for (const std::string& path : {digits, blanks}) {
      const auto r = ReadPath(ChooseReader(c.side, c.entry, path), path);
      EXPECT_FALSE(Valid(*r.session, c.side)) << c.entry;
      EXPECT_LE(r.messages.size(), 4u) << c.entry;
      EXPECT_TRUE(AllFinite(*r.session));
    }
  }
}

// The bundled samples: every format of each side reads the same spectrum.
TEST(SampleFilesTest, EveryFormatReadsTheSamplePair) {
  const std::string samples = std::string(KORIN_SAMPLES_DIR) + "/";
  const struct {
    const char* name;
    SpectrumSide side;
    int first, last;
  } cases[] = {
      {"donor_emission.csv", SpectrumSide::kEmission, 480, 700},
      {"donor_emission.ifx", SpectrumSide::kEmission, 480, 700},
      {"donor_emission.iss", SpectrumSide::kEmission, 480, 700},
      {"donor_emission.rls", SpectrumSide::kEmission, 480, 700},
      {"donor_emission.txt", SpectrumSide::kEmission, 480, 700},
      {"acceptor_absorption.sp", SpectrumSide::kAbsorption, 400, 700},
      {"acceptor_absorption.txt", SpectrumSide::kAbsorption, 400, 700},
      {"acceptor_absorption.asp", SpectrumSide::kAbsorption, 400, 700},
      {"acceptor_absorption.abt", SpectrumSide::kAbsorption, 400, 700},
      {"acceptor_absorption.abs", SpectrumSide::kAbsorption, 400, 700},
  };
  for (const auto& c : cases) {
    const std::string path = samples + c.name;
    const auto r = ReadPath(ChooseReader(c.side, 1, path), path);
    const FretSession& s = *r.session;
    ASSERT_TRUE(Valid(s, c.side)) << c.name;
    EXPECT_TRUE(r.messages.empty()) << c.name;
    const bool absorption = c.side == SpectrumSide::kAbsorption;
    // The .txt absorption format skips its first numeric line, the count.
    EXPECT_EQ(absorption ? s.AbsorptionFirst : s.EmissionFirst, c.first) << c.name;
    EXPECT_EQ(absorption ? s.AbsorptionLast : s.EmissionLast, c.last) << c.name;
    const SpectrumGrid& grid = absorption ? s.AcceptorAbsorbance : s.DonorEmission;
    const double peak = std::ranges::max(grid.values());
    EXPECT_NEAR(peak, absorption ? 0.85 : 86000.0, absorption ? 0.01 : 1000.0) << c.name;
  }
}

}  // namespace
}  // namespace korin
