#pragma once

#include <filesystem>
#include <optional>

namespace sfxtal::platform {

/// True when the path names an existing regular file that can be opened for reading (a folder,
/// a pipe or a device is not).
bool FileExists(const std::filesystem::path& path);

/// For a name the program forms itself (the log path with ".tdb" appended, "nebu.xls"): the
/// existing file that matches it regardless of letter case within its folder, as on the original
/// platform. The exact name is preferred; nothing when no readable file matches.
std::optional<std::filesystem::path> FindFormedFile(const std::filesystem::path& path);

/// FileExists for a name the program forms itself.
inline bool FormedFileExists(const std::filesystem::path& path) {
  return FindFormedFile(path).has_value();
}

}  // namespace sfxtal::platform
