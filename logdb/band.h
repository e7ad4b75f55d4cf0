#pragma once

#include <string_view>

namespace sfxtal::logdb {

/// ClassifyBand's label as a view of a constant ("" when the frequency is invalid), for the
/// record reader's hot path.
std::string_view BandLabel(std::string_view freq);

}  // namespace sfxtal::logdb
