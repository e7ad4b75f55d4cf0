#pragma once

#include <filesystem>
#include <functional>

#include "app/spreadsheet_hand_over.h"
#include "app/window_user_interface.h"
#include "importer/import_run.h"
#include "logdb/frequency_check.h"

namespace sfxtal::app {

/// The main window's import button: the import run of `request` over the log it names (any kind),
/// the tally handed to `spreadsheet` at its end. `exit` is the exit button's press: made when the
/// run ends the program, and after the run when the operator pressed the exit button during it.
/// `running` is true meanwhile, so that the window's exit button only asks the run to stop.
void RunImportFromWindow(const std::filesystem::path& programFolder, WindowUserInterface& ui,
                         logdb::FrequencyErrors& frequencyErrors,
                         app::SpreadsheetChooser& spreadsheet,
                         const importer::ImportRequest& request, bool& running,
                         const std::function<void()>& exit);

/// The main window's exit button. During an import run, which is further down this very call
/// stack, it asks the run to stop after the record in hand, and RunImportFromWindow then ends the
/// program; otherwise `saveSettings` runs and the program ends.
void PressExitButton(WindowUserInterface& ui, bool importRunning,
                     const std::function<void()>& saveSettings);

}  // namespace sfxtal::app
