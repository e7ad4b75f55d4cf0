#pragma once

#include <string>
#include <string_view>

namespace sfxtal::platform {

// The system's own CP932 converter, asked once per byte sequence and character while the program's
// mapping is built (text_codec.cpp); the POSIX and Windows halves differ.

/// The character that one CP932 sequence of one or two bytes reads as, or 0 when it is no single
/// character.
char32_t SystemDecodeCp932(std::string_view bytes);

/// The CP932 bytes the system writes for one character, no best-fit guesses; empty when none.
std::string SystemEncodeCp932(char32_t codePoint);

}  // namespace sfxtal::platform
