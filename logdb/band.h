#pragma once

#include <string>
#include <string_view>

namespace sfxtal::logdb {

/// ClassifyBand's label as a string that lives as long as the program ("" when the frequency is
/// invalid), for the record reader's hot path.
const std::string& BandLabel(std::string_view freq);
/// The same for a text known to be ASCII only.
const std::string& AsciiBandLabel(std::string_view freq);

}  // namespace sfxtal::logdb
