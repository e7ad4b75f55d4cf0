#include "app/window_import.h"

#include "app/spreadsheet_hand_over.h"
#include "logdb/log_kind.h"

namespace sfxtal::app {

void RunImportFromWindow(const std::filesystem::path& programFolder, WindowUserInterface& ui,
                         logdb::FrequencyErrors& frequencyErrors,
                         app::SpreadsheetChooser& spreadsheet,
                         const importer::ImportRequest& request, bool& running,
                         const std::function<void()>& exit) {
  running = true;
  const auto log = logdb::MakeLogSource(request.Path, ui, frequencyErrors);
  importer::ImportRun run(
      programFolder, ui, *log, [&] { ExcelX(ui, programFolder, kTallyMode, spreadsheet); },
      [&] {
        running = false;
        exit();
      });
  run.Command2_Click(request);
  running = false;
  // The exit button pressed while the run was going: the run has stopped (or ended on its own
  // without reaching the exit), and the program ends now with the window's settings saved.
  if (!ui.Ended() && ui.StopRequested()) exit();
}

void PressExitButton(WindowUserInterface& ui, bool importRunning,
                     const std::function<void()>& saveSettings) {
  if (ui.Ended()) return;
  if (importRunning) {
    ui.RequestStop();
    return;
  }
  saveSettings();
  ui.EndProgram();
}

}  // namespace sfxtal::app
