#include "io/spectrum_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#if !defined(__wasi__)
#include <sys/mman.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace korin {
namespace {

// No spectrum comes near this; a larger or endlessly growing file reads as
// unreadable rather than taking all memory.
constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;
constexpr std::size_t kMinBuffer = 64 * 1024;

// From this size on a buffer takes its own pages from the system, all
// mapped at once: touching a fresh page one by one costs a fault each, which
// for a file of megabytes takes longer than reading it.
[[maybe_unused]] constexpr std::size_t kOwnPages = std::size_t{1} << 20;

FileBytes Allocate(std::size_t size) {
#if defined(__wasi__)
  // WebAssembly's memory has no pages to map: the page hands the engine
  // bytes in memory and never reads a file this way.
  return FileBytes(new (std::nothrow) char[size]);
#else
  if (size < kOwnPages) return FileBytes(new (std::nothrow) char[size]);
  void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (pages == MAP_FAILED) return FileBytes();
  return FileBytes(static_cast<char*>(pages), FileBytesDeleter{size});
#endif
}

// A buffer whose bytes are left as they are until something is read into them.
struct Buffer {
  FileBytes bytes;
  std::size_t capacity = 0;

  bool Grow(std::size_t wanted, std::size_t used) {
    FileBytes larger = Allocate(wanted);
    if (!larger) return false;
    std::copy_n(bytes.get(), used, larger.get());
    bytes = std::move(larger);
    capacity = wanted;
    return true;
  }
};

// Reads the open regular file `fd` to its end.
bool ReadToEnd(int fd, std::size_t size_hint, Buffer& buffer, std::size_t& used) {
  // One byte beyond the size stat gave, so that the end of an unchanged file
  // is seen without growing the buffer.
  if (!buffer.Grow(std::clamp(size_hint + 1, kMinBuffer, kMaxFileSize + 1), 0)) return false;
  used = 0;
  for (;;) {
    if (used == buffer.capacity) {
      if (used > kMaxFileSize || !buffer.Grow(std::min(2 * used, kMaxFileSize + 1), used)) {
        return false;
      }
    }
    const ssize_t n = ::read(fd, buffer.bytes.get() + used, buffer.capacity - used);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    used += static_cast<std::size_t>(n);
  }
  return used <= kMaxFileSize;
}

bool ReadWholeFile(const std::string& path, Buffer& buffer, std::size_t& used) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  // O_NONBLOCK so that a FIFO does not wait for a writer; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat status {};
  const bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                  static_cast<unsigned long long>(status.st_size) <= kMaxFileSize &&
                  ReadToEnd(fd, static_cast<std::size_t>(status.st_size), buffer, used);
  ::close(fd);
  return ok;
}

}  // namespace

void FileBytesDeleter::operator()(char* bytes) const {
#if defined(__wasi__)
  delete[] bytes;
#else
  if (mapped == 0) {
    delete[] bytes;
  } else {
    (void)::munmap(bytes, mapped);
  }
#endif
}

SpectrumFile ReadSpectrumFile(std::string path) {
  SpectrumFile file;
  file.path = std::move(path);
  Buffer buffer;
  std::size_t used = 0;
  file.opened = ReadWholeFile(file.path, buffer, used);
  if (file.opened) {
    file.bytes_ = std::move(buffer.bytes);
    file.size_ = used;
  }
  return file;
}

}  // namespace korin
