#pragma once

#include <string_view>

namespace sfxtal::logdb {

/// The band label for a frequency as the log's bytes: "1.9" ... "47000", or "" when the text is
/// not a valid amateur frequency. Characters, each byte one, are compared one by one; nothing is
/// parsed as a number.
/// The label lives as long as the program.
std::string_view ClassifyBand(std::string_view freq);

}  // namespace sfxtal::logdb
