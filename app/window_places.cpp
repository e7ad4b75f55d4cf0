#include "app/window_places.h"

#include <string>

namespace sfxtal::app {

float CentredEdge(double screenExtent, double windowExtent) {
  return static_cast<float>((screenExtent - windowExtent) / 2);
}

PlaceTwips LoadResultsWindowPlace(const SettingsStore& settings, SizeTwips screen,
                                  SizeTwips window) {
  std::string top = SettingNumberText(CentredEdge(screen.Height, window.Height));
  settings.ReadSetting(kForm2TopKey, top);
  std::string left = SettingNumberText(CentredEdge(screen.Width, window.Width));
  settings.ReadSetting(kForm2LeftKey, left);
  return {SettingNumberValue(left), SettingNumberValue(top)};
}

void SaveResultsWindowPlace(const SettingsStore& settings, PlaceTwips place) {
  settings.WriteSetting(kForm2TopKey, SettingNumberText(static_cast<float>(place.Top)));
  settings.WriteSetting(kForm2LeftKey, SettingNumberText(static_cast<float>(place.Left)));
}

}  // namespace sfxtal::app
