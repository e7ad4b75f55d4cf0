#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/com_spreadsheet.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  const sfxtal::platform::ComApartment com;
  sfxtal::platform::UseUtf8StandardStreams();
  std::ios::sync_with_stdio(false);
  return sfxtal::cli::RunCli(sfxtal::platform::CommandLineArguments(argc, argv), std::cin,
                             std::cout, std::cerr);
}
