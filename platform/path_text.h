#pragma once

#include <concepts>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>

namespace sfxtal::platform {

/// The one way from the program's UTF-8 text to a path and back. A path made from a plain
/// std::string takes its bytes in the system's narrow encoding, which is UTF-8 only on some
/// systems: on Windows "実績.txt" would name another file.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

/// The program's narrow text: std::string, std::string_view, char pointers and arrays. A function
/// that takes a path also declares `F(const NarrowText auto&) = delete`, so that text reaches it
/// only through PathFromUtf8.
template <class T>
concept NarrowText = std::is_convertible_v<const T&, std::string_view>;

/// A char pointer: text of unknown origin (a name constant, a C string).
template <class T>
concept CharPointer = std::same_as < std::remove_cv_t<T>,
const char* > || std::same_as<std::remove_cv_t<T>, char*>;

}  // namespace sfxtal::platform

namespace sfxtal {

// Text joined to a path goes through PathFromUtf8 too: these take the place of the path's own
// `/` and `/=` for narrow strings, which read the text in the system's encoding. A string
// literal is the program's own UTF-8 (the compiler's execution character set), so it is joined as
// such; a std::string, a string_view or a char pointer does not compile.
template <std::size_t N>
std::filesystem::path operator/(const std::filesystem::path& folder, const char (&name)[N]) {
  return folder / platform::PathFromUtf8(name);
}
template <std::size_t N>
std::filesystem::path& operator/=(std::filesystem::path& folder, const char (&name)[N]) {
  return folder /= platform::PathFromUtf8(name);
}
std::filesystem::path operator/(const std::filesystem::path&, const std::string&) = delete;
std::filesystem::path operator/(const std::filesystem::path&, std::string_view) = delete;
std::filesystem::path operator/(const std::filesystem::path&,
                                const platform::CharPointer auto&) = delete;
std::filesystem::path& operator/=(std::filesystem::path&, const std::string&) = delete;
std::filesystem::path& operator/=(std::filesystem::path&, std::string_view) = delete;
std::filesystem::path& operator/=(std::filesystem::path&,
                                  const platform::CharPointer auto&) = delete;

}  // namespace sfxtal
