#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/text_file.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>

namespace sfxtal::platform {
namespace {

// True when the path names a disk file: CON, NUL and the like take any name in any folder.
bool IsDiskFile(const std::filesystem::path& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool disk = GetFileType(file) == FILE_TYPE_DISK;
  CloseHandle(file);
  return disk;
}

}  // namespace

std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

int SiblingFile::Create() {
  Discard();
  resolved_ = FollowLinks(target_);
  const DWORD attributes = GetFileAttributesW(resolved_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // A folder, a device or a read-only file is not replaced.
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0 ||
        !IsDiskFile(resolved_)) {
      return -1;
    }
    // The new file keeps what the operator set on the old one.
    mode_ = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
  } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
    return -1;
  } else {
    mode_ = 0;
  }
  // ".name.PROCESS.NUMBER" beside the target, a number nobody else uses: the time and a count,
  // until one is free.
  const std::wstring stem = HiddenStem().native();
  const unsigned long long seed = GetTickCount64() * 2654435761u;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::wstring name = stem + L"." + std::to_wstring((seed + attempt) % 1000000u);
    const HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return -1;
    }
    fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | _O_WRONLY);
    if (fd_ < 0) {
      CloseHandle(file);
      DeleteFileW(name.c_str());
      return -1;
    }
    temp_ = name;
    return fd_;
  }
  return -1;
}

std::int64_t SiblingFile::WriteOnce(const char* data, std::size_t size) {
  return _write(fd_, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

bool SiblingFile::Finish(bool sync) {
  if (temp_.empty()) return false;
  bool ok = true;
  if (sync && fd_ >= 0) {
    ok = FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(fd_))) != 0;
  } else if (sync) {
    // Handed over to a library by name, and taken up again to sync it.
    const HANDLE file = CreateFileW(temp_.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file) != 0;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  if (fd_ >= 0) ok = _close(fd_) == 0 && ok;
  fd_ = -1;
  if (ok && mode_ != 0) ok = SetFileAttributesW(temp_.c_str(), mode_) != 0;
  if (!ok) Discard();
  return ok;
}

bool SiblingFile::KeepOld() {
  // A second link keeps the old file while the new one takes its name in one rename; where the
  // file system has no links (FAT on a memory stick) the old file is renamed aside instead.
  hadOld_ = CreateHardLinkW(old_.c_str(), resolved_.c_str(), nullptr) != 0;
  if (hadOld_) return true;
  const DWORD attributes = GetFileAttributesW(resolved_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  // Only a file is moved aside: whatever else has come to stand in its place stays.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !IsDiskFile(resolved_)) return false;
  hadOld_ = MoveFileExW(resolved_.c_str(), old_.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  return hadOld_;
}

bool SiblingFile::RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool TextFileWriter::WriteThrough(std::FILE* file, std::string_view bytes) {
  const int fd = _fileno(file);
  while (!bytes.empty()) {
    const int written = _write(
        fd, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

unsigned long SiblingFile::ThisProcess() {
  return GetCurrentProcessId();
}

bool SiblingFile::ProcessRuns(unsigned long process) {
  const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
  if (handle == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool runs = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
  CloseHandle(handle);
  return runs;
}

void SiblingFile::CloseDescriptor() {
  if (fd_ >= 0) _close(fd_);
  fd_ = -1;
}

}  // namespace sfxtal::platform
