#pragma once

#include <filesystem>

#include "platform/path_text.h"

namespace sfxtal::platform {

/// True when, as far as the system lets the program see, another program holds the file open to
/// work on it, so that replacing it now would leave the operator looking at its old contents:
/// LibreOffice's lock file ".~lock.NAME#" beside it (a lock left behind by a crash counts too:
/// LibreOffice itself asks about it on the next open), or, where the system has them, a program
/// that keeps others from opening the file (Windows' sharing violation).
bool OpenElsewhere(const std::filesystem::path& path);
bool OpenElsewhere(const NarrowText auto&) = delete;

/// The system's half: true when the system says another program keeps the file to itself.
bool HeldBySystem(const std::filesystem::path& path);

}  // namespace sfxtal::platform
