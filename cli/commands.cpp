#include "cli/commands.h"

#include <iterator>
#include <ostream>

#include "cli/terminal_ui.h"
#include "sfxtal_version.h"
#include "platform/path_text.h"

namespace sfxtal::cli {
namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(Invocation&);
};

// The subcommands, each in a file of its own.
const Command kCommands[] = {
    {"help", "help", nullptr},
    {"--version", "--version", nullptr},
    {"apply", "apply --folder DIR [--open]", RunApplyCommand},
    {"import",
     "import --folder DIR [--from Y-M-D] [--to Y-M-D] [--marks TEXT] [--ask] [--open] LOG",
     RunImportCommand},
    {"sample-log", "sample-log OUT COUNT [SEED]", RunSampleLogCommand},
    {"dump", "dump LOG", RunDumpCommand},
    {"results", "results --folder DIR [--list]", RunResultsCommand},
};

int Usage(std::ostream& err) {
  err << "usage:";
  for (const auto& command : kCommands) err << "\n  sfxtal-cli " << command.usage;
  err << '\n';
  return kExitUsage;
}

}  // namespace

std::filesystem::path ProgramFolderArgument(const std::string& given) {
  const std::filesystem::path path = platform::PathFromUtf8(given);
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(path, error);
  return error ? path : folder.lexically_normal();
}

bool ParseFolderAndFlag(const std::vector<std::string>& args, std::string_view flag,
                        std::filesystem::path& folder, bool& flagGiven) {
  bool haveFolder = false;
  flagGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size() && !haveFolder && !args[i + 1].empty()) {
      folder = ProgramFolderArgument(args[++i]);
      haveFolder = true;
    } else if (args[i] == flag && !flagGiven) {
      flagGiven = true;
    } else {
      return false;
    }
  }
  return haveFolder;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) return Usage(err);
  if (args[0] == "--version") {
    out << "sfxtal-cli " << kVersion << '\n';
    return kExitDone;
  }
  for (const auto& command : kCommands) {
    if (args[0] != command.name || command.run == nullptr) continue;
    Invocation invocation{{std::next(args.begin()), args.end()}, in, out, err};
    return command.run(invocation);
  }
  return Usage(err);
}

}  // namespace sfxtal::cli
