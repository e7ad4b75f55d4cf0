#include "platform/open_elsewhere.h"

#include "platform/file_exists.h"

namespace sfxtal::platform {

bool OpenElsewhere(const std::filesystem::path& path) {
  std::filesystem::path lock = PathFromUtf8(".~lock.");
  lock += path.filename();
  lock += PathFromUtf8("#");
  return FileExists(path.parent_path() / lock) || HeldBySystem(path);
}

}  // namespace sfxtal::platform
