#include <ostream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "platform/path_text.h"
#include "standin/award_application.h"
#include "standin/spreadsheet_choice.h"
#include "standin/standin_texts.h"

namespace sfxtal::cli {

int RunApplyCommand(Invocation& invocation) {
  std::filesystem::path folder;
  bool open = false;
  if (!ParseFolderAndFlag(invocation.args, "--open", folder, open)) {
    return CommandUsage(invocation.err, "apply");
  }

  TerminalUi ui(invocation.in, invocation.err, open);
  standin::SpreadsheetChoice spreadsheet(ui);
  if (app::NebuExcel(ui, folder, spreadsheet) != app::HandOverResult::kDone) {
    return kExitError;
  }
  // The operator's spreadsheet program makes the application its workbook's own way.
  if (spreadsheet.ProgramChosen()) return kExitDone;
  invocation.out << platform::Utf8FromPath(folder / platform::PathFromUtf8(standin::kAwardBookName))
                 << '\n';
  return kExitDone;
}

}  // namespace sfxtal::cli
