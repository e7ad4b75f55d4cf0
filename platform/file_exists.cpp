#include "platform/file_exists.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace sfxtal::platform {
namespace {

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

int OpenFileForReading(const std::filesystem::path& path) {
  if (path.empty()) return -1;
  // Non-blocking only for the open itself, so that a pipe in the file's place cannot hang it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool FileExists(const std::filesystem::path& path) {
  const int fd = OpenFileForReading(path);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

std::optional<std::filesystem::path> FindFormedFile(const std::filesystem::path& path) {
  if (FileExists(path)) return path;
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string wanted = path.filename().string();
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (EqualIgnoringAsciiCase(name, wanted) && FileExists(entry.path())) return entry.path();
  }
  return std::nullopt;
}

}  // namespace sfxtal::platform
