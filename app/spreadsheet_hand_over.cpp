#include "app/spreadsheet_hand_over.h"

#include <string>

namespace sfxtal::app {

std::string_view JobWorkbookName(SpreadsheetJob job) {
  return job == SpreadsheetJob::kAwardApplication ? kAwardWorkbookName : kResultsWorkbookName;
}

std::string_view JobMacro(SpreadsheetJob job) {
  switch (job) {
    case SpreadsheetJob::kTally:
      return kTallyMacro;
    case SpreadsheetJob::kAwardApplication:
      return kAwardMacro;
    case SpreadsheetJob::kView:
      break;
  }
  return {};
}

HandOverResult HandOver(platform::UserInterface& ui, SpreadsheetChooser& chooser,
                        const std::filesystem::path& programFolder, SpreadsheetJob job) {
  const std::filesystem::path workbook =
      programFolder / platform::PathFromUtf8(JobWorkbookName(job));
  std::unique_ptr<platform::SpreadsheetApplication> application = chooser.Start(job, workbook);
  if (application == nullptr) {
    // The quiet exit: only the pointer is put back.
    ui.SetBusyPointer(false);
    return HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  HandOverResult result = HandOverResult::kDone;
  const std::string_view macro = JobMacro(job);
  if (!application->OpenWorkbook(workbook)) {
    // The application has told the operator why; a macro of a workbook that is not open cannot
    // run, so the hand-over ends like a failed start.
    result = HandOverResult::kOpenFailed;
  } else {
    ui.Yield();
    if (ui.StopRequested()) {
      result = HandOverResult::kStopped;
    } else if (!macro.empty() && !application->RunMacro(std::string(macro))) {
      result = HandOverResult::kMacroFailed;
    }
  }
  ui.SetBusyPointer(false);
  application->Release();
  return result;
}

HandOverResult ExcelX(platform::UserInterface& ui, const std::filesystem::path& programFolder,
                      std::string_view mode, SpreadsheetChooser& chooser) {
  return HandOver(ui, chooser, programFolder,
                  mode == kTallyMode ? SpreadsheetJob::kTally : SpreadsheetJob::kView);
}

HandOverResult NebuExcel(platform::UserInterface& ui, const std::filesystem::path& programFolder,
                         SpreadsheetChooser& chooser) {
  return HandOver(ui, chooser, programFolder, SpreadsheetJob::kAwardApplication);
}

}  // namespace sfxtal::app
