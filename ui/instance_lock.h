#pragma once

#include <QLockFile>
#include <filesystem>
#include <memory>

namespace sfxtal::ui {

/// The lock that tells a second start of the program in the same folder that the first is still
/// running. It lives in the user's runtime folder, named after the program folder, so that an
/// unwritable program folder never stops the program from starting. Nothing when another running
/// instance holds it; the lock of an instance that crashed is taken over.
std::unique_ptr<QLockFile> TakeInstanceLock(const std::filesystem::path& programFolder);

}  // namespace sfxtal::ui
