#include "io/spectrum_text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korin {
namespace {

using Messages = std::vector<std::string>;

MessageSink CollectInto(Messages& messages) {
  return [&messages](std::string_view m) { messages.emplace_back(m); };
}

// A file's content as a source that was opened.
SpectrumSource Opened(std::string_view content) {
  return {"/data/spectrum.txt", content, true};
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
  Messages messages;
  for (const auto& c : cases) {
    SpectrumTextFile file(Opened(c.content), CollectInto(messages));
    auto expected = c.lines;
    expected.emplace_back("");
    expected.emplace_back("");
    EXPECT_EQ(AllLines(file, static_cast<int>(expected.size())), expected);
  }
  EXPECT_TRUE(messages.empty());
}

TEST(SpectrumTextFileTest, SeekEndOfData) {
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
    SpectrumTextFile file(Opened(c.content), nullptr);
    EXPECT_EQ(file.SeekEndOfData(), c.at_end) << c.content;
    EXPECT_EQ(file.ReadLine(), c.next_line) << c.content;
  }
}

TEST(SpectrumTextFileTest, RealTokens) {
  SpectrumTextFile file(Opened("700 0.1 rest\n\t698\n0.3\n700,0.1 9\x1A 5"), nullptr);
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
  const std::string content = std::string(70, '1') + " " + std::string(40, '2');
  SpectrumTextFile file(Opened(content), nullptr);
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

// A file that could not be read reports once and then reads as empty, with
// failing token reads, whatever content the source carries.
TEST(SpectrumTextFileTest, UnopenedSourceReadsAsEmpty) {
  for (const std::string_view content : {std::string_view(), std::string_view("400 1\n")}) {
    Messages messages;
    SpectrumTextFile file({"/data/missing.sp", content, false}, CollectInto(messages));
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(messages, Messages{"File Error: /data/missing.sp"});
    EXPECT_TRUE(file.AtEndOfContent());
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

// The end of the content is the real end: a Ctrl-Z ends the data for the
// end-of-data test, but a line starting with it is still there to be read.
TEST(SpectrumTextFileTest, AtEndOfContentIgnoresCtrlZ) {
  SpectrumTextFile file(Opened("a\n\x1A"
                               "b\n"),
                        nullptr);
  EXPECT_FALSE(file.AtEndOfContent());
  EXPECT_EQ(file.ReadLine(), "a");
  EXPECT_FALSE(file.AtEndOfContent());
  EXPECT_TRUE(file.SeekEndOfData());
  EXPECT_EQ(file.ReadLine(),
            "\x1A"
            "b");
  EXPECT_TRUE(file.AtEndOfContent());
}

// The text reader is a view: a line without CRs is the content's own bytes.
TEST(SpectrumTextFileTest, LinesViewTheContent) {
  const std::string content = "first\nsecond\r\n";
  SpectrumTextFile file(Opened(content), nullptr);
  const std::string_view first = file.ReadLine();
  EXPECT_EQ(first.data(), content.data());
  EXPECT_EQ(file.ReadLine(), "second");
}

TEST(SpectrumTextFileTest, EmptyFileIsOpenAndHasNoData) {
  Messages messages;
  SpectrumTextFile file(Opened(""), CollectInto(messages));
  EXPECT_TRUE(file.is_open());
  EXPECT_TRUE(file.SeekEndOfData());
  EXPECT_EQ(file.ReadRealToken(), 0);
  EXPECT_EQ(file.ReadIntegerToken(), 0);
  EXPECT_FALSE(file.TakeReadError());
  EXPECT_TRUE(messages.empty());
}

TEST(SpectrumTextFileTest, VeryLongLine) {
  std::string content(20'000'000, '7');
  content += "\r\nnext";
  SpectrumTextFile file(Opened(content), nullptr);
  EXPECT_EQ(file.ReadLine().size(), 20'000'000u);
  EXPECT_EQ(file.ReadLine(), "next");
}

}  // namespace
}  // namespace korin
