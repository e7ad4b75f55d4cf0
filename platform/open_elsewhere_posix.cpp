#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/open_elsewhere.h"

namespace sfxtal::platform {
namespace {

// The n-th comma-separated field of the lock's text (from 0), without the closing ";".
std::string_view LockField(std::string_view text, int n) {
  for (int i = 0; i < n; ++i) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    text.remove_prefix(comma + 1);
  }
  return text.substr(0, text.find_first_of(",;\r\n"));
}

// True when a LibreOffice of this user runs on this machine: its process is soffice.bin.
bool OfficeRunsHere() {
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = item.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    struct stat info {};
    if (::stat(item.path().c_str(), &info) != 0 || info.st_uid != ::getuid()) continue;
    std::ifstream comm(item.path() / "comm");
    std::string command;
    if (std::getline(comm, command) && command == "soffice.bin") return true;
  }
  // Without /proc nothing can be told: the lock is taken as meant.
  return static_cast<bool>(error);
}

}  // namespace

bool HeldBySystem(const std::filesystem::path&) {
  // Nothing here refuses a second opener, so only the office program's own sign can tell.
  return false;
}

bool LockOwnerMayRun(std::string_view lockText) {
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0) return true;
  if (LockField(lockText, 2) != host) return true;
  return OfficeRunsHere();
}

}  // namespace sfxtal::platform
