#include "io/file_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korin {
namespace {

// Every length of path reaches the sink whole, after the prefix: short ones
// and those around and past what fits without a string.
TEST(ShowFileErrorTest, TheWholeTextAfterThePrefix) {
  for (const std::size_t length : {0, 1, 200, 243, 244, 245, 246, 4096}) {
    std::string path(length, 'p');
    if (length > 0) path.back() = 'z';
    std::vector<std::string> messages;
    ShowFileError([&](std::string_view m) { messages.emplace_back(m); }, path);
    ASSERT_EQ(messages.size(), 1u) << length;
    EXPECT_EQ(messages.front(), "File Error: " + path) << length;
  }
  ShowFileError(nullptr, "dropped without a sink");
}

}  // namespace
}  // namespace korin
