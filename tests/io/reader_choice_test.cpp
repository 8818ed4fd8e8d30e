#include "io/reader_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "io/column_reader.h"
#include "io/spectrum_readers.h"
#include "support/reader_run.h"

namespace korin {
namespace {

using testing::FileErrors;
using testing::Messages;
using testing::ReadText;
using testing::ReadUnopened;

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

// The filter lists derived from the format rows are those the dialogs have
// always shown, byte for byte, misspelling included.
TEST(OpenDialogTest, FilterListsAsTheDialogsShowThem) {
  const std::string absorption =
      "Arsorption File (*.abs; *.abt; *.asp; *.sp; *.txt)|*.abs;*.abt;*.asp;*.sp;*.txt|"
      "A vs. Wavelength in decreased order (*.abs)|*.abs|"
      "A vs. Wavelength in increased order (*.abt)|*.abt|"
      "*.asp|*.asp|"
      "PerkinElmer Lambda (*.sp)|*.sp|"
      "Invitrogen (*.txt)|*.txt";
  const std::string emission =
      "Emission File (*.iss; *.rls; *.txt; *.csv; *.ifx)|*.iss;*.rls;*.txt;*.csv;*.ifx|"
      "ISS (*.ifx)|*.ifx|"
      "ISS (*.iss)|*.iss|"
      "*.rls|*.rls|"
      "*.txt|*.txt|"
      "Emission CSV File (*.csv)|*.csv";
  EXPECT_EQ(OpenDialogFilter(SpectrumSide::kAbsorption), absorption);
  EXPECT_EQ(OpenDialogFilter(SpectrumSide::kEmission), emission);
  for (const SpectrumSide side : {SpectrumSide::kAbsorption, SpectrumSide::kEmission}) {
    const std::string filter = OpenDialogFilter(side);
    EXPECT_EQ(FilterEntryCount(side), 6);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 2 * FilterEntryCount(side) - 1);
  }
  EXPECT_EQ(OpenDialogTitle(SpectrumSide::kAbsorption), "Absorption spectrum");
  EXPECT_EQ(OpenDialogTitle(SpectrumSide::kEmission), "Emission spectrum");
}

// What the derivations rely on: each side's own entries run from 2 without
// gaps or repeats, and every extension is its pattern's, upper-cased.
TEST(SpectrumFormatsTest, RowsAreConsistent) {
  for (const SpectrumSide side : {SpectrumSide::kAbsorption, SpectrumSide::kEmission}) {
    for (int entry = 2; entry <= FilterEntryCount(side); ++entry) {
      const auto rows = std::ranges::count_if(SpectrumFormats(), [&](const SpectrumFormat& f) {
        return f.side == side && f.filter_entry == entry;
      });
      EXPECT_EQ(rows, 1) << "entry " << entry;
    }
  }
  for (const SpectrumFormat& f : SpectrumFormats()) {
    EXPECT_NE(f.reader, nullptr) << f.pattern;
    EXPECT_FALSE(f.reader_name.empty()) << f.pattern;
    EXPECT_TRUE(f.pattern.starts_with("*.")) << f.pattern;
    // The column import is reached by its own command only.
    if (f.extension.empty()) {
      EXPECT_EQ(f.filter_entry, 0) << f.pattern;
      EXPECT_EQ(&ColumnFormat(f.side), &f);
      continue;
    }
    EXPECT_EQ(FileExtension(f.pattern), f.extension) << f.pattern;
  }
}

// No extension and no entry reaches the column import: entry 1 goes on
// choosing by extension alone, and a name ending in "." chooses nothing.
TEST(SpectrumFormatsTest, NoEntryChoosesTheColumnImport) {
  for (const SpectrumSide side : {SpectrumSide::kAbsorption, SpectrumSide::kEmission}) {
    EXPECT_EQ(ColumnFormat(side).reader_name, "delimited columns");
    for (int entry = 0; entry <= 7; ++entry) {
      for (const char* path : {"/d/x.csv", "/d/x.tsv", "/d/x.dat", "/d/x.", "/d/x"}) {
        EXPECT_NE(ChooseFormat(side, entry, path), &ColumnFormat(side)) << path << " " << entry;
      }
    }
  }
}

// A format the dialog does not offer (filter entry 0) leaves the filter list
// as it was and is reached only by its extension through entry 1.
TEST(SpectrumFormatsTest, AFormatTheDialogDoesNotOffer) {
  std::vector<SpectrumFormat> rows(SpectrumFormats().begin(), SpectrumFormats().end());
  rows.push_back({SpectrumSide::kEmission, 0, "Spectra (*.spc)", "*.spc", ".SPC",
                  ReadEmissionColumns, "two-column text", 2});
  EXPECT_EQ(OpenDialogFilter(SpectrumSide::kEmission, rows),
            OpenDialogFilter(SpectrumSide::kEmission));
  EXPECT_EQ(ChooseFormat(SpectrumSide::kEmission, 1, "/d/x.Spc", rows), &rows.back());
  EXPECT_EQ(ChooseFormat(SpectrumSide::kAbsorption, 1, "/d/x.spc", rows), nullptr);
  EXPECT_EQ(ChooseFormat(SpectrumSide::kEmission, 0, "/d/x.spc", rows), nullptr);
  for (int entry = 2; entry <= 6; ++entry) {
    const SpectrumFormat* chosen = ChooseFormat(SpectrumSide::kEmission, entry, "/d/x.spc", rows);
    ASSERT_NE(chosen, nullptr) << entry;
    EXPECT_EQ(chosen->filter_entry, entry);
  }
}

TEST(ChooseFormatTest, ByEntryAndByExtension) {
  const struct {
    SpectrumSide side;
    int entry;
    const char* path;
    const char* pattern;  // of the format chosen; nullptr for none
    const char* reader_name;
  } cases[] = {
      {SpectrumSide::kAbsorption, 1, "/d/a.ABS", "*.abs", "decreasing wavelength/absorbance pairs"},
      {SpectrumSide::kAbsorption, 1, "/d/a.asp", "*.asp", "fixed columns after a point count"},
      {SpectrumSide::kAbsorption, 1, "/d/a.Txt", "*.txt", "two-column text after a count"},
      {SpectrumSide::kAbsorption, 3, "/d/a.sp", "*.abt", "increasing fixed columns"},
      {SpectrumSide::kAbsorption, 5, "/d/a", "*.sp", "text after a DATA line"},
      {SpectrumSide::kAbsorption, 1, "/d/a.csv", nullptr, nullptr},
      {SpectrumSide::kAbsorption, 0, "/d/a.sp", nullptr, nullptr},
      {SpectrumSide::kAbsorption, 7, "/d/a.sp", nullptr, nullptr},
      {SpectrumSide::kEmission, 1, "/d/d.IFX", "*.ifx", "two-column text"},
      {SpectrumSide::kEmission, 1, "/d/d.txt", "*.txt", "four-column text"},
      {SpectrumSide::kEmission, 2, "/d/d.txt", "*.ifx", "two-column text"},
      {SpectrumSide::kEmission, 5, "/d/d.csv", "*.txt", "four-column text"},
      {SpectrumSide::kEmission, 6, "/d/d.txt", "*.csv", "two-column text"},
      {SpectrumSide::kEmission, 1, "/d/d.abs", nullptr, nullptr},
      {SpectrumSide::kEmission, -1, "/d/d.csv", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const SpectrumFormat* format = ChooseFormat(c.side, c.entry, c.path);
    if (c.pattern == nullptr) {
      EXPECT_EQ(format, nullptr) << c.path << " on entry " << c.entry;
      continue;
    }
    ASSERT_NE(format, nullptr) << c.path << " on entry " << c.entry;
    EXPECT_EQ(format->side, c.side);
    EXPECT_EQ(format->pattern, c.pattern) << c.path << " on entry " << c.entry;
    EXPECT_EQ(format->reader_name, c.reader_name) << c.path;
    if (c.entry >= 2) {
      EXPECT_EQ(format->filter_entry, c.entry);
    }
  }
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

// What every reader reports for a file that cannot be opened (after the
// open failure's own message) and for an empty file.
struct ReaderCase {
  SpectrumReader reader;
  std::size_t after_open_failure;
  std::size_t for_empty_file;
  Refusal empty_refusal;
};

constexpr ReaderCase kEveryReader[] = {
    {ReadAbsorptionAbs, 1, 0, Refusal::kNoData},   // the first point's read error
    {ReadAbsorptionAbt, 4, 4, Refusal::kOffGrid},  // both fields of lines 3 and 4
    {ReadAbsorptionAsp, 2, 2, Refusal::kOffGrid},  // both fields of the first data line
    {ReadAbsorptionSp, 0, 0, Refusal::kNoData},
    {ReadAbsorptionTxt, 0, 0, Refusal::kNoData},
    {ReadEmissionColumns, 0, 0, Refusal::kNoData},
    {ReadEmissionTxt, 0, 0, Refusal::kNoData},
    {ReadAbsorptionFromColumns, 0, 0, Refusal::kNoData},
    {ReadEmissionFromColumns, 0, 0, Refusal::kNoData},
};

const ReaderCase& CaseOf(SpectrumReader reader) {
  const auto found = std::ranges::find(kEveryReader, reader, &ReaderCase::reader);
  // A new reader needs its row above.
  EXPECT_NE(found, std::end(kEveryReader));
  return found == std::end(kEveryReader) ? kEveryReader[0] : *found;
}

bool AllFinite(const SpectrumRead& read) {
  return std::ranges::all_of(read.spectrum.values.values(),
                             [](double v) { return std::isfinite(v); });
}

// Every row of the format table, as the windows reach the readers.
TEST(EveryReaderTest, FileThatCannotBeOpened) {
  for (const SpectrumFormat& f : SpectrumFormats()) {
    const ReaderCase& c = CaseOf(f.reader);
    const auto r = ReadUnopened(f.reader, "/data/missing.dat");
    EXPECT_FALSE(r.accepted()) << f.pattern;
    EXPECT_NE(r.read.refusal, Refusal::kNone) << f.pattern;
    EXPECT_EQ(r.messages, FileErrors(r.path, 1 + c.after_open_failure)) << f.pattern;
  }
}

TEST(EveryReaderTest, EmptyFile) {
  for (const SpectrumFormat& f : SpectrumFormats()) {
    const ReaderCase& c = CaseOf(f.reader);
    const auto r = ReadText(f.reader, "/data/empty.dat", "");
    EXPECT_FALSE(r.accepted()) << f.pattern;
    EXPECT_EQ(r.read.refusal, c.empty_refusal) << f.pattern;
    EXPECT_EQ(r.messages, FileErrors(r.path, c.for_empty_file)) << f.pattern;
  }
}

// Bytes without a digit, sign, point or line end: every field fails and the
// whole file is one line. The messages are those of the empty file, except
// that the .abs reader now reads two failing tokens.
TEST(EveryReaderTest, BinaryGarbage) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) {
    garbage.push_back(static_cast<char>(i % 3 == 0 ? i % 10 : 0x80 + (i * 37) % 0x80));
  }
  for (const SpectrumFormat& f : SpectrumFormats()) {
    const auto r = ReadText(f.reader, "/data/garbage.dat", garbage);
    EXPECT_FALSE(r.accepted()) << f.pattern;
    const std::size_t expected =
        f.reader == ReadAbsorptionAbs ? 1 : CaseOf(f.reader).for_empty_file;
    EXPECT_EQ(r.messages, FileErrors(r.path, expected)) << f.pattern;
    EXPECT_TRUE(AllFinite(r.read)) << f.pattern;
  }
}

// Random bytes of every kind, lines included: whatever a reader makes of
// them, it ends, reports a bounded number of times, stores nothing
// non-finite, and accepts only a spectrum that lies on the grid.
TEST(EveryReaderTest, RandomBytes) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(4096, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 256);
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    for (const auto& c : kEveryReader) {
      const auto r = ReadText(c.reader, "/data/random.dat", bytes);
      EXPECT_LE(r.messages.size(), 2 * lines + 4);
      EXPECT_TRUE(AllFinite(r.read));
      EXPECT_EQ(r.accepted(), r.read.refusal == Refusal::kNone);
      if (r.accepted()) {
        EXPECT_TRUE(SpectrumGrid::Contains(r.first()));
        EXPECT_TRUE(SpectrumGrid::Contains(r.last()));
      }
    }
  }
}

TEST(EveryReaderTest, VeryLongSingleLine) {
  const std::string digits(10'000'000, '7');
  const std::string blanks = std::string(10'000'000, ' ') + "x";
  for (const auto& c : kEveryReader) {
    for (const std::string& content : {digits, blanks}) {
      const auto r = ReadText(c.reader, "/data/long.dat", content);
      EXPECT_FALSE(r.accepted());
      EXPECT_LE(r.messages.size(), 4u);
      EXPECT_TRUE(AllFinite(r.read));
    }
  }
}

}  // namespace
}  // namespace korin
