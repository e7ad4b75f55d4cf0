#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/read_only_file.h"

namespace sfxtal::platform {

bool ReadOnlyFile::Open(const std::filesystem::path& path) {
  Close();
  if (path.empty()) return false;
  // Non-blocking only for the open itself, so that a pipe in the file's place cannot hang it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  position_ = 0;
  return true;
}

std::int64_t ReadOnlyFile::Size() const {
  struct stat info {};
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return -1;
  return info.st_size;
}

std::int64_t ReadOnlyFile::ReadOnceAt(std::int64_t offset, void* buffer, std::size_t size) {
  ssize_t n;
  do {
    n = ::pread(static_cast<int>(handle_), buffer, size, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  return n;
}

void ReadOnlyFile::Close() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

}  // namespace sfxtal::platform
