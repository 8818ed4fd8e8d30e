#include "core/lazy_digest.h"

#include <atomic>
#include <mutex>
#include <utility>

namespace korin {

// Shared by every copy of one digest. The once flag orders the first
// computation before every read of `value`, on whatever thread.
struct LazyDigest::State {
  std::once_flag once;
  Compute compute;
  std::string value;
  std::atomic<bool> ready{false};
};

LazyDigest LazyDigest::Known(std::string digest) {
  LazyDigest known;
  known.state_ = std::make_shared<State>();
  known.state_->value = std::move(digest);
  // Marks the flag as passed, so that Value() never calls the empty Compute.
  std::call_once(known.state_->once, [] {});
  known.state_->ready.store(true, std::memory_order_release);
  return known;
}

LazyDigest LazyDigest::OnDemand(Compute compute) {
  LazyDigest lazy;
  lazy.state_ = std::make_shared<State>();
  lazy.state_->compute = std::move(compute);
  return lazy;
}

const std::string& LazyDigest::Value() const {
  static const std::string kNone;
  if (!state_) return kNone;
  State& state = *state_;
  std::call_once(state.once, [&state] {
    state.value = state.compute();
    // The bytes are no longer needed.
    state.compute = nullptr;
    state.ready.store(true, std::memory_order_release);
  });
  return state.value;
}

bool LazyDigest::Ready() const {
  return !state_ || state_->ready.load(std::memory_order_acquire);
}

}  // namespace korin
