#include "app/help_page.h"

#include <optional>

#include "app/app_texts.h"
#include "platform/file_exists.h"
#include "platform/program_texts.h"

namespace sfxtal::app {

std::filesystem::path HelpPagePath(const std::filesystem::path& programFolder) {
  return programFolder / platform::PathFromUtf8(kHelpPageName);
}

bool OpenHelpPage(platform::UserInterface& ui, const std::filesystem::path& programFolder) {
  const std::filesystem::path page = HelpPagePath(programFolder);
  // Copied from a Windows folder, the page may be spelt "ヘルプ.HTML"; Windows opens it all the
  // same.
  const std::optional<std::filesystem::path> found = platform::FindFormedFile(page);
  if (!found) {
    ui.ShowMessage(platform::WithPath(kNoHelpPageMessage, page));
    return false;
  }
  ui.OpenFile(*found);
  return true;
}

}  // namespace sfxtal::app
