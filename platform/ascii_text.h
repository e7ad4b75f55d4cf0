#pragma once

#include <cstddef>
#include <string_view>

namespace sfxtal::platform {

/// True when every byte is below 0x80: the text is the same in ASCII, UTF-8 and CP932.
bool IsAscii(std::string_view text);

/// True when the texts are the same but for the letter case of A-Z and a-z.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

/// Text without ASCII blanks (0x20) at both ends, the only blank of the log and of the marks;
/// other white space is kept. Inline: the readers trim several fields of every record.
inline std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

/// Text without blanks and tabs at both ends, as text files' readers take a value.
std::string_view TrimBlanksAndTabs(std::string_view text);

}  // namespace sfxtal::platform
