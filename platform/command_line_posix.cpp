#include "platform/command_line.h"

namespace sfxtal::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void UseUtf8StandardStreams() {}

}  // namespace sfxtal::platform
