// The open path shared by the window and the command-line tool: which
// reader reads, what the engine is told, and the status line when a load
// fails without a message.
#include "io/spectrum_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/sha256.h"
#include "io/spectrum_file.h"
#include "support/recording_view.h"
#include "support/temp_files.h"

namespace korin {
namespace {

using testing::RecordingView;
using testing::TempDir;

std::string Lines(int from, int to, const char* format) {
  std::string text;
  for (int w = from; w <= to; ++w) {
    char line[64];
    std::snprintf(line, sizeof line, format, w, 1.0 + (w % 7));
    text += line;
  }
  return text;
}

const std::string kTwoColumns = Lines(450, 650, "%d,%g\n");
const std::string kFlat = Lines(450, 650, "%d,0\n");

struct LoadCase {
  const char* what;
  SpectrumSide side;
  int entry;
  const char* name;
  std::string content;
  bool opened;
  LoadOutcome::Kind kind;
  int messages;
  const char* status;  // the status line afterwards
};

TEST(SpectrumLoaderTest, OutcomesAndStatusLines) {
  const LoadCase cases[] = {
      {"accepted", SpectrumSide::kEmission, 1, "/data/d.csv", kTwoColumns, true,
       LoadOutcome::Kind::kAccepted, 0, ""},
      {"a two-column file through the four-column reader", SpectrumSide::kEmission, 1,
       "/data/donor.txt", kTwoColumns, true, LoadOutcome::Kind::kRefused, 0,
       "Emission spectrum not loaded: no data points found in donor.txt (read as four-column "
       "text)"},
      {"the filter entry decides", SpectrumSide::kEmission, 5, "/data/d.csv", "", true,
       LoadOutcome::Kind::kRefused, 0,
       "Emission spectrum not loaded: no data points found in d.csv (read as four-column text)"},
      {"an unknown extension", SpectrumSide::kAbsorption, 1, "/data/scan.dat", kTwoColumns, true,
       LoadOutcome::Kind::kNoReader, 0,
       "Absorption spectrum not loaded: the extension of scan.dat is none of .abs, .abt, .asp, "
       ".sp, .txt"},
      {"a file that cannot be read reports only its message", SpectrumSide::kEmission, 1,
       "/data/gone.csv", "", false, LoadOutcome::Kind::kRefused, 1, ""},
      {"no positive area", SpectrumSide::kEmission, 1, "/data/flat.csv", kFlat, true,
       LoadOutcome::Kind::kUnusable, 0,
       "Emission spectrum not used: its values have no positive area in flat.csv (read as "
       "two-column text)"},
  };
  for (const LoadCase& c : cases) {
    RecordingView view;
    FretEngine engine(&view);
    engine.Start();
    std::vector<std::string> messages;
    const LoadOutcome outcome = LoadSpectrum(engine, c.side, c.entry, {c.name, c.content, c.opened},
                                             [&](std::string_view m) { messages.emplace_back(m); });
    EXPECT_EQ(outcome.kind, c.kind) << c.what;
    EXPECT_EQ(outcome.messages, c.messages) << c.what;
    EXPECT_EQ(static_cast<int>(messages.size()), c.messages) << c.what;
    EXPECT_EQ(view.status, c.status) << c.what;
    const bool in_use = c.side == SpectrumSide::kEmission ? engine.session().emission_valid
                                                          : engine.session().absorption_valid;
    EXPECT_EQ(in_use, c.kind == LoadOutcome::Kind::kAccepted) << c.what;
  }
}

TEST(SpectrumLoaderTest, ARefusalAfterALoadWithdrawsTheSide) {
  RecordingView view;
  FretEngine engine(&view);
  engine.Start();
  ASSERT_EQ(LoadSpectrum(engine, SpectrumSide::kEmission, 1, {"/d/a.csv", kTwoColumns}, {}).kind,
            LoadOutcome::Kind::kAccepted);
  EXPECT_TRUE(view.donor.shown);
  EXPECT_EQ(view.donor.title, "/d/a.csv");
  (void)LoadSpectrum(engine, SpectrumSide::kEmission, 1, {"/d/b.csv", "no numbers"}, {});
  EXPECT_FALSE(view.donor.shown);
  EXPECT_TRUE(view.Points(PlotSeries::kEmission).empty());
  EXPECT_FALSE(engine.session().emission_valid);
}

// From disk and from memory the same file gives the same results.
TEST(SpectrumLoaderTest, OpeningASampleEqualsLoadingItsContent) {
  const std::string donor = KORIN_SAMPLES_DIR "/donor_emission.csv";
  const std::string acceptor = KORIN_SAMPLES_DIR "/acceptor_absorption.sp";
  FretEngine from_disk;
  from_disk.Start();
  ASSERT_EQ(OpenSpectrum(from_disk, SpectrumSide::kEmission, 1, donor, {}).kind,
            LoadOutcome::Kind::kAccepted);
  ASSERT_EQ(OpenSpectrum(from_disk, SpectrumSide::kAbsorption, 1, acceptor, {}).kind,
            LoadOutcome::Kind::kAccepted);
  FretEngine in_memory;
  in_memory.Start();
  const SpectrumFile d = ReadSpectrumFile(donor);
  const SpectrumFile a = ReadSpectrumFile(acceptor);
  (void)LoadSpectrum(in_memory, SpectrumSide::kEmission, 1, d.Source(), {});
  (void)LoadSpectrum(in_memory, SpectrumSide::kAbsorption, 1, a.Source(), {});
  ASSERT_TRUE(from_disk.ResultsVisible());
  EXPECT_EQ(from_disk.OverlapIntegralText(), "3.1962E-13");
  EXPECT_EQ(from_disk.ForsterDistanceText(), "55.6500");
  EXPECT_EQ(in_memory.OverlapIntegralText(), from_disk.OverlapIntegralText());
  EXPECT_EQ(in_memory.ForsterDistanceText(), from_disk.ForsterDistanceText());
}

// Opening hashes nothing; a report asking afterwards gets the digest of
// the bytes that were read, not of what the file holds by then.
TEST(SpectrumLoaderTest, TheDigestIsOfTheBytesReadAndTakenOnlyWhenAsked) {
  const TempDir dir;
  const std::string path = dir.Write("donor.csv", kTwoColumns);
  FretEngine engine;
  engine.Start();
  ASSERT_EQ(OpenSpectrum(engine, SpectrumSide::kEmission, 1, path, {}).kind,
            LoadOutcome::Kind::kAccepted);
  const LazyDigest& digest = engine.Origin(SpectrumSide::kEmission).sha256;
  EXPECT_FALSE(digest.Ready());
  (void)dir.Write("donor.csv", kFlat);
  EXPECT_EQ(digest.Value(), Sha256Hex(kTwoColumns));
  EXPECT_TRUE(digest.Ready());
}

TEST(SpectrumLoaderTest, TheColumnImportsDigestIsOfTheBytesReadToo) {
  const TempDir dir;
  const std::string table = "Wavelength,Emission\n" + kTwoColumns;
  const std::string path = dir.Write("dye.csv", table);
  FretEngine engine;
  engine.Start();
  ASSERT_EQ(OpenColumns(engine, SpectrumSide::kEmission, {}, path, {}).kind,
            LoadOutcome::Kind::kAccepted);
  const LazyDigest& digest = engine.Origin(SpectrumSide::kEmission).sha256;
  EXPECT_FALSE(digest.Ready());
  (void)dir.Write("dye.csv", "Wavelength,Emission\n" + kFlat);
  EXPECT_EQ(digest.Value(), Sha256Hex(table));
}

// Content handed in memory may be freed or reused once the load returns.
TEST(SpectrumLoaderTest, ContentInMemoryIsHashedAsItWasWhenLoaded) {
  std::string content = kTwoColumns;
  FretEngine engine;
  engine.Start();
  ASSERT_EQ(LoadSpectrum(engine, SpectrumSide::kEmission, 1, {"/d/a.csv", content}, {}).kind,
            LoadOutcome::Kind::kAccepted);
  ASSERT_EQ(LoadColumns(engine, SpectrumSide::kAbsorption, {}, {"/d/b.csv", content}, {}).kind,
            LoadOutcome::Kind::kAccepted);
  EXPECT_FALSE(engine.Origin(SpectrumSide::kEmission).sha256.Ready());
  content.assign(content.size(), 'x');
  EXPECT_EQ(engine.Origin(SpectrumSide::kEmission).sha256.Value(), Sha256Hex(kTwoColumns));
  EXPECT_EQ(engine.Origin(SpectrumSide::kAbsorption).sha256.Value(), Sha256Hex(kTwoColumns));
}

// A side that failed to load has no origin, so no digest either.
TEST(SpectrumLoaderTest, ARefusedFileLeavesNoDigest) {
  FretEngine engine;
  engine.Start();
  ASSERT_EQ(LoadSpectrum(engine, SpectrumSide::kEmission, 1, {"/d/a.csv", kTwoColumns}, {}).kind,
            LoadOutcome::Kind::kAccepted);
  ASSERT_EQ(LoadSpectrum(engine, SpectrumSide::kEmission, 1, {"/d/b.csv", "no numbers"}, {}).kind,
            LoadOutcome::Kind::kRefused);
  EXPECT_EQ(engine.Origin(SpectrumSide::kEmission).sha256.Value(), "");
}

}  // namespace
}  // namespace korin
