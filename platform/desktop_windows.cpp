#include "platform/desktop.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

namespace sfxtal::platform {

void OpenWithDesktop(const std::filesystem::path& file) {
  // ShellExecuteW may hand over through COM, which wants the thread initialised.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace sfxtal::platform
