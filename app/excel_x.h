#pragma once

#include <filesystem>
#include <string_view>

#include "app/spreadsheet.h"
#include "app/user_interface.h"

namespace sfxtal::app {

/// excel_x: opens sfxtal.xls from the program folder in the spreadsheet application and, only
/// when `mode` is exactly "FREAD", runs its macro "F_Read". An application that cannot be created
/// is passed over without a word. The caller ends the program afterwards whatever the result.
HandOverResult ExcelX(UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode, SpreadsheetFactory& factory);

/// ExcelX with the built-in stand-in as the application.
HandOverResult ExcelX(UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode);

inline constexpr std::string_view kTallyMode = "FREAD";
inline constexpr std::string_view kViewMode = "NONFREAD";

}  // namespace sfxtal::app
