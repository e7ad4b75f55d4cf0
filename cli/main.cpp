#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return sfxtal::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                             std::cerr);
}
