#include "results/suffix_row.h"

namespace sfxtal::results {

std::int16_t Kxll(char letter) {
  const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 32) : letter;
  return static_cast<std::int16_t>(static_cast<unsigned char>(upper) - 64);
}

namespace {

// One to three letters read as a bijective base-26 numeral (A = 1 ... Z = 26), less one; -1 for
// any other text. The tally reads a million suffixes through here.
int RowOfLetters(std::string_view text, bool lowerCaseToo) {
  if (text.empty() || text.size() > 3) return -1;
  int number = 0;
  for (char c : text) {
    const bool letter = (c >= 'A' && c <= 'Z') || (lowerCaseToo && c >= 'a' && c <= 'z');
    if (!letter) return -1;
    number = 26 * number + Kxll(c);
  }
  return number - 1;
}

}  // namespace

std::optional<int> SuffixRow(std::string_view text) {
  const int row = RowOfLetters(text, true);
  if (row < 0) return std::nullopt;
  return row;
}

int CapitalSuffixRow(std::string_view text) {
  return RowOfLetters(text, false);
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

int SuffixLetters(int row) {
  constexpr int kOneLetterRows = 26;
  constexpr int kUpToTwoLetterRows = 26 + 26 * 26;
  if (row < kOneLetterRows) return 1;
  return row < kUpToTwoLetterRows ? 2 : 3;
}

}  // namespace sfxtal::results
