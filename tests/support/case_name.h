#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace sfxtal::test_support {

/// A parameterised case's name that ctest can list and that stays the same from run to run: the
/// case's index, then its text with everything but letters and digits turned into "_".
inline std::string CaseName(std::size_t index, std::string_view text) {
  std::string name = "Case" + std::to_string(index);
  if (!text.empty()) name += '_';
  for (const char c : text) {
    name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
  }
  return name;
}

}  // namespace sfxtal::test_support
