#include <optional>
#include <ostream>
#include <string>

#include "app/applicant.h"
#include "app/settings_store.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "standin/award_application.h"
#include "standin/spreadsheet_choice.h"
#include "standin/standin_texts.h"

namespace sfxtal::cli {

int RunApplyCommand(Invocation& invocation) {
  const auto& args = invocation.args;
  std::optional<std::filesystem::path> folder;
  bool open = false;
  app::ApplicantChange change;
  const std::pair<const char*, std::optional<std::string>*> applicantOptions[] = {
      {"--call", &change.call}, {"--name", &change.name}, {"--address", &change.address}};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    bool taken = false;
    if (args[i] == "--folder" && hasValue && !folder && !args[i + 1].empty()) {
      folder = ProgramFolderArgument(args[++i]);
      taken = true;
    } else if (args[i] == "--open" && !open) {
      open = true;
      taken = true;
    }
    for (const auto& [option, value] : applicantOptions) {
      if (taken || args[i] != option || !hasValue || value->has_value()) continue;
      *value = args[++i];
      taken = true;
    }
    if (!taken) return CommandUsage(invocation.err, "apply");
  }
  if (!folder) return CommandUsage(invocation.err, "apply");

  TerminalUi ui(invocation.in, invocation.err, open);
  // Every value is checked before any is stored, so a refused one leaves the settings as they were.
  for (const auto& [option, value] : applicantOptions) {
    if (!value->has_value()) continue;
    const std::string refusal = app::UnstorableApplicantMessage(option, **value);
    if (!refusal.empty()) {
      ui.ShowMessage(refusal);
      return kExitError;
    }
  }
  if (!app::StoreApplicant(*folder, change)) {
    ui.ShowMessage(platform::WithPath(platform::kCannotWriteMessage,
                                      *folder / platform::PathFromUtf8(app::kSettingsFileName)));
    return kExitError;
  }

  standin::SpreadsheetChoice spreadsheet(ui);
  if (app::NebuExcel(ui, *folder, spreadsheet) != app::HandOverResult::kDone) {
    return kExitError;
  }
  // The operator's spreadsheet program makes the application its workbook's own way.
  if (spreadsheet.ProgramChosen()) return kExitDone;
  invocation.out << platform::Utf8FromPath(*folder /
                                           platform::PathFromUtf8(standin::kAwardBookName))
                 << '\n';
  return kExitDone;
}

}  // namespace sfxtal::cli
