#include "results/award_output.h"

#include "platform/file_exists.h"

namespace sfxtal::results {

bool AwardBookPresent(const std::filesystem::path& programFolder) {
  return platform::FormedFileExists(programFolder / kAwardOfferBookName);
}

platform::HandOverResult NebuExcel(platform::UserInterface& ui,
                                   const std::filesystem::path& programFolder,
                                   platform::SpreadsheetFactory& factory) {
  std::unique_ptr<platform::SpreadsheetApplication> application = factory.Create();
  if (application == nullptr) {
    ui.SetBusyPointer(false);
    return platform::HandOverResult::kNotStarted;
  }
  ui.SetBusyPointer(true);
  application->SetVisible(true);
  platform::HandOverResult result = platform::HandOverResult::kDone;
  if (!application->OpenWorkbook(programFolder / platform::kAwardWorkbookName)) {
    // Ends like a failed start, after the application's own message.
    result = platform::HandOverResult::kOpenFailed;
  } else {
    ui.Yield();
    // Closing the results window during the yield ends the program; nothing more is started.
    if (ui.StopRequested()) {
      result = platform::HandOverResult::kStopped;
    } else if (!application->RunMacro(platform::kAwardMacro)) {
      result = platform::HandOverResult::kMacroFailed;
    }
  }
  ui.SetBusyPointer(false);
  application->Release();
  return result;
}

}  // namespace sfxtal::results
