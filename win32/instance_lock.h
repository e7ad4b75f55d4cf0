#pragma once

#include <filesystem>
#include <memory>

#include "win32/win32_api.h"

namespace sfxtal::win32 {

/// The mutex that tells a second start in the same program folder that one is running: held
/// until the handle is closed (or the process ends).
using InstanceLock = std::unique_ptr<void, decltype(&CloseHandle)>;

/// The lock of the program folder, or an empty one when another instance holds it.
InstanceLock TakeInstanceLock(const std::filesystem::path& programFolder);

}  // namespace sfxtal::win32
