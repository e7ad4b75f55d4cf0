#pragma once

#include <filesystem>

#include "platform/path_text.h"

namespace sfxtal::platform {

/// Hands a file to the desktop's application for its kind, as a double click would, and returns
/// without waiting for the application. Nothing goes through a shell; nothing is said when there
/// is no such application.
void OpenWithDesktop(const std::filesystem::path& file);
void OpenWithDesktop(const NarrowText auto&) = delete;

}  // namespace sfxtal::platform
