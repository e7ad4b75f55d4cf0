#pragma once

#include <string>
#include <string_view>

namespace sfxtal::platform {

/// Between the program's UTF-8 text and the UTF-16 that Windows' own calls take (file names
/// aside, which go through PathFromUtf8). For the Windows halves only.
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace sfxtal::platform
