#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/command_line.h"
#include "platform/wide_text_windows.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace sfxtal::platform {

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return args;
}

void UseUtf8StandardStreams() {
  // The code page belongs to the console, which outlives the program: it gets its own back.
  static const UINT previous = GetConsoleOutputCP();
  if (previous != 0 && SetConsoleOutputCP(CP_UTF8)) {
    std::atexit([] {
      // What the program wrote must reach the console while it still shows UTF-8: the streams
      // are flushed only after this handler otherwise, and the text would show garbled.
      std::cout.flush();
      std::cerr.flush();
      std::fflush(nullptr);
      SetConsoleOutputCP(previous);
    });
  }
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace sfxtal::platform
