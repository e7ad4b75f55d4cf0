#include "platform/file_exists.h"

#include <system_error>

#include "platform/read_only_file.h"

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

bool FileExists(const std::filesystem::path& path) {
  ReadOnlyFile file;
  return file.Open(path);
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
