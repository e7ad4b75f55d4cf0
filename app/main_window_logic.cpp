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

  const PlaceTwips place = PlaceOnScreen({loaded.Left, loaded.Top}, screen, window);
  loaded.Left = place.Left;
  loaded.Top = place.Top;

  loaded.Text1 = std::string(text1);
  settings.ReadSetting(kTevrakKey, loaded.Text1);
  return loaded;
}

void SaveMainWindowSettings(const SettingsStore& settings, const MainWindowSettings& window) {
  settings.WriteSetting(kTevrakKey, window.Text1);
  settings.WriteNumberSetting(kForm1TopKey, static_cast<float>(window.Top));
  settings.WriteNumberSetting(kForm1LeftKey, static_cast<float>(window.Left));
  settings.WriteSetting(kGiveUpMarksKey, GiveUpMarksForSetting(window.Text3));
}

}  // namespace sfxtal::app
