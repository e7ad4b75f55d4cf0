#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sfxtal::platform {

/// The one way from the program's UTF-8 text to a path and back. A path made from a plain
/// std::string takes its bytes in the system's narrow encoding, which is UTF-8 only on some
/// systems; "実績.txt" must name the same file everywhere.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace sfxtal::platform
