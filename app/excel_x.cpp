#include "app/excel_x.h"

#include "app/stand_in_spreadsheet.h"

namespace sfxtal::app {

HandOverResult ExcelX(UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode, SpreadsheetFactory& factory) {
  std::unique_ptr<SpreadsheetApplication> application = factory.Create();
  if (application == nullptr) {
    // The quiet exit: only the pointer is put back.
    ui.SetBusyPointer(false);
    return HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  HandOverResult result = HandOverResult::kDone;
  if (!application->OpenWorkbook(programFolder / kResultsWorkbookName)) {
    // The application has told the operator; running a macro of a workbook that is not open
    // makes no sense, so go straight to the end.
    result = HandOverResult::kOpenFailed;
  } else {
    ui.Yield();
    if (mode == kTallyMode && !application->RunMacro(kTallyMacro)) {
      result = HandOverResult::kMacroFailed;
    }
  }
  ui.SetBusyPointer(false);
  application->Release();
  return result;
}

HandOverResult ExcelX(UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode) {
  StandInFactory factory(ui);
  return ExcelX(ui, programFolder, mode, factory);
}

}  // namespace sfxtal::app
