#include "platform/read_only_file.h"

namespace sfxtal::platform {

std::int64_t ReadOnlyFile::Read(void* buffer, std::size_t size) {
  if (!IsOpen()) return -1;
  const std::int64_t n = ReadOnceAt(position_, buffer, size);
  if (n > 0) position_ += n;
  return n;
}

std::size_t ReadOnlyFile::ReadAt(std::int64_t offset, void* buffer, std::size_t size) {
  if (!IsOpen()) return 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t n =
        ReadOnceAt(offset + static_cast<std::int64_t>(done), bytes + done, size - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace sfxtal::platform
