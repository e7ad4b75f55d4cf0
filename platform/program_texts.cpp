#include "platform/program_texts.h"

#include <system_error>

#include "platform/path_text.h"

namespace sfxtal::platform {

std::string WithPath(std::string_view message, const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  std::string text(message);
  text += '\n';
  text += Utf8FromPath(error ? path : full);
  return text;
}

}  // namespace sfxtal::platform
