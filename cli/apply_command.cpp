#include <ostream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "results/award_application.h"
#include "results/award_output.h"

namespace sfxtal::cli {

int RunApplyCommand(Invocation& invocation) {
  std::filesystem::path folder;
  bool open = false;
  if (!ParseFolderAndFlag(invocation.args, "--open", folder, open)) {
    invocation.err << "usage: sfxtal-cli apply --folder DIR [--open]\n";
    return kExitUsage;
  }

  TerminalUi ui(invocation.in, invocation.err, open);
  if (results::NebuExcel(ui, folder) != app::HandOverResult::kDone) return kExitError;
  invocation.out << (folder / results::kAwardApplicationFile).string() << '\n';
  return kExitDone;
}

}  // namespace sfxtal::cli
