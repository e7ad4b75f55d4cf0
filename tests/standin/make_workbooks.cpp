// Runs the two hand-overs that write workbooks, through the built-in stand-in, in the folder
// given: the tally of its sfxtal.tmp, then the award application from the results file.
#include <iostream>

#include "app/spreadsheet_hand_over.h"
#include "cli/terminal_ui.h"
#include "platform/command_line.h"
#include "platform/path_text.h"
#include "standin/stand_in_spreadsheet.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = sfxtal::platform::CommandLineArguments(argc, argv);
  if (args.size() != 1) {
    std::cerr << "usage: make_workbooks FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = sfxtal::platform::PathFromUtf8(args[0]);
  sfxtal::cli::TerminalUi ui(std::cin, std::cerr);
  using sfxtal::app::HandOverResult;
  sfxtal::standin::StandInFactory spreadsheet(ui);
  if (sfxtal::app::ExcelX(ui, folder, "FREAD", spreadsheet) != HandOverResult::kDone) return 1;
  if (sfxtal::app::NebuExcel(ui, folder, spreadsheet) != HandOverResult::kDone) return 1;
  return 0;
}
