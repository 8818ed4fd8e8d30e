#include "import/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korin {
namespace {

WriteOutcome Failed(const std::string& path, int error) {
  return {false, false, "Cannot write " + path + ": " + std::strerror(error)};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

WriteOutcome WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace) {
  if (path.empty() || path.find('\0') != std::string::npos) return Failed(path, ENOENT);
  if (!replace && ::access(path.c_str(), F_OK) == 0) {
    return {false, true, path + " exists and is not replaced"};
  }
  std::string temporary = path + ".partial-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Failed(path, errno);
  // mkstemp makes the file private; the result gets the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  ok = ::close(fd) == 0 && ok;
  if (ok) {
    // link() refuses an existing name, so nothing is replaced by a race.
    ok = replace ? ::rename(temporary.c_str(), path.c_str()) == 0
                 : ::link(temporary.c_str(), path.c_str()) == 0;
    error = errno;
  } else if (error == 0) {
    error = errno;
  }
  if (!ok || !replace) ::unlink(temporary.c_str());
  if (!ok) {
    if (!replace && error == EEXIST) return {false, true, path + " exists and is not replaced"};
    return Failed(path, error);
  }
  return {true, false, {}};
}

}  // namespace korin
