#include "logdb/log_kind.h"

#include <algorithm>
#include <array>

#include "logdb/adif_log.h"
#include "logdb/log_database.h"
#include "platform/ascii_text.h"
#include "platform/path_text.h"
#include "platform/read_only_file.h"

namespace sfxtal::logdb {
namespace {

// An ADIF header is a line or two of text; its <EOH> lies within the first few kilobytes.
constexpr std::size_t kLookedAt = 4096;

bool HoldsEndOfHeader(std::string_view text) {
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (platform::EqualsIgnoringAsciiCase(text.substr(at, 5), "<EOH>")) return true;
  }
  return false;
}

bool HasAdifExtension(const std::string& path) {
  const std::string extension = platform::Utf8FromPath(platform::PathFromUtf8(path).extension());
  return platform::EqualsIgnoringAsciiCase(extension, ".adi") ||
         platform::EqualsIgnoringAsciiCase(extension, ".adif");
}

}  // namespace

LogKind ChooseLogKind(const std::string& path) {
  platform::ReadOnlyFile file;
  std::array<char, kLookedAt> start{};
  std::size_t size = 0;
  if (file.Open(platform::PathFromUtf8(path))) size = file.ReadAt(0, start.data(), start.size());
  const std::string_view text(start.data(), size);
  // The database's first field descriptor, at offset 32, is named CALLS.
  if (text.size() >= 38 && text.substr(32, 6) == std::string_view("CALLS\0", 6)) {
    return LogKind::kTevrakDatabase;
  }
  if (text.starts_with('<') || HoldsEndOfHeader(text)) return LogKind::kAdif;
  return HasAdifExtension(path) ? LogKind::kAdif : LogKind::kTevrakDatabase;
}

std::unique_ptr<LogSource> MakeLogSource(const std::string& path, platform::UserInterface& ui,
                                         FrequencyErrors& errors) {
  switch (ChooseLogKind(path)) {
    case LogKind::kAdif:
      return std::make_unique<AdifLog>(ui, errors);
    case LogKind::kTevrakDatabase:
      break;
  }
  return std::make_unique<LogDatabase>(ui, errors);
}

}  // namespace sfxtal::logdb
