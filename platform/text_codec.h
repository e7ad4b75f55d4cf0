#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sfxtal::platform {

/// First code point of the carried-through bytes: a byte b with no character of its own is held
/// in memory as U+F780 + b, so that writing the text back gives the same byte.
inline constexpr char32_t kCarriedByteBase = 0xF780;

/// CP932 (Windows Shift-JIS) bytes to UTF-8. Bytes that do not decode are carried through, a
/// lead byte together with its trail byte, so that EncodeCp932 gives the same bytes back.
///
/// One exception, as in Windows' own conversion: 398 characters have two CP932 spellings (the
/// NEC-selected rows ED/EE and the IBM rows FA-FC, and the row-13 twins of JIS symbols), and
/// encoding gives the one spelling Windows writes. Files that must keep their bytes (the work
/// file, the answer history, the tally's results) are therefore handled as bytes, not as text.
std::string DecodeCp932(std::string_view bytes);

/// UTF-8 to CP932 bytes. Carried-through bytes become their byte again; a character that CP932
/// cannot hold becomes "?".
std::string EncodeCp932(std::string_view utf8);
/// The same, appended to `out`: a buffer reused line after line costs no allocation.
void AppendCp932(std::string& out, std::string_view utf8);

/// The first character of UTF-8 text that a CP932 file cannot hold, as its bytes: a character
/// without CP932 bytes, a carried-through byte (no character of its own), or a broken UTF-8
/// sequence. Empty when every character has its CP932 bytes.
std::string_view FirstCharacterNotInCp932(std::string_view utf8);

/// The log's "bytes as characters": 0x00-0x7F as ASCII, 0xA1-0xDF as half-width katakana
/// (U+FF61-U+FF9F), every other byte carried through. Never combines two bytes.
std::string BytesAsCharacters(std::string_view bytes);

/// Number of characters (code points) in UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

/// The first / last n characters of UTF-8 text (the whole text when it is shorter).
std::string_view LeftCharacters(std::string_view utf8, std::size_t n);
std::string_view RightCharacters(std::string_view utf8, std::size_t n);

/// The code point of text that is exactly one well-formed UTF-8 character; 0 for anything else.
char32_t CodePointOf(std::string_view oneCharacter);

/// UTF-8 encoding of one code point.
std::string Utf8Of(char32_t codePoint);

}  // namespace sfxtal::platform
