#include "standin/spreadsheet_choice.h"

#include "platform/file_exists.h"

namespace sfxtal::standin {

std::unique_ptr<platform::SpreadsheetApplication> SpreadsheetChoice::Create(
    const std::filesystem::path& workbook) {
  programChosen_ =
      platform::ComSpreadsheetFactory::Registered() && platform::FormedFileExists(workbook);
  return programChosen_ ? program_.Create(workbook) : standIn_.Create(workbook);
}

}  // namespace sfxtal::standin
