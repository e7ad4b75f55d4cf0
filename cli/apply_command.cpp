#include <ostream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "results/award_output.h"
#include "standin/award_application.h"
#include "standin/stand_in_spreadsheet.h"

namespace sfxtal::cli {

int RunApplyCommand(Invocation& invocation) {
  std::filesystem::path folder;
  bool open = false;
  if (!ParseFolderAndFlag(invocation.args, "--open", folder, open)) {
    invocation.err << "usage: sfxtal-cli apply --folder DIR [--open]\n";
    return kExitUsage;
  }

  TerminalUi ui(invocation.in, invocation.err, open);
  standin::StandInFactory spreadsheet(ui);
  if (results::NebuExcel(ui, folder, spreadsheet) != platform::HandOverResult::kDone) {
    return kExitError;
  }
  invocation.out << (folder / standin::kAwardApplicationFile).string() << '\n';
  return kExitDone;
}

}  // namespace sfxtal::cli
