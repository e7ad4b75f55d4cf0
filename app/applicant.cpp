#include "app/applicant.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/ini_file.h"
#include "app/settings_store.h"
#include "platform/text_codec.h"

namespace sfxtal::app {
namespace {

std::string StoredValue(const std::filesystem::path& file, const char* key) {
  return ReadIniValue(file, kApplicantSection, key).value_or(std::string());
}

// The character as the operator can tell it, to follow "の": itself in brackets with its code
// point, a control character by its code point alone, broken bytes by their values.
std::string ShownCharacter(std::string_view character) {
  char number[16];
  const char32_t codePoint = platform::CodePointOf(character);
  if (codePoint == 0) {
    std::string bytes;
    for (const char c : character) {
      std::snprintf(number, sizeof number, " 0x%02X", static_cast<unsigned char>(c));
      bytes += number;
    }
    return bytes;
  }
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
  if (codePoint < 0x20 || codePoint == 0x7F) return std::string(" ") + number;
  std::string shown = "「";
  shown.append(character).append("」(").append(number).append(")");
  return shown;
}

}  // namespace

Applicant ReadApplicant(const std::filesystem::path& programFolder) {
  const std::filesystem::path file = programFolder / platform::PathFromUtf8(kSettingsFileName);
  return {StoredValue(file, kApplicantCallKey), StoredValue(file, kApplicantNameKey),
          StoredValue(file, kApplicantAddressKey)};
}

std::string_view UnstorableCharacter(std::string_view utf8) {
  const std::string_view missing = platform::FirstCharacterNotInCp932(utf8);
  const std::size_t before = missing.empty() ? utf8.size() : missing.data() - utf8.data();
  for (std::size_t pos = 0; pos < before; ++pos) {
    const auto c = static_cast<unsigned char>(utf8[pos]);
    if (c < 0x20 || c == 0x7F) return utf8.substr(pos, 1);
  }
  return missing;
}

std::string UnstorableApplicantMessage(std::string_view what, std::string_view value) {
  const std::string_view character = UnstorableCharacter(value);
  if (character.empty()) return {};
  std::string message(what);
  message.append(" の").append(ShownCharacter(character)).append(kUnstorableApplicantText);
  return message;
}

bool StoreApplicant(const std::filesystem::path& programFolder, const ApplicantChange& change) {
  std::vector<IniSetting> settings;
  for (const auto& [key, value] :
       {std::pair{kApplicantCallKey, &change.call}, std::pair{kApplicantNameKey, &change.name},
        std::pair{kApplicantAddressKey, &change.address}}) {
    if (!value->has_value()) continue;
    if (!UnstorableCharacter(**value).empty()) return false;
    settings.push_back({key, **value});
  }
  if (settings.empty()) return true;
  return WriteIniValues(programFolder / platform::PathFromUtf8(kSettingsFileName),
                        kApplicantSection, settings);
}

}  // namespace sfxtal::app
