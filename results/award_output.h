#pragma once

#include <filesystem>

#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::results {

/// Nebu_excel: opens nebu_SET.xls from the program folder in the spreadsheet application and runs
/// its macro "変換". An application that cannot be created is passed over without a word; what
/// the macro reports is left to it. The result is for the caller's information: the results
/// window ends in the same state whatever it is.
platform::HandOverResult NebuExcel(platform::UserInterface& ui,
                                   const std::filesystem::path& programFolder,
                                   platform::SpreadsheetFactory& factory);

}  // namespace sfxtal::results
