#pragma once

#include <filesystem>

#include "app/spreadsheet.h"
#include "app/user_interface.h"

namespace sfxtal::results {

/// Nebu_excel: opens nebu_SET.xls from the program folder in the spreadsheet application and runs
/// its macro "変換". An application that cannot be created is passed over without a word; what
/// the macro reports is left to it. The result is for the caller's information: the results
/// window ends in the same state whatever it is.
app::HandOverResult NebuExcel(app::UserInterface& ui, const std::filesystem::path& programFolder,
                              app::SpreadsheetFactory& factory);

/// NebuExcel with the built-in stand-in as the application.
app::HandOverResult NebuExcel(app::UserInterface& ui, const std::filesystem::path& programFolder);

}  // namespace sfxtal::results
