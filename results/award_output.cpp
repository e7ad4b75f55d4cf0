#include "results/award_output.h"

#include "app/stand_in_spreadsheet.h"

namespace sfxtal::results {

app::HandOverResult NebuExcel(app::UserInterface& ui, const std::filesystem::path& programFolder,
                              app::SpreadsheetFactory& factory) {
  std::unique_ptr<app::SpreadsheetApplication> application = factory.Create();
  if (application == nullptr) {
    ui.SetBusyPointer(false);
    return app::HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  app::HandOverResult result = app::HandOverResult::kDone;
  if (!application->OpenWorkbook(programFolder / app::kAwardWorkbookName)) {
    // Ends like a failed start, after the application's own message.
    result = app::HandOverResult::kOpenFailed;
  } else {
    ui.Yield();
    if (!application->RunMacro(app::kAwardMacro)) result = app::HandOverResult::kMacroFailed;
  }
  ui.SetBusyPointer(false);
  application->Release();
  return result;
}

app::HandOverResult NebuExcel(app::UserInterface& ui, const std::filesystem::path& programFolder) {
  app::StandInFactory factory(ui);
  return NebuExcel(ui, programFolder, factory);
}

}  // namespace sfxtal::results
