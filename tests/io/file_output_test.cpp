#include "io/file_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_files.h"
#include "support/unprivileged.h"

namespace korin {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Nothing but the files named: no temporary file may stay behind.
std::size_t FileCount(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

TEST(WriteFileAtomicallyTest, WritesReplacesOnlyWhenAskedAndLeavesNothingBehind) {
  testing::TempDir dir;
  const std::string path = (dir.path() / "plot data.csv").string();
  const WriteOutcome first = WriteFileAtomically(path, "one\n", false);
  EXPECT_TRUE(first.written) << first.message;
  EXPECT_EQ(Contents(path), "one\n");
  const WriteOutcome kept = WriteFileAtomically(path, "two\n", false);
  EXPECT_FALSE(kept.written);
  EXPECT_TRUE(kept.exists);
  EXPECT_NE(kept.message.find(path), std::string::npos);
  EXPECT_EQ(Contents(path), "one\n");
  const WriteOutcome replaced = WriteFileAtomically(path, "three\n", true);
  EXPECT_TRUE(replaced.written) << replaced.message;
  EXPECT_EQ(Contents(path), "three\n");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(WriteFileAtomicallyTest, AFailedWriteNamesThePathAndWritesNothing) {
  testing::TempDir dir;
  const std::string missing = (dir.path() / "no folder" / "x.csv").string();
  const WriteOutcome outcome = WriteFileAtomically(missing, "x", true);
  EXPECT_FALSE(outcome.written);
  EXPECT_FALSE(outcome.exists);
  EXPECT_NE(outcome.message.find(missing), std::string::npos);
  EXPECT_NE(outcome.message.find("No such file"), std::string::npos) << outcome.message;
}

TEST(WriteFileAtomicallyTest, AReadOnlyFolderGetsNoFile) {
  testing::TempDir dir;
  const auto locked = dir.path() / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const testing::Unprivileged unprivileged;
  ASSERT_TRUE(unprivileged.Refuses(locked, W_OK));
  const WriteOutcome refused = WriteFileAtomically((locked / "x.csv").string(), "x", true);
  EXPECT_FALSE(refused.written);
  EXPECT_EQ(FileCount(locked), 0u);
}

}  // namespace
}  // namespace korin
