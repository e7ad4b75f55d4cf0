#include "app/excel_x.h"

#include "platform/path_text.h"
#include "platform/program_texts.h"

namespace sfxtal::app {

platform::HandOverResult ExcelX(platform::UserInterface& ui,
                                const std::filesystem::path& programFolder, std::string_view mode,
                                platform::SpreadsheetFactory& factory) {
  return platform::HandOver(ui, factory,
                            programFolder / platform::PathFromUtf8(platform::kResultsWorkbookName),
                            mode == kTallyMode ? platform::kTallyMacro : std::string_view());
}

}  // namespace sfxtal::app
