#pragma once

#include <filesystem>
#include <string_view>

#include "platform/path_text.h"
#include "platform/user_interface.h"

namespace sfxtal::app {

/// The operator's manual, one HTML page in the program folder with its pictures in the folder
/// "ヘルプ" beside it.
inline constexpr std::string_view kHelpPageName = "ヘルプ.html";

/// The help page's path in the program folder.
std::filesystem::path HelpPagePath(const std::filesystem::path& programFolder);
std::filesystem::path HelpPagePath(const platform::NarrowText auto&) = delete;

/// The help key: hands the help page to the desktop's browser (UserInterface::OpenFile), or tells
/// the operator that it is missing, with its path. True when it was handed over.
bool OpenHelpPage(platform::UserInterface& ui, const std::filesystem::path& programFolder);
bool OpenHelpPage(platform::UserInterface&, const platform::NarrowText auto&) = delete;

}  // namespace sfxtal::app
