#pragma once

#include <filesystem>
#include <string_view>

#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::app {

/// excel_x: opens sfxtal.xls from the program folder in the spreadsheet application and, only
/// when `mode` is exactly "FREAD", runs its macro "F_Read". An application that cannot be created
/// is passed over without a word. The caller ends the program afterwards whatever the result.
platform::HandOverResult ExcelX(platform::UserInterface& ui,
                                const std::filesystem::path& programFolder, std::string_view mode,
                                platform::SpreadsheetFactory& factory);
platform::HandOverResult ExcelX(platform::UserInterface&, const platform::NarrowText auto&,
                                std::string_view, platform::SpreadsheetFactory&) = delete;

inline constexpr std::string_view kTallyMode = "FREAD";
inline constexpr std::string_view kViewMode = "NONFREAD";

}  // namespace sfxtal::app
