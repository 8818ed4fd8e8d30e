#include "core/lazy_digest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace korin {
namespace {

// No bytes read: an empty digest; one known already: as given.
TEST(LazyDigestTest, EmptyAndKnownDigestsNeedNoComputing) {
  EXPECT_EQ(LazyDigest().Value(), "");
  const LazyDigest known = LazyDigest::Known("ab12");
  EXPECT_TRUE(known.Ready());
  EXPECT_EQ(known.Value(), "ab12");
}

TEST(LazyDigestTest, ComputedOnTheFirstRequestOnlyAndSharedByCopies) {
  int calls = 0;
  const LazyDigest lazy = LazyDigest::OnDemand([&calls] {
    ++calls;
    return std::string("cafe");
  });
  const LazyDigest copy = lazy;
  EXPECT_FALSE(lazy.Ready());
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(copy.Value(), "cafe");
  EXPECT_EQ(lazy.Value(), "cafe");
  EXPECT_EQ(copy.Value(), "cafe");
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(lazy.Ready());
}

// The bytes to hash are held only until the digest is known.
TEST(LazyDigestTest, TheBytesAreReleasedOnceHashed) {
  auto bytes = std::make_shared<const std::string>("spectrum");
  const std::weak_ptr<const std::string> watch = bytes;
  const LazyDigest lazy = LazyDigest::OnDemand([bytes] { return *bytes + "!"; });
  bytes.reset();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(lazy.Value(), "spectrum!");
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(lazy.Value(), "spectrum!");
}

// Copies asked from several threads at once hash once, and all see it.
TEST(LazyDigestTest, ThreadsAskingAtOnceComputeItOnce) {
  std::atomic<int> calls = 0;
  const LazyDigest lazy = LazyDigest::OnDemand([&calls] {
    ++calls;
    return std::string(64, 'f');
  });
  std::vector<std::string> seen(8);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([copy = lazy, &seen, i] { seen[i] = copy.Value(); });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(calls.load(), 1);
  for (const std::string& digest : seen) EXPECT_EQ(digest, std::string(64, 'f'));
}

}  // namespace
}  // namespace korin
