#include "results/totals.h"

#include <cmath>
#include <cstdlib>

#include "results/suffix_row.h"

namespace sfxtal::results {
namespace {

// Digits with a comma between groups of three: 1234567 → "1,234,567".
std::string GroupedDigits(long long value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

}  // namespace

std::string ConfirmedCountAppend(std::int16_t confirmedCount) {
  std::string text = "  ";
  // The count pattern has no zero digit, so a count of 0 shows nothing at all.
  if (confirmedCount != 0) {
    if (confirmedCount < 0) text += '-';
    text += GroupedDigits(std::llabs(confirmedCount));
  }
  return text + " / 18,278";
}

std::string ConfirmedPercentAppend(std::int16_t confirmedCount) {
  const double fraction = static_cast<double>(confirmedCount) / kSuffixCount;
  // std::llround rounds half away from zero, as the percentage pattern does.
  const long long hundredths = std::llround(fraction * 100.0 * 100.0);
  const long long magnitude = std::llabs(hundredths);
  const long long cents = magnitude % 100;
  std::string text = "   ";
  if (hundredths < 0) text += '-';
  text += std::to_string(magnitude / 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text + " %";
}

std::string CaptionWithTotals(std::string_view caption, std::int16_t confirmedCount) {
  return std::string(caption) + ConfirmedCountAppend(confirmedCount) +
         ConfirmedPercentAppend(confirmedCount);
}

}  // namespace sfxtal::results
