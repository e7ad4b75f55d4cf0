#include "cli/commands.h"

#include <iterator>
#include <ostream>

#include "cli/terminal_ui.h"
#include "platform/path_text.h"
#include "sfxtal_version.h"

namespace sfxtal::cli {
namespace {

struct Command {
  const char* name;
  const char* usage;
  const char* what;  // what it does, for the operator
  int (*run)(Invocation&);
};

// The subcommands, each in a file of its own.
const Command kCommands[] = {
    {"help", "help", "この使い方を表示します", nullptr},
    {"--version", "--version", "版を表示します", nullptr},
    {"apply", "apply --folder DIR [--open] [--call TEXT] [--name TEXT] [--address TEXT]",
     "実績.txt から申請書 NEBU申請書.xlsx を作ります (--call、--name、--address: 申請者の"
     "コールサイン、氏名、住所を SFXTAL.INI の [申請者] に保存してから作ります)",
     RunApplyCommand},
    {"import",
     "import --folder DIR [--from Y-M-D] [--to Y-M-D] [--marks TEXT] [--ask] [--open] LOG",
     "ログを読み込み、sfxtal.tmp を書いて 実績.txt と sfxtal.xlsx に集計します", RunImportCommand},
    {"sample-log", "sample-log OUT COUNT [SEED]", "試しのログを作ります", RunSampleLogCommand},
    {"dump", "dump LOG", "ログの交信を一覧します", RunDumpCommand},
    {"results", "results --folder DIR [--list]", "実績.txt の確認数と率を表示します",
     RunResultsCommand},
};

// Japanese first, for the operators; the English word beside it for scripts that look for it.
void WriteUsage(std::ostream& to) {
  to << "使い方 (usage):";
  for (const auto& command : kCommands) {
    to << "\n  sfxtal-cli " << command.usage << "\n      " << command.what;
  }
  to << '\n';
}

int Usage(std::ostream& err) {
  WriteUsage(err);
  return kExitUsage;
}

}  // namespace

int CommandUsage(std::ostream& err, std::string_view name) {
  for (const auto& command : kCommands) {
    if (command.name == name) err << "使い方 (usage): sfxtal-cli " << command.usage << '\n';
  }
  return kExitUsage;
}

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
  if (args[0] == "help") {
    WriteUsage(out);
    return kExitDone;
  }
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
