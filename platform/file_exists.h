#pragma once

#include <filesystem>
#include <optional>

#include "platform/path_text.h"

namespace sfxtal::platform {

/// True when the path names an existing regular file that can be opened for reading (a folder,
/// a pipe or a device is not).
bool FileExists(const std::filesystem::path& path);
bool FileExists(const NarrowText auto&) = delete;

/// For a name the program forms itself (the log path with ".tdb" appended, "nebu.xls"): the
/// existing file that matches it regardless of letter case within its folder, as file names
/// match on Windows. The exact name is preferred; nothing when no readable file matches.
std::optional<std::filesystem::path> FindFormedFile(const std::filesystem::path& path);
std::optional<std::filesystem::path> FindFormedFile(const NarrowText auto&) = delete;

/// FileExists for a name the program forms itself.
inline bool FormedFileExists(const std::filesystem::path& path) {
  return FindFormedFile(path).has_value();
}
bool FormedFileExists(const NarrowText auto&) = delete;

}  // namespace sfxtal::platform
