// Locked files and folders that stay locked for root: CI runs the suites as
// root, whose capabilities pass every permission bit, so a test of what the
// program does with an unreadable file or a read-only folder would otherwise
// prove nothing there.
#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace korin::testing {

// While it lives, the calling thread is held to permission bits as an
// ordinary user is: every capability leaves the thread's effective set and
// comes back from the permitted set when the scope ends. Linux keeps
// capabilities per thread, so no fork is needed and the code under test runs
// on the test's own thread (the Qt suites' widgets must stay there), while
// other threads keep theirs. For an ordinary user it changes nothing.
//
// Refuses() is the test's precondition: it fails, never skips, when the
// thread could not be stripped or still has the access the test locks out.
class Unprivileged {
 public:
  Unprivileged() {
    if (Capabilities(SYS_capget, saved_) != 0) {
      error_ = Failure("capget");
      return;
    }
    Data stripped = {saved_[0], saved_[1]};
    stripped[0].effective = stripped[1].effective = 0;
    if (Capabilities(SYS_capset, stripped) != 0) {
      error_ = Failure("capset");
      return;
    }
    Data now = {};
    if (Capabilities(SYS_capget, now) != 0) {
      error_ = Failure("capget");
    } else if (now[0].effective != 0 || now[1].effective != 0) {
      error_ = "the thread kept effective capabilities after dropping them";
    }
    stripped_ = true;
  }
  ~Unprivileged() {
    if (stripped_ && Capabilities(SYS_capset, saved_) != 0) {
      ADD_FAILURE() << Failure("restoring the capabilities: capset")
                    << "; later tests run without them";
    }
  }
  Unprivileged(const Unprivileged&) = delete;
  Unprivileged& operator=(const Unprivileged&) = delete;

  // Success when this thread is now refused `mode` (R_OK, W_OK, X_OK) to
  // `path` by its permission bits, judged with the thread's own credentials.
  [[nodiscard]] ::testing::AssertionResult Refuses(const std::filesystem::path& path,
                                                   int mode) const {
    if (!error_.empty()) {
      return ::testing::AssertionFailure()
             << "cannot hold this thread to permission bits: " << error_;
    }
    if (::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0) {
      return ::testing::AssertionFailure()
             << path << " is still open to this thread (access mode " << mode
             << ") with no capabilities; the test has nothing locked to check";
    }
    if (errno != EACCES) {
      return ::testing::AssertionFailure()
             << path << ": " << std::strerror(errno) << " instead of a refused permission";
    }
    return ::testing::AssertionSuccess();
  }

 private:
  using Data = __user_cap_data_struct[_LINUX_CAPABILITY_U32S_3];

  // capget or capset for the calling thread (pid 0), called directly: only
  // libcap's header declares them.
  static long Capabilities(long call, Data& data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(call, &header, data);
  }

  static std::string Failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
  }

  Data saved_ = {};
  bool stripped_ = false;
  std::string error_;
};

}  // namespace korin::testing
