#include "win32/instance_lock.h"

#include <cstdint>
#include <cwctype>
#include <string>

namespace sfxtal::win32 {

InstanceLock TakeInstanceLock(const std::filesystem::path& programFolder) {
  // Named after the folder, letter case aside as Windows names files, hashed: a mutex name may not
  // hold a backslash and is limited in length.
  std::wstring folder = programFolder.lexically_normal().wstring();
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t c : folder) {
    if (c == L'/') c = L'\\';
    hash = (hash ^ static_cast<std::uint16_t>(std::towupper(c))) * 1099511628211ull;
  }
  wchar_t name[64];
  swprintf(name, 64, L"Local\\SfxTal-%016llx", static_cast<unsigned long long>(hash));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    mutex = nullptr;
  }
  return InstanceLock(mutex, &CloseHandle);
}

}  // namespace sfxtal::win32
