#include "results/suffix_row.h"

namespace sfxtal::results {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::int16_t Kxll(char letter) {
  const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
  return static_cast<std::int16_t>(static_cast<unsigned char>(upper) - 64);
}

std::optional<int> SuffixRow(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int number = 0;
  for (char c : text) {
    if (!IsLetter(c)) return std::nullopt;
    number = 26 * number + Kxll(c);
  }
  return number - 1;
}

std::string SuffixOfRow(int row) {
  if (row < 0 || row >= kSuffixCount) return {};
  // Bijective base 26: each step takes one letter off the end of number = row + 1.
  std::string suffix;
  for (int number = row + 1; number > 0; number = (number - 1) / 26) {
    suffix.insert(suffix.begin(), static_cast<char>('A' + (number - 1) % 26));
  }
  return suffix;
}

}  // namespace sfxtal::results
