#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sfxtal::results {

/// The results window's caption before any read.
inline constexpr const char* kResultsCaption = "交信実績";

/// The first caption append: two blanks, the count with thousands commas (nothing for 0), then
/// " / 18,278".
std::string ConfirmedCountAppend(std::int16_t confirmedCount);

/// The second caption append: three blanks and the confirmed share of 18,278 as a percentage
/// rounded to two decimals, half away from zero ("   6.75 %").
std::string ConfirmedPercentAppend(std::int16_t confirmedCount);

/// The caption after a read: the current caption with both appends behind it.
std::string CaptionWithTotals(std::string_view caption, std::int16_t confirmedCount);

}  // namespace sfxtal::results
