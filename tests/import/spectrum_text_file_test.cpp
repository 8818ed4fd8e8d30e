#include "import/spectrum_text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_files.h"

namespace korin {
namespace {

using korin::testing::TempDir;
using Messages = std::vector<std::string>;

MessageSink CollectInto(Messages& messages) {
  return [&messages](std::string_view m) { messages.emplace_back(m); };
}

std::vector<std::string> AllLines(SpectrumTextFile& file, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.emplace_back(file.ReadLine());
  return lines;
}

TEST(SpectrumTextFileTest, LineEnds) {
  struct Case {
    std::string content;
    std::vector<std::string> lines;  // then one more read gives ""
  };
  const Case cases[] = {
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},                                  // no final line end
      {"a\rb\nc\r", {"ab", "c"}},                            // lone CRs are dropped
      {"x\x1Ay\n", {"x\x1Ay"}},                              // Ctrl-Z inside a line is text
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},  // NUL bytes too
      {"\xE9t\xE9\n", {"\xE9t\xE9"}},                        // 8-bit text, no conversion
      {"\n\n", {"", ""}},
      {"  lead\n", {"  lead"}},
  };
  TempDir dir;
  Messages messages;
  for (const auto& c : cases) {
    SpectrumTextFile file(dir.Write("lines.txt", c.content), CollectInto(messages));
    auto expected = c.lines;
    expected.emplace_back("");
    expected.emplace_back("");
    EXPECT_EQ(AllLines(file, static_cast<int>(expected.size())), expected);
  }
  EXPECT_TRUE(messages.empty());
}

TEST(SpectrumTextFileTest, SeekEndOfData) {
  TempDir dir;
  struct Case {
    std::string content;
    bool at_end;
    std::string next_line;  // what a line read afterwards gives
  };
  const Case cases[] = {
      {"", true, ""},
      {" \t\r\n\n  \n", true, ""},
      {"  \n\t 450 1\nx", false, "450 1"},
      {"\x01\x02"
       "abc",
       false, "abc"},
      {"\n\x1A\n450 1\n", true, "\x1A"},  // Ctrl-Z ends the data
      {"\x1A", true, "\x1A"},
  };
  for (const auto& c : cases) {
    SpectrumTextFile file(dir.Write("seek.txt", c.content), nullptr);
    EXPECT_EQ(file.SeekEndOfData(), c.at_end) << c.content;
    EXPECT_EQ(file.ReadLine(), c.next_line) << c.content;
  }
}

TEST(SpectrumTextFileTest, RealTokens) {
  TempDir dir;
  SpectrumTextFile file(dir.Write("a.abs", "700 0.1 rest\n\t698\n0.3\n700,0.1 9\x1A 5"), nullptr);
  EXPECT_EQ(file.ReadRealToken(), 700);
  EXPECT_EQ(file.ReadRealToken(), 0.1);
  EXPECT_FALSE(file.TakeReadError());
  EXPECT_EQ(file.ReadLine(), " rest");
  EXPECT_EQ(file.ReadRealToken(), 698);  // across blanks, tabs and line ends
  EXPECT_EQ(file.ReadRealToken(), 0.3);
  EXPECT_FALSE(file.TakeReadError());
  EXPECT_EQ(file.ReadRealToken(), 700);  // a comma joins the two numbers: it fails at the comma
  EXPECT_TRUE(file.TakeReadError());
  EXPECT_FALSE(file.TakeReadError());  // taking the mark clears it
  EXPECT_EQ(file.ReadRealToken(), 9);
  EXPECT_EQ(file.ReadRealToken(), 0);  // Ctrl-Z: end of file, no error
  EXPECT_FALSE(file.TakeReadError());
}

TEST(SpectrumTextFileTest, LongTokensAreCut) {
  TempDir dir;
  const std::string digits(70, '1');
  SpectrumTextFile file(dir.Write("long.abs", digits + " " + std::string(40, '2')), nullptr);
  EXPECT_EQ(file.ReadRealToken(), 1.1111111111111112e63);  // the first 64 characters
  EXPECT_EQ(file.ReadRealToken(), 111111);                 // the 6 left over
  EXPECT_EQ(file.ReadIntegerToken(), 222222222);           // 32 twos overflow at the tenth
  EXPECT_TRUE(file.TakeReadError());
  EXPECT_EQ(file.ReadIntegerToken(), 22222222);  // the 8 left over
  EXPECT_FALSE(file.TakeReadError());
}

TEST(ParseIntegerTokenTest, DecimalAndHexadecimal) {
  struct Case {
    std::string_view token;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {
      {"3", true, 3},
      {"+3", true, 3},
      {"-3", true, -3},
      {"0003", true, 3},
      {"$1F", true, 31},
      {"x1f", true, 31},
      {"X10", true, 16},
      {"0x10", true, 16},
      {"0X10", true, 16},
      {"$7FFFFFFF", true, 2147483647},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 214748364},
      {"-2147483649", false, 214748364},
      {"$80000000", false, 0x8000000},
      {"12a", false, 12},
      {"1.5", false, 1},
      {"-$10", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"+", false, 0},
      {"abc", false, 0},
  };
  for (const auto& c : cases) {
    std::int32_t value = -1;
    EXPECT_EQ(ParseIntegerToken(c.token, value), c.ok) << c.token;
    EXPECT_EQ(value, c.value) << c.token;
  }
}

// Whatever the path names, a file that cannot be read reports once and then
// reads as empty, with failing token reads; nothing blocks.
TEST(SpectrumTextFileTest, UnopenablePathsReadAsEmpty) {
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
    Messages messages;
    SpectrumTextFile file(path, CollectInto(messages));
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(messages, Messages{"File Error: " + path});
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_TRUE(file.SeekEndOfData());
    EXPECT_FALSE(file.TakeReadError());
    EXPECT_EQ(file.ReadRealToken(), 0);
    EXPECT_TRUE(file.TakeReadError());
    EXPECT_EQ(file.ReadIntegerToken(), 0);
    EXPECT_TRUE(file.TakeReadError());
    EXPECT_EQ(messages.size(), 1u);
  }
}

TEST(SpectrumTextFileTest, UnreadableFileReadsAsEmpty) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  const std::string path = dir.Write("locked.sp", "DATA\n400 1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  Messages messages;
  SpectrumTextFile file(path, CollectInto(messages));
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ(messages, Messages{"File Error: " + path});
}

TEST(SpectrumTextFileTest, AnEarlierFailureDoesNotCarryOver) {
  TempDir dir;
  Messages messages;
  { SpectrumTextFile missing((dir.path() / "nope").string(), CollectInto(messages)); }
  SpectrumTextFile good(dir.Write("good.sp", "x\n"), CollectInto(messages));
  EXPECT_TRUE(good.is_open());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(good.ReadLine(), "x");
}

TEST(SpectrumTextFileTest, EmptyFileIsOpenAndHasNoData) {
  TempDir dir;
  Messages messages;
  SpectrumTextFile file(dir.Write("empty.sp", ""), CollectInto(messages));
  EXPECT_TRUE(file.is_open());
  EXPECT_TRUE(file.SeekEndOfData());
  EXPECT_EQ(file.ReadRealToken(), 0);
  EXPECT_EQ(file.ReadIntegerToken(), 0);
  EXPECT_FALSE(file.TakeReadError());
  EXPECT_TRUE(messages.empty());
}

TEST(SpectrumTextFileTest, VeryLongLine) {
  TempDir dir;
  std::string content(20'000'000, '7');
  content += "\r\nnext";
  SpectrumTextFile file(dir.Write("long.txt", content), nullptr);
  EXPECT_EQ(file.ReadLine().size(), 20'000'000u);
  EXPECT_EQ(file.ReadLine(), "next");
}

}  // namespace
}  // namespace korin
