#include <string>

#include "platform/program_folder.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>

namespace sfxtal::platform {

std::filesystem::path ProgramFolder() {
  // The module's name may be longer than MAX_PATH; the buffer grows until it fits.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) return std::filesystem::current_path();
    if (n < name.size()) {
      name.resize(n);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace sfxtal::platform
