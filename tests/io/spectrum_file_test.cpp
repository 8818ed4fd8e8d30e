// Reading a spectrum file from disk: the one place where files are opened.
#include "io/spectrum_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "io/reader_choice.h"
#include "support/reader_run.h"
#include "support/temp_files.h"
#include "support/unprivileged.h"

namespace korin {
namespace {

using testing::TempDir;

// Whatever the path names, what cannot be read as a regular file reads as
// not opened and empty; nothing blocks.
TEST(ReadSpectrumFileTest, UnopenablePaths) {
  TempDir dir;
  const std::string fifo = (dir.path() / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string paths[] = {
      (dir.path() / "missing.sp").string(),
      dir.path().string(),  // a directory
      fifo,
      "",
      std::string("bad\0name.sp", 11),
  };
  for (const auto& path : paths) {
    const SpectrumFile file = ReadSpectrumFile(path);
    EXPECT_FALSE(file.opened) << path;
    EXPECT_EQ(file.path, path);
    EXPECT_TRUE(file.content().empty()) << path;
    const SpectrumSource source = file.Source();
    EXPECT_FALSE(source.opened);
    EXPECT_EQ(source.name, path);
  }
}

TEST(ReadSpectrumFileTest, ReadsTheWholeFileByteForByte) {
  TempDir dir;
  std::string content = "DATA\r\n400 1\n\x1A";
  content += std::string("\0\xFF", 2);
  // Larger than the first read buffer, so that the content is read in parts.
  content += std::string(300'000, '7');
  for (const std::string& bytes : {content, std::string()}) {
    const std::string path = dir.Write("a.sp", bytes);
    const SpectrumFile file = ReadSpectrumFile(path);
    EXPECT_TRUE(file.opened);
    EXPECT_EQ(file.content(), bytes);
    const SpectrumSource source = file.Source();
    EXPECT_TRUE(source.opened);
    EXPECT_EQ(source.name, path);
    EXPECT_EQ(source.content.data(), file.content().data());  // a view, no copy
  }
}

TEST(ReadSpectrumFileTest, UnreadableFile) {
  TempDir dir;
  const std::string path = dir.Write("locked.sp", "DATA\n400 1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  const testing::Unprivileged unprivileged;
  ASSERT_TRUE(unprivileged.Refuses(path, R_OK));
  const SpectrumFile file = ReadSpectrumFile(path);
  EXPECT_FALSE(file.opened);
  EXPECT_TRUE(file.content().empty());
}

TEST(ReadSpectrumFileTest, AnEarlierFailureDoesNotCarryOver) {
  TempDir dir;
  EXPECT_FALSE(ReadSpectrumFile((dir.path() / "nope").string()).opened);
  const SpectrumFile good = ReadSpectrumFile(dir.Write("good.sp", "x\n"));
  EXPECT_TRUE(good.opened);
  EXPECT_EQ(good.content(), "x\n");
}

// The bundled samples, read from disk as the windows read them: every format
// of each side reads the same spectrum.
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
    const SpectrumFile file = ReadSpectrumFile(samples + c.name);
    ASSERT_TRUE(file.opened) << c.name;
    const auto r = testing::ReadSource(ChooseReader(c.side, 1, file.path), file.Source());
    ASSERT_TRUE(r.accepted()) << c.name;
    EXPECT_TRUE(r.messages.empty()) << c.name;
    // The .txt absorption format skips its first numeric line, the count.
    EXPECT_EQ(r.first(), c.first) << c.name;
    EXPECT_EQ(r.last(), c.last) << c.name;
    const bool absorption = c.side == SpectrumSide::kAbsorption;
    const double peak = std::ranges::max(r.read.spectrum.values.values());
    EXPECT_NEAR(peak, absorption ? 0.85 : 86000.0, absorption ? 0.01 : 1000.0) << c.name;
  }
}

}  // namespace
}  // namespace korin
