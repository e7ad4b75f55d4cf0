#include "app/main_window_logic.h"

namespace sfxtal::app {
namespace {

bool IsYearBox(int index) {
  return index == 0 || index == 3;
}

}  // namespace

DateBoxKey DateBoxKeyPress(int index, char32_t keyCode, int caret) {
  DateBoxKey key;
  key.Keep = keyCode >= U'0' && keyCode <= U'9';
  if (index < 0 || index >= kDateBoxCount) return key;
  const int lastCharacter = IsYearBox(index) ? 3 : 1;
  if (caret == lastCharacter) key.NextBox = (index + 1) % kDateBoxCount;
  return key;
}

MainWindowSettings LoadMainWindowSettings(const SettingsStore& settings, SizeTwips screen,
                                          SizeTwips window, std::string_view text1) {
  MainWindowSettings loaded;
  std::string value = SettingNumberText(CentredEdge(screen.Height, window.Height));
  settings.ReadSetting(kForm1TopKey, value);
  loaded.Top = SettingNumberValue(value);

  value = SettingNumberText(CentredEdge(screen.Width, window.Width));
  settings.ReadSetting(kForm1LeftKey, value);
  loaded.Left = SettingNumberValue(value);

  value.clear();
  settings.ReadSetting(kGiveUpMarksKey, value);
  loaded.Text3 = GiveUpMarksFromSetting(value);

  loaded.Text1 = std::string(text1);
  settings.ReadSetting(kTevrakKey, loaded.Text1);
  return loaded;
}

std::vector<std::pair<std::string, std::string>> MainWindowClosingWrites(
    const MainWindowSettings& window) {
  return {
      {kTevrakKey, window.Text1},
      {kForm1TopKey, SettingNumberText(static_cast<float>(window.Top))},
      {kForm1LeftKey, SettingNumberText(static_cast<float>(window.Left))},
      {kGiveUpMarksKey, GiveUpMarksForSetting(window.Text3)},
  };
}

void SaveMainWindowSettings(const SettingsStore& settings, const MainWindowSettings& window) {
  for (const auto& [key, value] : MainWindowClosingWrites(window)) {
    settings.WriteSetting(key, value);
  }
}

}  // namespace sfxtal::app
