#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/path_text.h"

namespace sfxtal::app {

inline constexpr const char* kSettingsFileName = "SFXTAL.INI";
inline constexpr const char* kSettingsSection = "SFXTAL";

// The program's keys.
inline constexpr const char* kTevrakKey = "Tevrak";
inline constexpr const char* kForm1TopKey = "Form1Top";
inline constexpr const char* kForm1LeftKey = "Form1Left";
inline constexpr const char* kGiveUpMarksKey = "諦め";
inline constexpr const char* kForm2TopKey = "Form2Top";
inline constexpr const char* kForm2LeftKey = "Form2Left";
/// Given to WriteSetting as the key, deletes the settings file.
inline constexpr const char* kDeleteSettingsKey = "NEW";

/// The settings that outlive a run: one section of "SFXTAL.INI" in the program folder. Nothing is
/// cached; every call goes to the file.
class SettingsStore {
 public:
  explicit SettingsStore(std::filesystem::path programFolder);
  explicit SettingsStore(const platform::NarrowText auto&) = delete;

  std::filesystem::path SettingsPath() const;

  /// `value` holds the default on entry and the stored value (UTF-8, read whole) on return; the
  /// default stays when the file, the section or the key is missing. A key stored empty reads as
  /// empty, not as the default.
  void ReadSetting(std::string_view key, std::string& value) const;

  /// Stores the value under the key. The key "NEW" deletes the settings file instead. A write
  /// that cannot be done is silent and leaves the old file whole.
  void WriteSetting(std::string_view key, std::string_view value) const;
  /// Stores a window position in twips as SettingNumberText gives it. Its leading blank is only
  /// the sign's place, which reading drops and the number does not miss: it is written bare,
  /// as the system's own profile functions write it.
  void WriteNumberSetting(std::string_view key, float twips) const;

 private:
  std::filesystem::path programFolder_;
};

/// A window position in twips as it is stored: single precision, a blank before a number that is
/// not negative, a fraction only when there is one (" 2340", " 1927.5", "-120").
std::string SettingNumberText(float twips);

/// The largest size a stored number reads back as (in twips, far beyond any screen).
inline constexpr double kLargestSettingNumber = 2147483647.0;

/// A stored number read back: blanks skipped, then the longest leading decimal number; 0 when
/// the text does not start with one. Limited to ±kLargestSettingNumber.
double SettingNumberValue(std::string_view text);

/// The give-up marks from their stored value: "NON" or empty means none; blanks around dropped.
std::string GiveUpMarksFromSetting(std::string_view stored);

/// The give-up mark box's text as it is stored: without blanks around it.
std::string GiveUpMarksForSetting(std::string_view box);

}  // namespace sfxtal::app
