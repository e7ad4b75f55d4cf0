#include <algorithm>

#include "platform/read_only_file.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>

namespace sfxtal::platform {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

bool ReadOnlyFile::Open(const std::filesystem::path& path) {
  Close();
  if (path.empty()) return false;
  // Shared every way, so the logging program may keep writing, renaming or deleting the log.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // A disk file only: CON, NUL, COM1 and pipes open too, and would hang or read nothing.
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  position_ = 0;
  return true;
}

std::int64_t ReadOnlyFile::Size() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) return -1;
  return size.QuadPart;
}

std::int64_t ReadOnlyFile::ReadOnceAt(std::int64_t offset, void* buffer, std::size_t size) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
  at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  DWORD read = 0;
  const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (!ReadFile(AsHandle(handle_), buffer, chunk, &read, &at)) {
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  }
  return read;
}

void ReadOnlyFile::Close() {
  if (IsOpen()) CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
}

}  // namespace sfxtal::platform
