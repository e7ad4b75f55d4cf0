#pragma once

#include <filesystem>

#include "platform/path_text.h"
#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::results {

/// True when nebu.xls is in the program folder, letter case aside.
bool AwardBookPresent(const std::filesystem::path& programFolder);
bool AwardBookPresent(const platform::NarrowText auto&) = delete;

/// Nebu_excel: opens nebu_SET.xls from the program folder in the spreadsheet application and runs
/// its macro "変換". An application that cannot be created is passed over without a word; what
/// the macro reports is left to it. When the program is ended (StopRequested) during the one
/// yield before the macro, the macro is not run. The result is for the caller's information: the
/// results window ends in the same state whatever it is.
platform::HandOverResult NebuExcel(platform::UserInterface& ui,
                                   const std::filesystem::path& programFolder,
                                   platform::SpreadsheetFactory& factory);
platform::HandOverResult NebuExcel(platform::UserInterface&, const platform::NarrowText auto&,
                                   platform::SpreadsheetFactory&) = delete;

}  // namespace sfxtal::results
