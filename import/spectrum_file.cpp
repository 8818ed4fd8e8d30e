#include "import/spectrum_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <utility>

namespace korin {
namespace {

// No spectrum comes near this; a larger or endlessly growing file reads as
// unreadable rather than taking all memory.
constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;
constexpr std::size_t kMinBuffer = 64 * 1024;

// Asks for 2 MB pages under the buffer where the system offers them: each
// first touch of a page costs a fault, and a file of several megabytes
// would otherwise take one per 4 KB. Only advice; nothing depends on it.
void AdviseLargePages([[maybe_unused]] std::string& buffer) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;
  const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t end = (start + buffer.capacity()) & ~(kLargePage - 1);
  if (end > first) (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

// Reads the open regular file `fd` to its end straight into `content`.
bool ReadToEnd(int fd, std::size_t size_hint, std::string& content) {
  try {
    // One byte beyond the size stat gave, so that the end of an unchanged
    // file is seen without growing the buffer.
    content.reserve(std::clamp(size_hint + 1, kMinBuffer, kMaxFileSize + 1));
    AdviseLargePages(content);
    content.resize(content.capacity());
    std::size_t used = 0;
    for (;;) {
      if (used == content.size()) {
        if (used > kMaxFileSize) return false;
        content.resize(std::min(2 * used, kMaxFileSize + 1));
      }
      const ssize_t n = ::read(fd, content.data() + used, content.size() - used);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      used += static_cast<std::size_t>(n);
    }
    if (used > kMaxFileSize) return false;
    content.resize(used);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  // O_NONBLOCK so that a FIFO does not wait for a writer; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat status {};
  const bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                  static_cast<unsigned long long>(status.st_size) <= kMaxFileSize &&
                  ReadToEnd(fd, static_cast<std::size_t>(status.st_size), content);
  ::close(fd);
  return ok;
}

}  // namespace

SpectrumFile ReadSpectrumFile(std::string path) {
  SpectrumFile file;
  file.path = std::move(path);
  file.opened = ReadWholeFile(file.path, file.content);
  if (!file.opened) std::string().swap(file.content);
  return file;
}

}  // namespace korin
