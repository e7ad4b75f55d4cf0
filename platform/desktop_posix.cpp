#include <spawn.h>
#include <sys/wait.h>

#include "platform/desktop.h"

extern char** environ;

namespace sfxtal::platform {

void OpenWithDesktop(const std::filesystem::path& file) {
  // No shell: the path goes to xdg-open as one argument. xdg-open itself returns once it has
  // handed the file on.
  std::string name = file.native();
  char program[] = "xdg-open";
  char* argv[] = {program, name.data(), nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) == 0) {
    int status;
    waitpid(pid, &status, 0);
  }
}

}  // namespace sfxtal::platform
