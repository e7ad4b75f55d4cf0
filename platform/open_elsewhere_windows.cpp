#include "platform/open_elsewhere.h"

// Only the Windows halves include windows.h: its macros rename the program's functions.
#include <windows.h>

namespace sfxtal::platform {

bool HeldBySystem(const std::filesystem::path& path) {
  // A spreadsheet program keeps the workbook it shows open without sharing it for writing: asking
  // for the file to ourselves alone is then refused.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

bool LockOwnerMayRun(std::string_view) {
  // Which programs run is not looked into here: a lock is taken as meant, and LibreOffice itself
  // offers to open the file anyway when its lock was left behind.
  return true;
}

}  // namespace sfxtal::platform
