#include "app/excel_x.h"

namespace sfxtal::app {

platform::HandOverResult ExcelX(platform::UserInterface& ui,
                                const std::filesystem::path& programFolder, std::string_view mode,
                                platform::SpreadsheetFactory& factory) {
  std::unique_ptr<platform::SpreadsheetApplication> application = factory.Create();
  if (application == nullptr) {
    // The quiet exit: only the pointer is put back.
    ui.SetBusyPointer(false);
    return platform::HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  platform::HandOverResult result = platform::HandOverResult::kDone;
  if (!application->OpenWorkbook(programFolder / platform::kResultsWorkbookName)) {
    // The application has told the operator; running a macro of a workbook that is not open
    // makes no sense, so go straight to the end.
    result = platform::HandOverResult::kOpenFailed;
  } else {
    ui.Yield();
    if (mode == kTallyMode && !application->RunMacro(platform::kTallyMacro)) {
      result = platform::HandOverResult::kMacroFailed;
    }
  }
  ui.SetBusyPointer(false);
  application->Release();
  return result;
}

}  // namespace sfxtal::app
