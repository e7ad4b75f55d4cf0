#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sfxtal::results {

/// The number of one- to three-letter suffixes, and so of rows: 26 + 26² + 26³.
inline constexpr int kSuffixCount = 18278;

/// The character code of the letter's upper-case form minus 64: A (or a) gives 1, Z gives 26.
std::int16_t Kxll(char letter);

/// The row of a suffix of one to three letters A-Z or a-z (A = 0, AA = 26, AAA = 702,
/// ZZZ = 18,277); nothing for any other text, so a pasted non-letter never points outside the
/// table.
std::optional<int> SuffixRow(std::string_view text);

/// The row of a suffix as the files hold it: one to three capitals A-Z only (a work-file line or
/// a results record with a lower-case suffix is not the suffix of any row); -1 for any other text.
int CapitalSuffixRow(std::string_view text);

/// The suffix whose row this is, in capitals; empty for a row outside the table.
std::string SuffixOfRow(int row);

/// The number of letters (1 to 3) of the suffix whose row this is.
int SuffixLetters(int row);

}  // namespace sfxtal::results
