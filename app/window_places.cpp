#include "app/window_places.h"

#include <algorithm>
#include <string>

namespace sfxtal::app {

float CentredEdge(double screenExtent, double windowExtent) {
  return static_cast<float>((screenExtent - windowExtent) / 2);
}

PlaceTwips PlaceOnScreen(PlaceTwips place, SizeTwips screen, SizeTwips window) {
  const bool off = place.Left + window.Width <= 0 || place.Left >= screen.Width ||
                   place.Top + window.Height <= 0 || place.Top >= screen.Height;
  if (!off) return place;
  const auto onScreen = [](double edge, double screenExtent, double windowExtent) {
    return std::clamp(edge, 0.0, std::max(0.0, screenExtent - windowExtent));
  };
  return {onScreen(place.Left, screen.Width, window.Width),
          onScreen(place.Top, screen.Height, window.Height)};
}

PlaceTwips LoadResultsWindowPlace(const SettingsStore& settings, SizeTwips screen,
                                  SizeTwips window) {
  std::string top = SettingNumberText(CentredEdge(screen.Height, window.Height));
  settings.ReadSetting(kForm2TopKey, top);
  std::string left = SettingNumberText(CentredEdge(screen.Width, window.Width));
  settings.ReadSetting(kForm2LeftKey, left);
  return PlaceOnScreen({SettingNumberValue(left), SettingNumberValue(top)}, screen, window);
}

void SaveResultsWindowPlace(const SettingsStore& settings, PlaceTwips place) {
  settings.WriteNumberSetting(kForm2TopKey, static_cast<float>(place.Top));
  settings.WriteNumberSetting(kForm2LeftKey, static_cast<float>(place.Left));
}

void CloseResultsWindow(platform::UserInterface& ui, const SettingsStore& settings,
                        PlaceTwips place) {
  if (ui.Ended()) return;
  SaveResultsWindowPlace(settings, place);
  ui.EndProgram();
}

}  // namespace sfxtal::app
