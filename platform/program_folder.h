#pragma once

#include <filesystem>

namespace sfxtal::platform {

/// The folder of the running executable, where the program keeps its files. Only the entry points
/// ask for it; everything else takes the folder as a parameter.
std::filesystem::path ProgramFolder();

}  // namespace sfxtal::platform
