#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/text_file.h"

namespace sfxtal::platform {

std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

int SiblingFile::Create() {
  Discard();
  resolved_ = FollowLinks(target_);
  struct stat info {};
  if (::stat(resolved_.c_str(), &info) == 0) {
    // Root may write anywhere; a file nobody may write is still left alone, as on Windows.
    if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) return -1;
    if (::access(resolved_.c_str(), W_OK) != 0) return -1;
    mode_ = info.st_mode & 07777;
  } else if (errno == ENOENT) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  } else {
    return -1;
  }
  // ".name.PROCESS.XXXXXX" beside the target, in the name's own bytes.
  std::string name = HiddenStem().native() + ".XXXXXX";
  fd_ = ::mkstemp(name.data());
  if (fd_ >= 0) temp_ = name;
  return fd_;
}

std::int64_t SiblingFile::WriteOnce(const char* data, std::size_t size) {
  ssize_t written;
  do {
    written = ::write(fd_, data, size);
  } while (written < 0 && errno == EINTR);
  return written;
}

bool SiblingFile::Finish(bool sync) {
  if (temp_.empty()) return false;
  // A descriptor handed over to a library is taken up again, to set the mode and sync.
  if (fd_ < 0) fd_ = ::open(temp_.c_str(), O_RDONLY | O_CLOEXEC);
  bool ok = fd_ >= 0 && ::fchmod(fd_, static_cast<mode_t>(mode_)) == 0;
  if (ok && sync) ok = ::fsync(fd_) == 0;
  if (fd_ >= 0) ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (!ok) Discard();
  return ok;
}

bool SiblingFile::KeepOld() {
  // A second link keeps the old file while the new one takes its name in one rename; where the
  // file system has no links (FAT on a memory stick) the old file is renamed aside instead.
  hadOld_ = ::link(resolved_.c_str(), old_.c_str()) == 0;
  if (hadOld_ || errno == ENOENT) return true;
  // Only a file is moved aside: whatever else has come to stand in its place stays.
  struct stat info {};
  if (::stat(resolved_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  hadOld_ = std::rename(resolved_.c_str(), old_.c_str()) == 0;
  return hadOld_;
}

bool SiblingFile::RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool TextFileWriter::WriteThrough(std::FILE* file, std::string_view bytes) {
  const int fd = ::fileno(file);
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

unsigned long SiblingFile::ThisProcess() {
  return static_cast<unsigned long>(::getpid());
}

bool SiblingFile::ProcessRuns(unsigned long process) {
  // A process of another user's still counts: the signal is refused, not unknown.
  return process > 0 && (::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM);
}

void SiblingFile::CloseDescriptor() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace sfxtal::platform
