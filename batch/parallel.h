// Work spread over a few threads, in blocks taken from a shared counter, so
// that the threads rarely meet and the result never depends on how many
// there were.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>
#if !defined(__wasi__)
#include <thread>
#endif

namespace korin {

// Runs `work(i)` for every i below `count` on up to `jobs` threads, each
// taking the next block of `block` indexes as it becomes free; the calling
// thread is one of them.
template <typename Work>
void RunInParallel(std::size_t count, int jobs, std::size_t block, const Work& work) {
  const std::size_t blocks = (count + block - 1) / block;
  const std::size_t threads =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), blocks);
  std::atomic<std::size_t> next{0};
  const auto run = [&] {
    for (std::size_t b; (b = next.fetch_add(1, std::memory_order_relaxed)) < blocks;) {
      const std::size_t end = std::min(count, (b + 1) * block);
      for (std::size_t i = b * block; i < end; ++i) work(i);
    }
  };
  // WebAssembly has no threads here: everything runs on the calling one.
#if defined(__wasi__)
  (void)threads;
  run();
#else
  if (threads <= 1) {
    run();
    return;
  }
  std::vector<std::jthread> helpers;
  helpers.reserve(threads - 1);
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  run();
#endif
}

}  // namespace korin
