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
  return true;
}

std::int64_t ReadOnlyFile::Size() const {
  struct stat info {};
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return -1;
  return info.st_size;
}

std::int64_t ReadOnlyFile::Read(void* buffer, std::size_t size) {
  if (!IsOpen()) return -1;
  ssize_t n;
  do {
    n = ::read(static_cast<int>(handle_), buffer, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

std::size_t ReadOnlyFile::ReadAt(std::int64_t offset, void* buffer, std::size_t size) {
  if (!IsOpen()) return 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(static_cast<int>(handle_), bytes + done, size - done,
                              static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void ReadOnlyFile::Close() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

}  // namespace sfxtal::platform
