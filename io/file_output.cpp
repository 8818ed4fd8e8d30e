#include "io/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace korin {
namespace {

WriteOutcome Failed(const std::string& path, int error) {
  return {false, false, "Cannot write " + path + ": " + std::strerror(error)};
}

#if !defined(__wasi__)
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

// Gives the written file its name unless that name exists, with no moment
// in which a file of that name could be replaced: renameat2 refuses an
// existing name; where the file system has no such rename, link() does the
// same. False with errno set when neither could.
bool PlaceWithoutReplacing(const std::string& temporary, const std::string& path) {
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
  return ::link(temporary.c_str(), path.c_str()) == 0;
}
#endif

}  // namespace

#if defined(__wasi__)
// The web page writes nothing to disk: its downloads are the browser's.
WriteOutcome WriteFileAtomically(const std::string& path, std::string_view, bool) {
  return Failed(path, ENOTSUP);
}
#else
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
  int error = 0;
  bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (!ok) error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok) {
    ok = replace ? ::rename(temporary.c_str(), path.c_str()) == 0
                 : PlaceWithoutReplacing(temporary, path);
    if (!ok) error = errno;
  }
  if (!ok || !replace) ::unlink(temporary.c_str());
  if (!ok) {
    if (!replace && error == EEXIST) return {false, true, path + " exists and is not replaced"};
    return Failed(path, error);
  }
  return {true, false, {}};
}
#endif

}  // namespace korin
