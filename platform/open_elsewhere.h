#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/path_text.h"

namespace sfxtal::platform {

/// Who, as far as the system lets the program see, keeps a file that the program would replace.
enum class FileHolder {
  kNone,
  /// Another program has it open to work on it, so that replacing it now would leave the
  /// operator looking at its old contents: LibreOffice's lock file ".~lock.NAME#" beside it, or,
  /// where the system has them, a program that keeps others from opening the file (Windows'
  /// sharing violation).
  kProgram,
  /// LibreOffice's lock file is there, but it was made on this machine and no LibreOffice of
  /// this user runs here: a crash left it behind.
  kStaleLock,
};

FileHolder WhoHolds(const std::filesystem::path& path);
FileHolder WhoHolds(const NarrowText auto&) = delete;

/// LibreOffice's lock file for the file: ".~lock.NAME#" beside it.
std::filesystem::path OfficeLockFile(const std::filesystem::path& path);

/// The message for a file that must not be replaced now (a line feed and the file's path follow;
/// for a lock left behind, the lock file's path to delete), or nothing when it is free.
std::optional<std::string> HeldFileMessage(const std::filesystem::path& path);
std::optional<std::string> HeldFileMessage(const NarrowText auto&) = delete;

/// The system's halves: true when the system says another program keeps the file to itself;
/// true when the lock file's owner (its text, "user name,login,host,time,profile;") is a program
/// that may still run, false when it was made on this machine and no office program of this
/// user runs here.
bool HeldBySystem(const std::filesystem::path& path);
bool LockOwnerMayRun(std::string_view lockText);

}  // namespace sfxtal::platform
