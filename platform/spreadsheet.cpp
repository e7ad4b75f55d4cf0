#include "platform/spreadsheet.h"

namespace sfxtal::platform {

HandOverResult HandOver(UserInterface& ui, SpreadsheetFactory& factory,
                        const std::filesystem::path& workbook, std::string_view macro) {
  std::unique_ptr<SpreadsheetApplication> application = factory.Create(workbook);
  if (application == nullptr) {
    // The quiet exit: only the pointer is put back.
    ui.SetBusyPointer(false);
    return HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  HandOverResult result = HandOverResult::kDone;
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

}  // namespace sfxtal::platform
