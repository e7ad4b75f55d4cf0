#include "platform/open_elsewhere.h"

#include "platform/file_exists.h"
#include "platform/program_texts.h"
#include "platform/text_file.h"

namespace sfxtal::platform {

std::filesystem::path OfficeLockFile(const std::filesystem::path& path) {
  std::filesystem::path lock = PathFromUtf8(".~lock.");
  lock += path.filename();
  lock += PathFromUtf8("#");
  return path.parent_path() / lock;
}

FileHolder WhoHolds(const std::filesystem::path& path) {
  const std::filesystem::path lock = OfficeLockFile(path);
  if (FileExists(lock)) {
    // A lock that cannot be read is taken as meant: the office program knows its own.
    const std::optional<std::string> text = ReadFileBytes(lock);
    return text && !LockOwnerMayRun(*text) ? FileHolder::kStaleLock : FileHolder::kProgram;
  }
  return HeldBySystem(path) ? FileHolder::kProgram : FileHolder::kNone;
}

std::optional<std::string> HeldFileMessage(const std::filesystem::path& path) {
  switch (WhoHolds(path)) {
    case FileHolder::kNone:
      return std::nullopt;
    case FileHolder::kProgram:
      return WithPath(kOpenElsewhereMessage, path);
    case FileHolder::kStaleLock:
      return WithPath(kStaleLockMessage, OfficeLockFile(path));
  }
  return std::nullopt;
}

}  // namespace sfxtal::platform
