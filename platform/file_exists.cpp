#include "platform/file_exists.h"

#include <system_error>

#include "platform/ascii_text.h"
#include "platform/path_text.h"
#include "platform/read_only_file.h"

namespace sfxtal::platform {

bool FileExists(const std::filesystem::path& path) {
  ReadOnlyFile file;
  return file.Open(path);
}

std::optional<std::filesystem::path> FindFormedFile(const std::filesystem::path& path) {
  if (FileExists(path)) return path;
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const std::string wanted = Utf8FromPath(path.filename());
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  for (const auto& entry : it) {
    const std::string name = Utf8FromPath(entry.path().filename());
    if (EqualsIgnoringAsciiCase(name, wanted) && FileExists(entry.path())) return entry.path();
  }
  return std::nullopt;
}

}  // namespace sfxtal::platform
