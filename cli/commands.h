#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace sfxtal::cli {

/// What a subcommand gets: its arguments (without the subcommand's name) and the three streams.
struct Invocation {
  std::vector<std::string> args;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

/// A --folder argument as the program folder: made absolute, since messages name files by their
/// full path.
std::filesystem::path ProgramFolderArgument(const std::string& given);

/// Parses "--folder DIR [FLAG]", in either order and each once, into the program folder (see
/// ProgramFolderArgument) and whether FLAG was given. False for anything else.
bool ParseFolderAndFlag(const std::vector<std::string>& args, std::string_view flag,
                        std::filesystem::path& folder, bool& flagGiven);

/// Writes the usage line of one subcommand (by its name) to `err` and gives the wrong-usage exit
/// status.
int CommandUsage(std::ostream& err, std::string_view name);

/// Runs `sfxtal-cli ARGS...` and returns its exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

/// `sample-log OUT COUNT [SEED]`: writes a generated log.
int RunSampleLogCommand(Invocation& invocation);

/// `dump LOG`: every record of the log as one line of TAB-separated fields.
int RunDumpCommand(Invocation& invocation);

/// `results --folder DIR [--list]`: reads the results file and prints the caption it gives.
int RunResultsCommand(Invocation& invocation);

/// `import --folder DIR [--from Y-M-D] [--to Y-M-D] [--marks TEXT] [--ask] LOG`: the import run
/// with DIR as the program folder.
int RunImportCommand(Invocation& invocation);

/// `apply --folder DIR [--open] [--call TEXT] [--name TEXT] [--address TEXT]`: stores the
/// applicant's values given in DIR/SFXTAL.INI, then makes the award application in DIR from its
/// results file.
int RunApplyCommand(Invocation& invocation);

}  // namespace sfxtal::cli
