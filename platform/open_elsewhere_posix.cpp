#include "platform/open_elsewhere.h"

namespace sfxtal::platform {

bool HeldBySystem(const std::filesystem::path&) {
  // Nothing here refuses a second opener, so only the office program's own sign can tell.
  return false;
}

}  // namespace sfxtal::platform
