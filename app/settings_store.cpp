#include "app/settings_store.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "app/ini_file.h"
#include "platform/ascii_text.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"

namespace sfxtal::app {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

std::filesystem::path SettingsStore::SettingsPath() const {
  return programFolder_ / platform::PathFromUtf8(kSettingsFileName);
}

void SettingsStore::ReadSetting(std::string_view key, std::string& value) const {
  if (std::optional<std::string> stored = ReadIniValue(SettingsPath(), kSettingsSection, key)) {
    value = std::move(*stored);
  }
}

void SettingsStore::WriteSetting(std::string_view key, std::string_view value) const {
  const std::filesystem::path path = SettingsPath();
  if (key == kDeleteSettingsKey) {
    if (platform::FileExists(path)) {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
    }
    return;
  }
  WriteIniValue(path, kSettingsSection, key, value);
}

void SettingsStore::WriteNumberSetting(std::string_view key, float twips) const {
  WriteIniValue(SettingsPath(), kSettingsSection, key, SettingNumberText(twips),
                IniBlanks::kDropped);
}

std::string SettingNumberText(float twips) {
  if (!std::isfinite(twips) || twips == 0.0f) return " 0";
  // Seven significant digits are what a single-precision number shows; the exponent form takes
  // over where the digits would not fit, as "1.234568E+07".
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, twips, std::chars_format::general, 7);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  // A number below one is written without its leading zero: ".5", "-.25".
  const std::size_t digits = text[0] == '-' ? 1 : 0;
  if (text.compare(digits, 2, "0.") == 0) text.erase(digits, 1);
  if (text[0] != '-') text.insert(0, 1, ' ');
  return text;
}

double SettingNumberValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // The number is gathered into a plain form that from_chars takes: digits, point, digits,
  // then "e" and the exponent when one follows.
  std::string number;
  std::size_t mantissaDigits = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++mantissaDigits) number += text[pos];
  if (pos < text.size() && text[pos] == '.') {
    number += '.';
    for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, ++mantissaDigits) {
      number += text[pos];
    }
  }
  if (mantissaDigits == 0) return 0.0;
  if (pos < text.size() &&
      (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    std::size_t at = pos + 1;
    std::string exponent = "e";
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) exponent += text[at++];
    if (at < text.size() && IsDigit(text[at])) {
      for (; at < text.size() && IsDigit(text[at]); ++at) exponent += text[at];
      number += exponent;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc()) return 0.0;
  // A window edge must stay a number a window can be put at, whatever the file says.
  value = std::min(value, kLargestSettingNumber);
  return negative ? -value : value;
}

std::string GiveUpMarksFromSetting(std::string_view stored) {
  if (stored.empty() || stored == "NON") return {};
  return std::string(platform::TrimBlanks(stored));
}

std::string GiveUpMarksForSetting(std::string_view box) {
  return std::string(platform::TrimBlanks(box));
}

}  // namespace sfxtal::app
