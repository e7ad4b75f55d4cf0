#include "standin/spreadsheet_choice.h"

#include "platform/file_exists.h"

namespace sfxtal::standin {

std::unique_ptr<platform::SpreadsheetApplication> SpreadsheetChoice::Start(
    app::SpreadsheetJob job, const std::filesystem::path& workbook) {
  programChosen_ =
      platform::ComSpreadsheetFactory::Registered() && platform::FormedFileExists(workbook);
  if (programChosen_) return program_.Create(workbook);
  return std::make_unique<StandInSpreadsheet>(ui_, job, &tallyChanges_);
}

}  // namespace sfxtal::standin
