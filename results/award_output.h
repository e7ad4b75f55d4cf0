#pragma once

#include <filesystem>

#include "platform/path_text.h"

namespace sfxtal::results {

/// True when nebu.xls is in the program folder, letter case aside: the award output is offered.
bool AwardBookPresent(const std::filesystem::path& programFolder);
bool AwardBookPresent(const platform::NarrowText auto&) = delete;

}  // namespace sfxtal::results
