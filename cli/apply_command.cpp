#include <ostream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "results/award_application.h"
#include "results/award_output.h"

namespace sfxtal::cli {

int RunApplyCommand(Invocation& invocation) {
  std::string folder;
  bool haveFolder = false;
  bool open = false;
  const auto& args = invocation.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size() && !haveFolder) {
      folder = args[++i];
      haveFolder = true;
    } else if (args[i] == "--open" && !open) {
      open = true;
    } else {
      haveFolder = false;
      break;
    }
  }
  if (!haveFolder || folder.empty()) {
    invocation.err << "usage: sfxtal-cli apply --folder DIR [--open]\n";
    return kExitUsage;
  }

  TerminalUi ui(invocation.in, invocation.err, open);
  const std::filesystem::path programFolder = ProgramFolderArgument(folder);
  if (results::NebuExcel(ui, programFolder) != app::HandOverResult::kDone) return kExitError;
  invocation.out << (programFolder / results::kAwardApplicationFile).string() << '\n';
  return kExitDone;
}

}  // namespace sfxtal::cli
