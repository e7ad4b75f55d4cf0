#include "results/award_output.h"

#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"

namespace sfxtal::results {

bool AwardBookPresent(const std::filesystem::path& programFolder) {
  return platform::FormedFileExists(programFolder /
                                    platform::PathFromUtf8(platform::kAwardOfferBookName));
}

platform::HandOverResult NebuExcel(platform::UserInterface& ui,
                                   const std::filesystem::path& programFolder,
                                   platform::SpreadsheetFactory& factory) {
  return platform::HandOver(ui, factory,
                            programFolder / platform::PathFromUtf8(platform::kAwardWorkbookName),
                            platform::kAwardMacro);
}

}  // namespace sfxtal::results
