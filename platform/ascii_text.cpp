#include "platform/ascii_text.h"

namespace sfxtal::platform {
namespace {

template <typename IsBlank>
std::string_view Trim(std::string_view text, IsBlank isBlank) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  return Trim(text, [](char c) { return c == ' '; });
}

std::string_view TrimBlanksAndTabs(std::string_view text) {
  return Trim(text, [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace sfxtal::platform
