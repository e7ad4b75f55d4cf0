#include <system_error>

#include "platform/program_folder.h"

namespace sfxtal::platform {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return exe.parent_path();
}

}  // namespace sfxtal::platform
