#pragma once

#include <string>
#include <vector>

namespace sfxtal::platform {

/// The program's arguments after its own name, as UTF-8 text: on Windows read again from the
/// wide command line, since argv holds them in the ANSI code page, where most characters are lost.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

/// Lets stdin, stdout and stderr carry the program's bytes unchanged: UTF-8 text with LF line
/// ends. On Windows the streams are put in binary mode and the console shows UTF-8.
void UseUtf8StandardStreams();

}  // namespace sfxtal::platform
